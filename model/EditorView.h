#pragma once
// TEditorView: the editor's state that a project file keeps beside the
// project. None of it is project data: the frame strip's geometry, the
// property pages' guard and grid cursor, the frame "Play" started from and
// the go-to box's flags live in the editor, which hands them to the writer and takes them back from
// the reader, so that the file keeps its layout.
struct TEditorView {
    int FrCount = 0;    // frame strip: thumbnails that fit
    int ImgH = 0;       // frame strip: thumbnail cell size
    int OldPos = 0;     // frame strip: first visible frame
    bool IsDel = true;  // panel edits mark the project (false while the panels are filled)
    int QRow = 0;       // row of the nodes grid being edited
    int OldIndex = 0;   // frame shown when "Play" was pressed
    bool IsChDelay = false; // true while "Current Frame Duration" is applied to the frame
    bool IsChGoTo = true;   // "Go to Frame #" and "Current Frame Duration" act on the frame
};
