// TEditorCore: returning the editor to a state of the undo history.
#include "editor/core/EditorCore.h"

#include "model/FigureFactory.h"

void TEditorCore::RestoreState(const TProjectState& s, bool frames)
{
    if (IsPlaying)
        Stop();
    CancelPointer();

    // The frame first, by the ordinary way (which stores the figures' state
    // into the frame left); everything it stores is replaced below.
    if (frames)
        GIFAnimator->SetImage(s.Animation);
    if (s.Frame >= 0 && s.Frame < FrameCount() && s.Frame != FrameIndex())
        EnterFrame(s.Frame);

    TDocument& d = Doc;
    // The drawing objects are rebuilt from the records, as when a project is read.
    for (auto& obj : d.DrawArr)
        obj->SetFocused(false);
    ClearDragList();
    d.DrObj = nullptr;
    d.DrawArr.clear();
    d.Animation.Figures.clear();
    for (const auto& fig : s.Figures)
        d.Animation.Figures.push_back(*fig);
    for (const int32_t num : s.PaintOrder) {
        TQFigure& fig = d.Animation.Figures[static_cast<size_t>(num)];
        std::unique_ptr<TDrawObject> obj = CreateDrawObject(fig.Name, this);
        obj->SetCanFocus(true);
        obj->FigNum = num;
        obj->SetFocused(s.Selected[static_cast<size_t>(num)]);
        fig.Obj = obj.get();
        d.DrawArr.push_back(std::move(obj));
    }
    d.StrArr = s.StrArr;
    d.BMPArr = s.BMPArr;
    d.GIFArr = s.GIFArr;
    d.BMPGIF = s.BMPGIF;
    d.BackNum = s.BackNum;
    d.Animation.BackGIF = s.BackGIF;
    d.Animation.BackBMP = s.BackBMP;
    d.Animation.IsBackBMP = s.IsBackBMP;
    d.Animation.BackColor = s.BackColor;
    d.ImgWidth = s.ImgWidth;
    d.ImgHeight = s.ImgHeight;
    d.AnInt = s.AnInt;
    d.Options = s.Options;
    d.ChangeNumber = s.ChangeNumber;
    fQRow = s.QRow;
    fOldIndex = s.OldIndex;
    fStrip.OldPos = s.OldPos;
    d.BMPSel = s.BMPSel;
    d.SelCen = s.SelCen;
    fIsDel = s.IsDel;
    d.IsStart = s.IsStart;
    d.IsChRot = s.IsChRot;
    fIsChDelay = s.IsChDelay;
    fIsChGoTo = s.IsChGoTo;
    d.IsFrOper = s.IsFrOper;
    d.OldFrame = s.OldFrame;
    d.CurIndex = s.CurIndex;

    // The rendered animation keeps its frames unless the step made them; it
    // no longer shows the project, so "Redraw Frames" is offered.
    Animation().SetLooping(s.Animation.Looping());
    Animation().SetRepeatCount(s.Animation.RepeatCount());
    Animation().SetTransparent(s.Animation.Transparent());
    d.RedrawEnabled = true;

    d.GetAnim();
    CountFocusedDrawObjs();
    SetRedraw();
    SetRectangles();
    CanvasTakesFrameSize();
    if (Hooks.FrameSize)
        Hooks.FrameSize(d.ImgWidth, d.ImgHeight);
    EditFrame();
    RedrawStrip();
    for (const auto& restored : fHistory.Restored)
        restored();
    Notify(Hooks.SelectionChanged);
    Notify(Hooks.AnimationChanged);
    Notify(Hooks.FrameChanged);
    Notify(Hooks.Caption);
}

void TEditorCore::AfterHistoryChange()
{
    Notify(Hooks.CommandStates);
    Notify(Hooks.History);
}

void TEditorCore::Undo()
{
    fHistory.Undo();
}

void TEditorCore::Redo()
{
    fHistory.Redo();
}
