#pragma once
// The enabled state of every command of the main window, worked out from the
// editor's state alone; EnBut shows it on the controls.
class TEditorCore;

struct TCommandStates {
    bool Frames = false;          // the animation has frames and is not playing
    bool Project = false;         // the window holds a project
    bool FigureSelected = false;  // figure Copy, Cut, Delete, "Send to Back", "Bring to Front"
    bool FigurePaste = false;     // the figure clipboard is not empty
    bool Play = false;
    bool Stop = false;
    bool StartPrevious = false;   // "Start", "Previous"
    bool NextEnd = false;         // "Next", "End"
    bool AddFrame = false;        // also "Default Frame Duration"
    bool FramePaste = false;
    bool MoveLeft = false;
    bool MoveRight = false;
    bool Times = false;           // "time(s)" box and label
    bool BackGIFDelete = false;   // "Delete" of the background GIF and its frame count
    bool PictureDelete = false;   // "Delete" of the background picture
    bool Redraw = false;          // "Redraw Frames"
    bool SaveProject = false;
};

TCommandStates CommandStates(const TEditorCore& core);
