// TEditorCore: construction, the project life cycle.
#include "editor/core/EditorCore.h"

TEditorCore::TEditorCore(TDialogs& dialogs, TProgress& progress, TZGIFAnimatorCore* animator)
    : Dialogs(dialogs), fProgress(&progress), GIFAnimator(animator)
{
    if (!GIFAnimator) {
        fOwnAnimator = std::make_unique<TZGIFAnimatorCore>();
        GIFAnimator = fOwnAnimator.get();
        // Without a window the core handles its own animator's frame changes.
        GIFAnimator->OnFrameChanged = [this] { GIFAnimatorFrameChanged(); };
    }
    // A rendered animation can run to thousands of frames: they are kept packed.
    Animation().SetPackFrames(true);
    FillIBMP(200, 200);
    FillBitmap(fWork.FramePanelBMP, clWhite, 200, 200);
    FillBitmap(fWork.BMP, clWhite, 200, 200);
}

TEditorCore::~TEditorCore()
{
    if (fOwnAnimator)
        fOwnAnimator->OnFrameChanged = nullptr;
    // The figures paint into this object's bitmaps; they go first.
    ClearObjects();
}

void TEditorCore::ClearProject()
{
    for (auto& obj : Doc.DrawArr)
        obj->SetFocused(false);
    ClearObjects();
    Doc.ClearProject();
    fHistory.Clear();
    Progress().SetApply(true);
    Progress().SetShowApply(false);
    fGesture.Clear(); // no gesture, drag, draw-out or nudge outlives the figures
    IsPlaying = false;
    fStrip.FrCount = 0;
    fStrip.ImgH = 0;
    fStrip.OldPos = 0;
    fIsDel = true;
    fQRow = 0;
    fIsChDelay = false;
    fWork.GIFRect = {0, 0, 200, 200};
    fWork.BMPRect = {0, 0, 200, 200};

    GIFAnimator->SetAnimate(false);
    Animation().Clear();
    Animation().SetTransparent(false);
    SetLoop(true);

    CanvasTakesFrameSize();
    EditFrame();
    Notify(Hooks.SelectionChanged);
    Notify(Hooks.AnimationChanged);
    Notify(Hooks.Caption);
    Notify(Hooks.CommandStates);
}

TEditorView TEditorCore::StoredView() const
{
    return {fStrip.FrCount, fStrip.ImgH, fStrip.OldPos, fIsDel, fQRow, fOldIndex, fIsChDelay, fIsChGoTo};
}

void TEditorCore::SetStoredView(const TEditorView& view)
{
    fStrip.FrCount = view.FrCount;
    fStrip.ImgH = view.ImgH;
    fStrip.OldPos = view.OldPos;
    fIsDel = view.IsDel;
    fQRow = view.QRow;
    fOldIndex = view.OldIndex;
    fIsChDelay = view.IsChDelay;
    fIsChGoTo = view.IsChGoTo;
}

void TEditorCore::NewProject()
{
    ClearProject();
    AddFrames(0);
    Doc.OldFrame = 0;
    Doc.IsFrOper = false;
    Doc.IsModify = false;
    Notify(Hooks.FrameChanged);
    Notify(Hooks.CommandStates);
}

void TEditorCore::CanvasTakesFrameSize()
{
    FillBitmap(fWork.FramePanelBMP, clWhite, Doc.ImgWidth, Doc.ImgHeight);
    if (Hooks.CanvasSize) {
        const bool resize = IsEditorResize;
        IsEditorResize = false; // the widget's resize must not come back as an edit
        Hooks.CanvasSize(Doc.ImgWidth, Doc.ImgHeight);
        IsEditorResize = resize;
    }
}
