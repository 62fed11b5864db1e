#include "editor/ImagePanel.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
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

void TImagePanel::SetFillColor(const QColor& color)
{
    fFillColor = color;
    update();
}

QSize TImagePanel::sizeHint() const
{
    return fPicture.Empty() || fStretch ? QSize(100, 100) : QSize(fPicture.Width(), fPicture.Height());
}

void TImagePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fFillColor.isValid() ? fFillColor : palette().color(QPalette::Window));
    if (fPicture.Empty())
        return;
    const QImage& image = fPicture.ConstImage();
    if (!fStretch) {
        painter.drawImage(0, 0, image);
        return;
    }
    const QSize fitted = image.size().scaled(size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), fitted), image);
}

void TImagePanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TImagePanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void TImagePanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::RightButton && contextMenuPolicy() == Qt::ActionsContextMenu && rect().contains(p))
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
