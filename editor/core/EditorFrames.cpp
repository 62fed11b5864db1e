// TEditorCore: the figures' state when the current frame changes, adding a
// frame, and the preview's frame changes.
#include "editor/core/EditorCore.h"

#include <algorithm>

namespace {

// Frame durations are 16-bit milliseconds; longer defaults are held at the most a frame takes.
uint16_t FrameDuration(int milliseconds)
{
    return static_cast<uint16_t>(std::clamp(milliseconds, 0, 65535));
}

} // namespace

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
    Notify(Hooks.FrameChanged);
    Notify(Hooks.CommandStates);
}

void TEditorCore::GIFAnimatorFrameChanged()
{
    if (IsPlaying || GIFAnimator->Animate())
        return;
    ChAnim();
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

void TEditorCore::AddFrames(int mode)
{
    if (mode != 0)
        return; // pasting and duplicating frames belong to the frame strip
    TZGIFImage& animation = Animation();
    FillBitmap(Pic, Doc.Animation.BackColor, Doc.ImgWidth, Doc.ImgHeight);
    Doc.BMPSel.clear();

    const int current = FrameIndex();
    const int next = current + 1;
    const TZGIFImage& back = Doc.Animation.BackGIF;
    TBitmap content;
    if (next < back.Count()) {
        // The background GIF's frame there: its composite when there is one,
        // so that a partial GIF frame still fills the whole frame.
        const int list = Doc.BackNum;
        if (list >= 0 && list < static_cast<int>(Doc.BMPGIF.size())
            && next < static_cast<int>(Doc.BMPGIF[static_cast<size_t>(list)].size())
            && !Doc.BMPGIF[static_cast<size_t>(list)][static_cast<size_t>(next)].Empty()) {
            FillBitmapBack(content);
            DrawGIFFrameAll(next, content);
        } else {
            back.Frames(next).AssignTo(content);
        }
    } else if (Doc.Animation.IsBackBMP && !Doc.Animation.BackBMP.Empty()) {
        content = Doc.Animation.BackBMP;
    }
    const TBitmap& picture = content.Empty() ? Pic : content;

    const int added = animation.AddFrame(picture);
    animation.Frames(added).SetAnimateInterval(FrameDuration(Doc.AnInt));

    if (animation.Count() < 2) {
        SetFrameIndex(added);
    } else {
        SetFrameIndex(next);
        if (added != next)
            animation.MoveFrame(added, next);
    }
    Doc.BMPSel.push_back(FrameIndex());

    ChAnim();
    FrameChange();
    Doc.BMPSel.assign(1, FrameIndex());
    Notify(Hooks.AnimationChanged);
    Notify(Hooks.Caption);
    Notify(Hooks.CommandStates);
}
