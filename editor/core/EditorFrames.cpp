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
    if (fStrip.FrCount > 0 && c >= 0) {
        if (c >= fStrip.OldPos + fStrip.FrCount)
            fStrip.OldPos = c - fStrip.FrCount + 1;
        else if (c < fStrip.OldPos)
            fStrip.OldPos = c;
    }
    SetScroll();
    DrawFrames(fStrip.OldPos);
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
    fOldIndex = FrameIndex();
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
