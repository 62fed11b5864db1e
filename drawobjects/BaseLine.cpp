#include "drawobjects/BaseLine.h"

#include "drawobjects/DrawHelpers.h"

#include <cmath>

int ArrowPullBack(int penWidth)
{
    return (penWidth * 2) / 3 + 5;
}

int ArrowHeadLength(int penWidth)
{
    return 5 + (2 * penWidth) / 3;
}

TPoint ShortenToward(TPoint from, TPoint tip, int d)
{
    if (from == tip)
        return tip;
    const long double dx = static_cast<long double>(tip.X) - from.X;
    const long double dy = static_cast<long double>(tip.Y) - from.Y;
    const long double len = std::hypot(dx, dy);
    return {tip.X - RoundEven(d * dx / len), tip.Y - RoundEven(d * dy / len)};
}

void DrawArrowHead(TCanvas& canvas, TPoint from, TPoint tip)
{
    const int savedWidth = canvas.Pen.Width;
    const TBrush savedBrush = canvas.Brush;
    const long double l = ArrowHeadLength(savedWidth);
    if (savedWidth > 2)
        canvas.Pen.Width = 2;

    long double ux = 0, uy = 0;
    if (from != tip) {
        const long double dx = static_cast<long double>(tip.X) - from.X;
        const long double dy = static_cast<long double>(tip.Y) - from.Y;
        const long double len = std::hypot(dx, dy);
        ux = dx / len;
        uy = dy / len;
    }
    const long double px = uy, py = -ux;
    const TPoint base{tip.X - RoundEven(l * ux * 1.75L), tip.Y - RoundEven(l * uy * 1.75L)};
    const TPoint notch{tip.X - RoundEven(l * ux), tip.Y - RoundEven(l * uy)};
    const TPoint wing{RoundEven(l * px), RoundEven(l * py)};
    const TPoint head[4] = {tip, base + wing, notch, base - wing};

    // The head is solid even on a dashed line, whose brush is clear.
    canvas.Brush.Color = canvas.Pen.Color;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Polygon(head);
    canvas.Brush = savedBrush;
    canvas.Pen.Width = savedWidth;
}

TBaseLine::TBaseLine(IDrawOwner* owner) : TDrawObject(owner) {}

int TBaseLine::DecorationPad() const
{
    if (!fArrow1 && !fArrow2)
        return 0;
    // The head's radius rounded up, one pixel for each rounded coordinate and
    // one for its outline, which is at most 2 pixels wide.
    const long double l = ArrowHeadLength(fPen.Width);
    return static_cast<int>(std::ceil(l * std::hypot(1.75L, 1.0L))) + 2;
}

void TBaseLine::DrawWithArrows(TCanvas& canvas, std::span<TPoint> points, const TLineBody& body,
                               bool clearBrushForDashes)
{
    const size_t n = points.size();
    if (n < 2) {
        body(points);
        return;
    }
    const TPoint first = points[0];
    const TPoint last = points[n - 1];
    const int d = ArrowPullBack(canvas.Pen.Width);
    if (fArrow2)
        points[n - 1] = ShortenToward(points[n - 2], points[n - 1], d);
    if (fArrow1)
        points[0] = ShortenToward(points[1], points[0], d);
    if (clearBrushForDashes && canvas.Pen.Style != TPenStyle::psSolid)
        canvas.Brush.Style = TBrushStyle::bsClear;
    try {
        body(points);
    } catch (...) {
        points[0] = first;
        points[n - 1] = last;
        throw;
    }
    points[0] = first;
    points[n - 1] = last;
    if (fArrow2)
        DrawArrowHead(canvas, points[n - 2], points[n - 1]);
    if (fArrow1)
        DrawArrowHead(canvas, points[1], points[0]);
}
