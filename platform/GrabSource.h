#pragma once
// Where screen pictures come from. On X11 the program reads the screen itself;
// in a Wayland session the desktop shares a screen or window through its
// screen-cast portal and sends the pictures over PipeWire. The recorder and
// "zembra record" see only this interface; MakeGrabSource picks the source for
// the session the program runs in.
#include "platform/Bitmap.h"
#include "platform/Types.h"

#include <memory>

class TGrabSource {
public:
    virtual ~TGrabSource() = default;

    // Makes the source ready to grab: a portal asks the user what to share
    // (once per source) and waits for the first picture. Raises
    // EScreenGrabError with the reason when nothing can be grabbed.
    virtual void Open() = 0;
    // The area that can be grabbed, in the source's coordinates: the virtual
    // desktop on X11, the shared picture (from 0, 0) under a portal.
    virtual TRect Area() const = 0;
    // Sizes the bitmap and copies (leftTop, width x height) of the area into
    // it; what lies outside the area is black. Raises EScreenGrabError.
    virtual void Grab(TBitmap& bitmap, TPoint leftTop, int width, int height) = 0;
    // The whole area: the picture the rectangle is chosen on.
    void GrabFull(TBitmap& bitmap);
    // True once the source has stopped for good (the user ended the sharing);
    // a recording then ends with the frames it has.
    virtual bool Ended() const { return false; }
};

// True in a Wayland session (WAYLAND_DISPLAY, or XDG_SESSION_TYPE=wayland)
// unless the program reads a real X11 screen.
bool IsWaylandSession();

// The portal source in a Wayland session, else the X11 grab.
std::unique_ptr<TGrabSource> MakeGrabSource();
