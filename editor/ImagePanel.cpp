#include "editor/ImagePanel.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TImagePanel::TImagePanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImagePanel::SetPicture(const TBitmap& picture)
{
    fPicture = picture;
    update();
}

void TImagePanel::SetStretch(bool value)
{
    fStretch = value;
    update();
}

void TImagePanel::SetZoom(const TCanvasZoom& zoom)
{
    fZoom = zoom;
    update();
}

TPoint TImagePanel::PicturePoint(const QPointF& p) const
{
    return fZoom.ToFrame(p.x(), p.y());
}

void TImagePanel::SetFillColor(const QColor& color)
{
    fFillColor = color;
    update();
}

QSize TImagePanel::sizeHint() const
{
    return fPicture.Empty() || fStretch ? QSize(100, 100) : QSize(fPicture.Width(), fPicture.Height());
}

void TImagePanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), fFillColor.isValid() ? fFillColor : palette().color(QPalette::Window));
    if (fPicture.Empty())
        return;
    const QImage& image = fPicture.ConstImage();
    if (!fStretch) {
        if (fZoom.Percent() == 100)
            painter.drawImage(0, 0, image);
        else
            fZoom.Paint(painter, image, event->rect());
        return;
    }
    const QSize fitted = image.size().scaled(size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), fitted), image);
}

void TImagePanel::mousePressEvent(QMouseEvent* event)
{
    const TPoint p = PicturePoint(event->position());
    emit MouseDown(event->button(), event->modifiers(), p.X, p.Y);
}

void TImagePanel::mouseMoveEvent(QMouseEvent* event)
{
    const TPoint p = PicturePoint(event->position());
    emit MouseMove(event->buttons(), event->modifiers(), p.X, p.Y);
}

void TImagePanel::mouseReleaseEvent(QMouseEvent* event)
{
    const TPoint p = PicturePoint(event->position());
    emit MouseUp(event->button(), event->modifiers(), p.X, p.Y);
    if (event->button() == Qt::RightButton && contextMenuPolicy() == Qt::ActionsContextMenu
        && rect().contains(event->position().toPoint()))
        PopupMenu(event->globalPosition().toPoint());
}

bool TImagePanel::event(QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || contextMenuPolicy() != Qt::ActionsContextMenu)
        return QWidget::event(event);
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    // The mouse's request comes with the press; the release opens the menu.
    if (menuEvent->reason() != QContextMenuEvent::Mouse)
        PopupMenu(menuEvent->globalPos());
    event->accept();
    return true;
}

void TImagePanel::PopupMenu(const QPoint& globalPos)
{
    if (actions().isEmpty())
        return;
    emit MenuOpening();
    if (!fMenu) {
        fMenu = new QMenu(this);
        fMenu->setObjectName(objectName() + QStringLiteral("Menu"));
    }
    fMenu->clear();
    fMenu->addActions(actions());
    fMenu->popup(globalPos);
}

void TImagePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit Resized();
}
