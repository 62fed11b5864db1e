#pragma once
// The screen read directly through the window system (X11, Xvfb).
#include "platform/GrabSource.h"

class TX11GrabSource : public TGrabSource {
public:
    // Raises EScreenGrabError(QNoDeviceContext) where the screen cannot be read.
    void Open() override;
    TRect Area() const override;
    void Grab(TBitmap& bitmap, TPoint leftTop, int width, int height) override;
};
