// TEditorCore: "Redraw Frames" — every frame of the animation rendered again
// from the project, under the progress window.
#include "editor/core/EditorCore.h"

#include <algorithm>

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

void TEditorCore::ApplyFig()
{
    TZGIFImage& animation = Animation();
    const TQAnimation& project = Doc.Animation;
    const int backFrames = project.BackGIF.Count();

    // 1. Render target, canvas order, the frame to come back to.
    Doc.IsRedrawFrames = true;
    Doc.FigOrd.clear();
    for (const auto& obj : Doc.DrawArr)
        Doc.FigOrd.push_back(obj->FigNum);
    FillBitmap(BMP, project.BackColor, Doc.ImgWidth, Doc.ImgHeight);
    const int goTo = FrameCount() > 0 ? FrameIndex() + 1 : 1;
    ClearAnimation();

    // 2. Every frame.
    const int count = GetMaxNum();
    bool cancelled = false;
    if (count >= 1) {
        Progress().ApplyStart(count - 1, Msg.QFrameRedraw);
        for (int i = 0; i < count; ++i) {
            if (!Progress().IsApply()) {
                cancelled = true;
                break;
            }
            TColor key = project.BackColor;
            if (i < backFrames) {
                DrawGIFFrame(i);
            } else if (project.IsBackBMP) {
                // Beside a fitted picture the frame shows the background
                // colour, as in the editor; only a transparent frame takes
                // the picture's key there, so that it stays see-through.
                key = project.BackBMP.TransparentColor();
                FillBMP(Doc.Options.BackTransparent ? key : project.BackColor);
                DrawBackPicture(BMP);
            } else {
                FillBMPBack();
            }

            Doc.CurIndex = i;
            Doc.GetAnim();
            DrawFigures();
            SetBitmapTransparent(BMP, project.BackColor);

            Pic = BMP;
            const int added = animation.AddFrame(Pic);
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
            Progress().SetProgress(i);
        }
        if (!Progress().IsApply())
            cancelled = true;
        Progress().Close();
    }

    // 3. A cancelled pass leaves no frames; loop and transparency from the page.
    if (cancelled)
        ClearAnimation();
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
}

void TEditorCore::RedrawAnimation()
{
    DrawOld();
    ApplyFig();
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
