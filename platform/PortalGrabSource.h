#pragma once
// The screen as a Wayland desktop shares it: the screen-cast portal asks the
// user which screen or window to share, once, and its pictures arrive over
// PipeWire. Coordinates are those of the shared picture, (0, 0) at its top
// left; each grab cuts the latest picture.
#include "platform/GrabSource.h"

#include <memory>

class TPipeWireStream;
class TScreenCastPortal;

class TPortalGrabSource : public TGrabSource {
public:
    TPortalGrabSource();
    ~TPortalGrabSource() override;

    // The first call asks the portal and waits for the first picture; later
    // calls only check that the sharing still runs.
    void Open() override;
    TRect Area() const override;
    void Grab(TBitmap& bitmap, TPoint leftTop, int width, int height) override;
    bool Ended() const override;

    // How long Open waits for the first picture, ms.
    static constexpr int FirstFrameTimeout = 10000;

private:
    std::unique_ptr<TScreenCastPortal> Portal;
    std::unique_ptr<TPipeWireStream> Stream;
};
