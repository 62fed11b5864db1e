#include "platform/GrabSource.h"

#include "platform/PortalGrabSource.h"
#include "platform/ScreenGrab.h"
#include "platform/X11GrabSource.h"

void TGrabSource::GrabFull(TBitmap& bitmap)
{
    const TRect area = Area();
    Grab(bitmap, {area.Left, area.Top}, area.Width(), area.Height());
}

bool IsWaylandSession()
{
    if (CanGrabScreen())
        return false;
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE").compare(QStringLiteral("wayland"), Qt::CaseInsensitive) == 0;
}

std::unique_ptr<TGrabSource> MakeGrabSource()
{
    if (IsWaylandSession())
        return std::make_unique<TPortalGrabSource>();
    return std::make_unique<TX11GrabSource>();
}
