#include "platform/ScreenGrab.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

[[noreturn]] void Fail()
{
    throw EScreenGrabError(QNoDeviceContext);
}

// The screen holding the point, else the primary one.
QScreen* ScreenAt(TPoint point)
{
    if (QScreen* screen = QGuiApplication::screenAt(point.toQPoint()))
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

bool CanGrabScreen()
{
    // Only an X11 connection can read other clients' pixels. An X11 server that
    // is only a Wayland compatibility layer (XWayland) shows Wayland windows as
    // black, so a Wayland session counts as one that refuses the grab.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return false;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE").compare(QStringLiteral("wayland"), Qt::CaseInsensitive) == 0)
        return false;
    return QGuiApplication::primaryScreen() != nullptr;
}

TRect ScreenRect()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || !QGuiApplication::primaryScreen())
        return {};
    const QRect r = QGuiApplication::primaryScreen()->virtualGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void GrabScreen(TBitmap& bitmap, TPoint leftTop, int width, int height)
{
    if (width <= 0 || height <= 0 || !CanGrabScreen())
        Fail();
    QScreen* screen = ScreenAt(leftTop);
    // Qt scales the position by the screen's factor without regard to where
    // the screen starts; a scaled screen right of or below the origin needs
    // its position given so that the scaling lands on its real pixels.
    const qreal factor = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();
    int x = leftTop.X;
    int y = leftTop.Y;
    if (factor != 1.0) {
        x = int(std::lround(origin.x() / factor)) + leftTop.X - origin.x();
        y = int(std::lround(origin.y() / factor)) + leftTop.Y - origin.y();
    }
    const QPixmap pixmap = screen->grabWindow(0, x, y, width, height);
    if (pixmap.isNull())
        Fail();
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        Fail();
    image.setDevicePixelRatio(1.0);
    // The server gives only what lies on the screen; the rest stays black, so
    // that every grab of one area has the same size.
    const QSize full(int(std::lround(width * factor)), int(std::lround(height * factor)));
    if (image.size() != full) {
        const TRect desktop = ScreenRect();
        QImage padded(full, QImage::Format_RGB32);
        padded.fill(Qt::black);
        QPainter painter(&padded);
        painter.drawImage(QPoint(int(std::lround(std::max(0, desktop.Left - leftTop.X) * factor)),
                                 int(std::lround(std::max(0, desktop.Top - leftTop.Y) * factor))),
                          image);
        painter.end();
        image = padded;
    }
    bitmap = TBitmap(image);
}

void GrabFullScreen(TBitmap& bitmap)
{
    const TRect r = ScreenRect();
    GrabScreen(bitmap, {r.Left, r.Top}, r.Width(), r.Height());
}
