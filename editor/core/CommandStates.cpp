#include "editor/core/CommandStates.h"

#include "editor/core/EditorCore.h"

TCommandStates CommandStates(const TEditorCore& core)
{
    const TDocument& doc = core.Doc;
    const bool playing = core.Playing();
    const int count = core.FrameCount();
    const int current = core.FrameIndex();

    TCommandStates s;
    s.Frames = count > 0 && !playing;
    s.Project = doc.IsProject;
    s.FigureSelected = doc.QCount > 0;
    s.FigurePaste = !doc.FigBuf.empty();
    s.Play = s.Frames;
    s.Stop = count > 0 && playing;
    s.StartPrevious = s.Frames && current > 0;
    s.NextEnd = s.Frames && current < count - 1;
    s.AddFrame = !playing;
    s.FramePaste = s.AddFrame && doc.Buffer.Count() > 0;
    s.MoveLeft = s.Frames && core.CanMoveLeft();
    s.MoveRight = s.Frames && core.CanMoveRight();
    s.Times = s.Frames && core.Animation().RepeatCount() != 0;
    s.BackGIFDelete = doc.Animation.BackGIF.Count() > 0;
    s.PictureDelete = doc.Animation.IsBackBMP;
    s.Redraw = doc.RedrawEnabled && !playing;
    s.SaveProject = doc.IsModify;
    return s;
}
