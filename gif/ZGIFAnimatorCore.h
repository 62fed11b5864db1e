#pragma once
// TZGIFAnimatorCore: the playing logic of the GIF preview without any widget:
// the owned image, the shown frame, stepping, frame delays, looping, the
// composition cache and where the picture goes in the client area. A widget
// (TZGIFAnimator) owns the timer and the painting and plugs into the hooks.
#include "gif/GIFComposer.h"
#include "gif/ZGIFImage.h"
#include "platform/Types.h"

#include <functional>

class TZGIFAnimatorCore {
public:
    using TNotify = std::function<void()>;

    static constexpr int MinFrameDelay = 50;
    static constexpr int MaxFrameDelay = 10000;

    TZGIFAnimatorCore();
    ~TZGIFAnimatorCore();
    TZGIFAnimatorCore(const TZGIFAnimatorCore&) = delete;
    TZGIFAnimatorCore& operator=(const TZGIFAnimatorCore&) = delete;

    // The owned image; edits to it in place run the change handler.
    TZGIFImage& Image() { return fImage; }
    // The owned image assigns the given one.
    void SetImage(const TZGIFImage& source) { fImage.Assign(source); }

    int FrameIndex() const { return FFrameIndex; }
    // Ignored when equal to the current value, negative, or not below the frame count.
    void SetFrameIndex(int value);
    bool Animate() const { return fTimerEnabled; }
    void SetAnimate(bool value);
    bool Loop() const { return FLoop; }
    void SetLoop(bool value) { FLoop = value; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool TimerRepaint() const { return FTimerRepaint; }

    // How long the shown frame stays up: its duration clamped to 50..10000 ms;
    // 0 when the frame is out of range or the image has fewer than two frames.
    int FrameDelay() const;
    // One timer tick: the next frame (after the last comes frame 0). Stops the
    // animation on reaching frame 0 when Loop is off.
    void Step();

    // The composition of the shown frame and its transparent colour.
    const TBitmap& Composition(TColor& transColor);
    bool GetFrameBitmap(int index, TColor& transColor, TBitmap& bitmap);
    // Where the composition goes in a client area: the whole area with Stretch,
    // centred with Center, else at 0,0 at its own size.
    TRect Placement(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) const;
    // Nothing to paint: no frames, no frame shown, or a logical screen under 1 x 1.
    bool NothingToPaint() const;

    // Events of the control.
    TNotify OnChange, OnFrameChanged, OnStart, OnStop;
    // Hooks for the widget: the timer's interval changed (restart the wait),
    // the timer is switched on or off, a repaint is needed, the picture changed
    // (size and repaint), and whether a step may run now (visible, parented).
    std::function<void(int milliseconds)> OnIntervalChanged;
    std::function<void(bool enabled)> OnTimerEnabled;
    TNotify OnRepaint, OnPictureChanged;
    std::function<bool()> CanStep;

private:
    void ImageChanged();
    void Fire(const TNotify& event) const
    {
        if (event)
            event();
    }
    void SetInterval(int milliseconds);

    TZGIFImage fImage;
    TGIFComposer fComposer{fImage};
    int FFrameIndex = -1;
    bool FStretch = false;
    bool FLoop = true;
    bool FCenter = false;
    bool FTransparent = true;
    bool FTimerRepaint = false;
    bool fTimerEnabled = false;
    int fInterval = 1000;
};
