#include "drawobjects/DrawHelpers.h"

#include <cstdlib>

float AngleOf(TPoint p1, TPoint p2)
{
    const long long dx = static_cast<long long>(p2.X) - p1.X;
    const long long dy = static_cast<long long>(p2.Y) - p1.Y;
    if (dx == 0)
        return dy <= 0 ? static_cast<float>(kPi / 2) : static_cast<float>(3 * kPi / 2);
    float result = static_cast<float>(std::atan2(static_cast<long double>(-dy), static_cast<long double>(dx)));
    if (result < 0)
        result = static_cast<float>(result + 2 * static_cast<long double>(kPi));
    return result;
}

TPoint PolarPoint(TPoint centre, int r, float angle)
{
    const long double a = angle;
    return {centre.X + RoundEven(r * std::cos(a)), centre.Y - RoundEven(r * std::sin(a))};
}

bool RegularPolygonPoints(TPoint centre, int r, int count, std::vector<TPoint>& points)
{
    if (static_cast<int>(points.size()) < count)
        return false;
    if (count <= 0)
        return true;
    const float step = static_cast<float>(2 * kPi / count);
    for (int e = 0; e < count; ++e)
        points[e] = PolarPoint(centre, r, static_cast<float>(static_cast<long double>(e) * step));
    return true;
}

TPen CreateStyledPen(const TPen& pen)
{
    TPen result = pen;
    if (pen.Width == 1 || pen.Style == TPenStyle::psSolid)
        return result;
    const uint32_t w = pen.Width > 0 ? static_cast<uint32_t>(pen.Width) : 1u;
    const uint32_t dash = 3 * w, dot = w, gap = (3 * w) / 2;
    switch (pen.Style) {
    case TPenStyle::psDash: result.UserDashes = {dash, gap}; break;
    case TPenStyle::psDot: result.UserDashes = {dot, gap}; break;
    case TPenStyle::psDashDot: result.UserDashes = {dash, gap, dot, gap}; break;
    case TPenStyle::psDashDotDot: result.UserDashes = {dash, gap, dot, gap, dot, gap}; break;
    default: result.UserDashes.clear(); break;
    }
    return result;
}

void StyledPolyline(TCanvas& canvas, std::span<const TPoint> points)
{
    if (canvas.Pen.Width == 1 || canvas.Pen.Style == TPenStyle::psSolid) {
        canvas.Polyline(points);
        return;
    }
    const TPen previous = canvas.Pen;
    canvas.Pen = CreateStyledPen(previous);
    canvas.Polyline(points);
    canvas.Pen = previous;
}

bool EllipsePointAt(int a, int b, float theta, TPoint& offset)
{
    const long double pi = kPi;
    const long double t = theta;
    if (b == 0 || t < 0 || t > 2 * pi)
        return false;
    int quadrant = 4;
    if (t <= pi / 2)
        quadrant = 1;
    else if (t <= pi)
        quadrant = 2;
    else if (t <= 3 * pi / 2)
        quadrant = 3;
    const long double u = std::atan(std::tan(t) * a / b);
    int x = std::abs(RoundEven(a * std::cos(u)));
    int y = std::abs(RoundEven(b * std::sin(u)));
    if (quadrant == 2 || quadrant == 3)
        x = -x;
    if (quadrant == 1 || quadrant == 2)
        y = -y;
    offset = {x, y};
    return true;
}

bool LineIntersection(TPoint a1, TPoint a2, TPoint b1, TPoint b2, TPoint& result)
{
    const bool aVertical = a1.X == a2.X;
    const bool bVertical = b1.X == b2.X;
    if (aVertical && bVertical)
        return false;
    const double ma = aVertical ? 0 : (double(a2.Y) - a1.Y) / (double(a2.X) - a1.X);
    const double ca = aVertical ? 0 : a1.Y - ma * a1.X;
    const double mb = bVertical ? 0 : (double(b2.Y) - b1.Y) / (double(b2.X) - b1.X);
    const double cb = bVertical ? 0 : b1.Y - mb * b1.X;
    double x = 0, y = 0;
    if (aVertical) {
        x = a1.X;
        y = mb * x + cb;
    } else if (bVertical) {
        x = b1.X;
        y = ma * x + ca;
    } else {
        if (ma == mb)
            return false;
        x = (cb - ca) / (ma - mb);
        y = ma * x + ca;
    }
    result = {RoundEven(x), RoundEven(y)};
    return true;
}
