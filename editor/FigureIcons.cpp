#include "editor/FigureIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace {

constexpr int IconSize = 24;

QPolygonF RegularStar(int points, double outer, double inner)
{
    QPolygonF polygon;
    const double pi = std::acos(-1.0);
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -pi / 2 + i * pi / points;
        polygon << QPointF(12 + r * std::cos(a), 12.5 + r * std::sin(a));
    }
    return polygon;
}

void Draw(QPainter& p, TFigureButton button)
{
    const QColor line(0x0b, 0x4f, 0x8a);
    const QColor fill(0x9f, 0xd0, 0xf5);
    p.setPen(QPen(line, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    switch (button) {
    case TFigureButton::Point:
        p.setBrush(line);
        p.drawEllipse(QPointF(12, 12), 4, 4);
        break;
    case TFigureButton::Line:
        p.drawLine(QPointF(4, 19), QPointF(20, 5));
        break;
    case TFigureButton::LLine:
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(4, 5), QPointF(4, 19), QPointF(20, 19)}));
        break;
    case TFigureButton::ZLine:
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 5), QPointF(12, 5), QPointF(12, 19), QPointF(21, 19)}));
        break;
    case TFigureButton::Bezier: {
        QPainterPath path(QPointF(3, 18));
        path.cubicTo(QPointF(6, 0), QPointF(16, 26), QPointF(21, 6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        break;
    }
    case TFigureButton::Rectangle:
        p.drawRect(QRectF(4, 6, 16, 12));
        break;
    case TFigureButton::Diamond:
        p.drawPolygon(QPolygonF({QPointF(12, 3), QPointF(21, 12), QPointF(12, 21), QPointF(3, 12)}));
        break;
    case TFigureButton::Ellipse:
        p.drawEllipse(QRectF(3, 6, 18, 12));
        break;
    case TFigureButton::Star:
        p.drawPolygon(RegularStar(5, 9.5, 4));
        break;
    case TFigureButton::Polygon:
        p.drawPolygon(QPolygonF({QPointF(12, 3), QPointF(21, 10), QPointF(17, 20), QPointF(7, 20), QPointF(3, 10)}));
        break;
    case TFigureButton::Arrow:
        p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(13, 9), QPointF(13, 4), QPointF(21, 12), QPointF(13, 20),
                                 QPointF(13, 15), QPointF(3, 15)}));
        break;
    case TFigureButton::Text: {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(18);
        font.setBold(true);
        p.setFont(font);
        p.setPen(line);
        p.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, QStringLiteral("T"));
        break;
    }
    case TFigureButton::TextBezier: {
        QPainterPath path(QPointF(3, 19));
        path.cubicTo(QPointF(7, 4), QPointF(17, 4), QPointF(21, 19));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(fill.darker(130), 1.2, Qt::DashLine));
        p.drawPath(path);
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(line);
        p.drawText(QRect(0, 4, IconSize, 12), Qt::AlignCenter, QStringLiteral("abc"));
        break;
    }
    case TFigureButton::Picture:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 5, 18, 14));
        p.setBrush(QColor(0x5c, 0xae, 0x4c));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(4, 18), QPointF(10, 10), QPointF(14, 15), QPointF(16, 13), QPointF(20, 18)}));
        p.setBrush(QColor(0xf2, 0xb1, 0x1b));
        p.drawEllipse(QPointF(16.5, 9), 2, 2);
        break;
    }
}

} // namespace

QIcon FigureIcon(TFigureButton button)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, button);
    painter.end();
    return QIcon(pixmap);
}
