#include "editor/ColorShape.h"

#include <QPainter>

TColorShape::TColorShape(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setMinimumSize(24, 18);
}

void TColorShape::SetColor(TColor color)
{
    fColor = color;
    update();
}

void TColorShape::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), QColor::fromRgb(ColorToQRgb(fColor)));
    }
    QFrame::paintEvent(event);
}
