// TEditorCore: "Redraw Frames" — every frame of the animation rendered again
// from the project, under the progress window.
#include "editor/core/EditorCore.h"

#include "platform/SystemMemory.h"

#include <algorithm>
#include <exception>

namespace {

// The largest bitmap that can be made (as in Bitmap.cpp): 2^28 pixels.
constexpr int64_t kMaxFramePixels = int64_t(1) << 28;

// Rendered frames are kept packed, a few of them decoded as well. Full-colour
// frames pack to about half of their 24-bit size at worst, frames of few
// colours to far less; the pass starts only when the frame is within the
// bitmap limit and the frames, at that worst size, fit in three quarters of
// the memory still available.
bool FramesFitInMemory(int count, int width, int height, int64_t cacheBudget)
{
    const int64_t pixels = int64_t(std::max(width, 1)) * std::max(height, 1);
    if (pixels > kMaxFramePixels)
        return false;
    const int64_t rowBytes = (int64_t(std::max(width, 1)) * 3 + 3) / 4 * 4;
    const int64_t frameBytes = rowBytes * std::max(height, 1) / 2 + 512;
    return cacheBudget + int64_t(count) * frameBytes <= AvailableMemory() / 4 * 3;
}

} // namespace

void TEditorCore::ClearAnimation()
{
    TZGIFImage& animation = Animation();
    const bool looping = animation.Looping();
    const uint16_t repeat = animation.RepeatCount();
    const bool transparent = animation.Transparent();
    animation.Clear();
    animation.SetLooping(looping);
    animation.SetRepeatCount(repeat);
    animation.SetTransparent(transparent);
}

void TEditorCore::SetLoop(bool flag)
{
    Animation().SetLooping(flag);
    Animation().SetRepeatCount(static_cast<uint16_t>(flag ? 0 : std::clamp(Doc.Options.RepeatCount, 1, 1000)));
}

bool TEditorCore::ApplyFig()
{
    TZGIFImage& animation = Animation();
    const TQAnimation& project = Doc.Animation;
    const int backFrames = project.BackGIF.Count();

    // 1. Render target, canvas order, the frame to come back to.
    Doc.IsRedrawFrames = true;
    Doc.FigOrd.clear();
    for (const auto& obj : Doc.DrawArr)
        Doc.FigOrd.push_back(obj->FigNum);
    const int count = GetMaxNum();
    // Frames that cannot all be held leave the animation as it is.
    if (!FramesFitInMemory(count, Doc.ImgWidth, Doc.ImgHeight, animation.CacheBudget())) {
        Doc.IsRedrawFrames = false;
        Dialogs.ShowMessage(Msg.QRAM);
        return false;
    }
    FillBitmap(fWork.BMP, project.BackColor, Doc.ImgWidth, Doc.ImgHeight);
    const int goTo = FrameCount() > 0 ? FrameIndex() + 1 : 1;
    ClearAnimation();

    // 2. Every frame.
    bool cancelled = false;
    bool outOfMemory = false;
    if (count >= 1) {
        Progress().ApplyStart(count - 1, Msg.QFrameRedraw);
        for (int i = 0; i < count; ++i) {
            if (!Progress().IsApply()) {
                cancelled = true;
                break;
            }
            try {
                TColor key = project.BackColor;
                if (i < backFrames) {
                    DrawGIFFrame(i);
                } else if (project.IsBackBMP) {
                    // Beside a fitted picture the frame shows the background
                    // colour, as in the editor; only a transparent frame takes
                    // the picture's key there, so that it stays see-through.
                    key = project.BackBMP.TransparentColor();
                    FillBMP(Doc.Options.BackTransparent ? key : project.BackColor);
                    DrawBackPicture(fWork.BMP);
                } else {
                    FillBMPBack();
                }

                Doc.CurIndex = i;
                Doc.GetAnim();
                DrawFigures();
                SetBitmapTransparent(fWork.BMP, project.BackColor);

                fWork.Pic = fWork.BMP;
                const int added = animation.AddFrame(fWork.Pic);
                TZGIFFrame& frame = animation.Frames(added);
                int duration = Doc.AnInt;
                if (i < backFrames) {
                    duration = project.BackGIF.Frames(i).AnimateInterval();
                    if (duration == 0)
                        duration = 10;
                }
                frame.SetAnimateInterval(static_cast<uint16_t>(std::clamp(duration, 0, 65535)));
                const TColor frameKey = Doc.Options.BackTransparent ? key : clNone;
                frame.SetTransparentColor(frameKey);
                TBitmap& frameBitmap = frame.Bitmap();
                frameBitmap.SetTransparent(Doc.Options.BackTransparent);
                if (Doc.Options.BackTransparent)
                    frameBitmap.SetTransparentColor(frameKey);
                frame.SetDisposalMethod(TDisposalMethod::dmRestoreBackground);
            } catch (const std::exception&) {
                // Memory ran out after all (a bitmap or a frame could not be
                // made): the pass ends like a cancel, no frames are left.
                outOfMemory = cancelled = true;
                break;
            }
            Progress().SetProgress(i);
        }
        if (!Progress().IsApply())
            cancelled = true;
        Progress().Close();
    }

    // 3. A cancelled pass leaves no frames; loop and transparency from the page.
    if (cancelled)
        ClearAnimation();
    if (outOfMemory)
        Dialogs.ShowMessage(Msg.QRAM);

    Progress().SetApply(false);
    animation.SetTransparent(Doc.Options.BackTransparent);
    SetLoop(Doc.Options.InfiniteLoop);

    // 4. Back to editing.
    Doc.IsRedrawFrames = false;
    DrawNew();
    EditFrame();
    Doc.IsModify = true;
    Doc.IsFrOper = false;
    Notify(Hooks.AnimationChanged);

    // 5. The frame shown before, or a background frame when none is left.
    if (animation.Count() > 0) {
        const int target = animation.Count() < goTo ? 1 : goTo;
        SetFrameIndex(target - 1);
    } else {
        Progress().SetApply(true);
        AddFrames(0);
        Progress().SetApply(false);
    }

    // 6.
    Doc.RedrawEnabled = false;
    Notify(Hooks.FrameChanged);
    Notify(Hooks.Caption);
    Notify(Hooks.CommandStates);
    return !outOfMemory;
}

void TEditorCore::RedrawAnimation()
{
    DrawOld();
    if (ApplyFig())
        Doc.RedrawEnabled = false;
    Notify(Hooks.CommandStates);
}

void TEditorCore::ConfirmRedraw()
{
    if (!IsRedraw || !Doc.RedrawEnabled)
        return;
    QString question = Msg.QRedraw;
    if (Doc.IsFrOper)
        question += QStringLiteral("\r\n") + Msg.QAfter;
    if (Dialogs.AskYesNo(question))
        RedrawAnimation();
}

void TEditorCore::RedrawButtonClick()
{
    if (Doc.IsFrOper)
        ConfirmRedraw();
    else
        RedrawAnimation();
}
