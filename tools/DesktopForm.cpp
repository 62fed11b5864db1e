#include "tools/DesktopForm.h"

#include "editor/core/ScreenRecording.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

TDesktopForm::TDesktopForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DesktopForm"));
    setWindowTitle(QStringLiteral("Screen"));
    // Placed exactly over every screen and above every window, without a frame.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
    setCursor(Qt::CrossCursor);
    setMouseTracking(false);
}

void TDesktopForm::ShowSnapshot(const TBitmap& snapshot, const TRect& screen)
{
    FSnapshot = snapshot.ConstImage().convertToFormat(QImage::Format_RGB32);
    // A scaled screen gives more real pixels than the window has points.
    if (screen.Width() > 0)
        FSnapshot.setDevicePixelRatio(qreal(FSnapshot.width()) / screen.Width());
    FImage = FSnapshot;
    FOrigin = {screen.Left, screen.Top};
    FArea = QSize(screen.Width(), screen.Height());
    FIsDraw = false;
    // A Wayland client cannot place its windows; it covers its screen instead.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        showFullScreen();
    } else {
        setGeometry(screen.Left, screen.Top, screen.Width(), screen.Height());
        show();
    }
    raise();
    activateWindow();
}

TPoint TDesktopForm::ToDesktop(int x, int y) const
{
    if (FArea.isEmpty() || size() == FArea)
        return {x + FOrigin.X, y + FOrigin.Y};
    const int px = int(qint64(x) * FArea.width() / std::max(1, width()));
    const int py = int(qint64(y) * FArea.height() / std::max(1, height()));
    return {FOrigin.X + std::clamp(px, 0, FArea.width() - 1), FOrigin.Y + std::clamp(py, 0, FArea.height() - 1)};
}

void TDesktopForm::FormMouseDown(int x, int y)
{
    const TPoint p = ToDesktop(x, y);
    X1 = p.X;
    Y1 = p.Y;
    FIsDraw = true;
    FormMouseMove(x, y);
}

void TDesktopForm::FormMouseMove(int x, int y)
{
    if (!FIsDraw)
        return;
    const TPoint p = ToDesktop(x, y);
    X2 = p.X;
    Y2 = p.Y;
    FRect = RecordRect({X1, Y1}, {X2, Y2});
    DrawRect();
}

void TDesktopForm::FormMouseUp(int x, int y)
{
    if (!FIsDraw)
        return;
    FormMouseMove(x, y);
    FIsDraw = false;
    hide();
    if (Selected)
        Selected(FRect);
}

void TDesktopForm::reject()
{
    FIsDraw = false;
    hide();
    if (Cancelled)
        Cancelled();
}

void TDesktopForm::DrawRect()
{
    FImage = FSnapshot;
    QPainter painter(&FImage);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    QPen pen(Qt::black, 3);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(FRect.Left - FOrigin.X, FRect.Top - FOrigin.Y),
                           QPoint(FRect.Right - FOrigin.X, FRect.Bottom - FOrigin.Y)));
    painter.end();
    update();
}

void TDesktopForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), FImage);
}

void TDesktopForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FormMouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void TDesktopForm::mouseMoveEvent(QMouseEvent* event)
{
    FormMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TDesktopForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FormMouseUp(event->position().toPoint().x(), event->position().toPoint().y());
}
