#pragma once
// Copying pixels from the screen: the stand-in for a block transfer from the
// screen's device context. Works where the window system lets a client read
// the screen (an X11 server, Xvfb); elsewhere every grab fails with
// QNoDeviceContext, so a caller never records black frames.
#include "platform/Bitmap.h"
#include "platform/Types.h"

#include <QString>
#include <stdexcept>

inline const QString QNoDeviceContext = QStringLiteral("Cannot get device context of the window");

class EScreenGrabError : public std::runtime_error {
public:
    explicit EScreenGrabError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The virtual desktop (every screen) in the application's coordinates.
TRect ScreenRect();

// Sizes the bitmap and copies the screen's pixels at (leftTop, width x height)
// into it, 24 bits per pixel. Coordinates are those of the virtual desktop; on
// a scaled (high-density) screen the bitmap receives the screen's real pixels,
// so it is larger than width x height. What lies off every screen is black.
// Raises EScreenGrabError(QNoDeviceContext) when the screen cannot be read.
void GrabScreen(TBitmap& bitmap, TPoint leftTop, int width, int height);

// The whole virtual desktop.
void GrabFullScreen(TBitmap& bitmap);

// Whether this process can read the screen at all.
bool CanGrabScreen();
