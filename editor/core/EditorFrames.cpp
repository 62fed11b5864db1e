// TEditorCore: the figures' state when the current frame changes and the
// preview's frame changes.
#include "editor/core/EditorCore.h"

void TEditorCore::DrawOld()
{
    int frame = Doc.OldFrame;
    if (frame < 0) {
        if (FrameIndex() != 0)
            return;
        frame = 0;
    }
    Doc.CurIndex = frame;
    Doc.SetAnim();
}

void TEditorCore::DrawNew()
{
    Doc.OldFrame = FrameIndex();
    Doc.CurIndex = Doc.OldFrame;
    Doc.GetAnim();
    DrawFrameBuffer();
}

void TEditorCore::ChAnim()
{
    DrawOld();
    DrawNew();
}

void TEditorCore::FrameChange()
{
    EditFrame();
    // The strip scrolls so that the current frame stays in view.
    const int c = FrameIndex();
    if (Doc.FrCount > 0 && c >= 0) {
        if (c >= Doc.OldPos + Doc.FrCount)
            Doc.OldPos = c - Doc.FrCount + 1;
        else if (c < Doc.OldPos)
            Doc.OldPos = c;
    }
    SetScroll();
    DrawFrames(Doc.OldPos);
    Notify(Hooks.FrameChanged);
    Notify(Hooks.CommandStates);
}

void TEditorCore::GIFAnimatorFrameChanged()
{
    if (IsPlaying || GIFAnimator->Animate())
        return;
    ChAnim();
    Doc.DeleteChangesEnabled = Doc.GetFrInd() >= 0;
    FrameChange();
}

void TEditorCore::Play()
{
    ConfirmRedraw();
    Doc.OldIndex = FrameIndex();
    // The figures' state is stored into the shown frame before it moves on.
    DrawOld();
    IsPlaying = true;
    GIFAnimator->SetAnimate(true);
    Notify(Hooks.CommandStates);
}

void TEditorCore::Stop()
{
    GIFAnimator->SetAnimate(false);
    if (!IsPlaying)
        return;
    IsPlaying = false;
    GIFAnimatorFrameChanged(); // the figures follow the frame playing stopped at
}
