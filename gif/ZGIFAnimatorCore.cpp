#include "gif/ZGIFAnimatorCore.h"

#include <algorithm>

TZGIFAnimatorCore::TZGIFAnimatorCore()
{
    fImage.OnChange = [this] { ImageChanged(); };
}

TZGIFAnimatorCore::~TZGIFAnimatorCore()
{
    fImage.OnChange = nullptr;
    OnTimerEnabled = nullptr;
    fTimerEnabled = false;
}

void TZGIFAnimatorCore::ImageChanged()
{
    fComposer.Invalidate();
    FFrameIndex = fImage.FrameIndex();
    if (FFrameIndex >= 0 && fImage.Count() > 0)
        SetInterval(FrameDelay());
    Fire(OnPictureChanged);
    Fire(OnChange);
}

void TZGIFAnimatorCore::SetInterval(int milliseconds)
{
    fInterval = milliseconds;
    if (OnIntervalChanged)
        OnIntervalChanged(milliseconds);
}

int TZGIFAnimatorCore::FrameDelay() const
{
    if (FFrameIndex < 0 || FFrameIndex >= fImage.Count() || fImage.Count() < 2)
        return 0;
    return std::clamp<int>(fImage.Frames(FFrameIndex).AnimateInterval(), MinFrameDelay, MaxFrameDelay);
}

void TZGIFAnimatorCore::SetFrameIndex(int value)
{
    if (value == FFrameIndex || value < 0 || value >= fImage.Count())
        return;
    FFrameIndex = value;
    SetInterval(FrameDelay());
    Fire(OnFrameChanged);
    Fire(OnRepaint);
}

void TZGIFAnimatorCore::SetAnimate(bool value)
{
    if (value == fTimerEnabled)
        return;
    fTimerEnabled = value;
    if (OnTimerEnabled)
        OnTimerEnabled(value);
    if (value) {
        Fire(OnStart);
    } else {
        Fire(OnStop);
        Fire(OnRepaint);
    }
}

void TZGIFAnimatorCore::SetStretch(bool value)
{
    if (value == FStretch)
        return;
    FStretch = value;
    Fire(OnRepaint);
}

void TZGIFAnimatorCore::SetCenter(bool value)
{
    if (value == FCenter)
        return;
    FCenter = value;
    Fire(OnRepaint);
}

void TZGIFAnimatorCore::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Fire(OnRepaint);
}

void TZGIFAnimatorCore::Step()
{
    if ((CanStep && !CanStep()) || fImage.Count() < 2)
        return;
    FFrameIndex = FFrameIndex + 1 >= fImage.Count() ? 0 : FFrameIndex + 1;
    FTimerRepaint = true;
    Fire(OnFrameChanged);
    Fire(OnRepaint);
    FTimerRepaint = false;
    SetInterval(FrameDelay());
    if (!FLoop && FFrameIndex == 0)
        SetAnimate(false);
}

const TBitmap& TZGIFAnimatorCore::Composition(TColor& transColor)
{
    fComposer.Transparent = FTransparent;
    return fComposer.Compose(FFrameIndex, transColor);
}

bool TZGIFAnimatorCore::GetFrameBitmap(int index, TColor& transColor, TBitmap& bitmap)
{
    fComposer.Transparent = FTransparent;
    return fComposer.GetFrameBitmap(index, transColor, bitmap);
}

TRect TZGIFAnimatorCore::Placement(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) const
{
    if (FStretch)
        return TRect(0, 0, clientWidth, clientHeight);
    if (FCenter) {
        const int left = (clientWidth - pictureWidth) / 2;
        const int top = (clientHeight - pictureHeight) / 2;
        return TRect(left, top, left + pictureWidth, top + pictureHeight);
    }
    return TRect(0, 0, pictureWidth, pictureHeight);
}

bool TZGIFAnimatorCore::NothingToPaint() const
{
    return fImage.Empty() || FFrameIndex < 0 || fImage.ScreenWidth() < 1 || fImage.ScreenHeight() < 1;
}
