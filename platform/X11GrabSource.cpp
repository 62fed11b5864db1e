#include "platform/X11GrabSource.h"

#include "platform/ScreenGrab.h"

void TX11GrabSource::Open()
{
    if (!CanGrabScreen())
        throw EScreenGrabError(QNoDeviceContext);
}

TRect TX11GrabSource::Area() const
{
    return ScreenRect();
}

void TX11GrabSource::Grab(TBitmap& bitmap, TPoint leftTop, int width, int height)
{
    GrabScreen(bitmap, leftTop, width, height);
}
