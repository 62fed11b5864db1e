#pragma once
// Geometry and pen helpers shared by the figure classes.
//
// Angles are radians held in 32-bit floats, counted counter-clockwise on a
// screen whose Y axis points down. Rounding is half to even, as the processor
// does by default.
#include "platform/Canvas.h"
#include "platform/Types.h"

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

constexpr double kPi = 3.14159265358979323846;

// Rounds half to even (std::nearbyint in the default rounding mode), saturating
// at the ends of the int range so that absurd geometry cannot overflow.
inline int RoundEven(long double x)
{
    const long double r = std::nearbyint(x);
    if (!(r > -2147483648.0L))
        return r != r ? 0 : INT32_MIN;
    if (r > 2147483647.0L)
        return INT32_MAX;
    return static_cast<int>(r);
}

// Direction of the vector P1 -> P2 in 0..2pi. A vertical vector points up
// (pi/2) when D.Y <= 0, so coincident points also give pi/2.
float AngleOf(TPoint p1, TPoint p2);

// Centre + (Round(r cos a), -Round(r sin a)).
TPoint PolarPoint(TPoint centre, int r, float angle);

// Puts `count` points evenly on the circle of radius r around the centre:
// point 0 to the right, then counter-clockwise on screen. Nothing happens
// when the array holds fewer than `count` points; returns whether it held enough.
bool RegularPolygonPoints(TPoint centre, int r, int count, std::vector<TPoint>& points);

// The pen a wide dashed figure outline is drawn with: a geometric pen whose
// user dashes follow the style (dash 3w, dot w, gap 3w div 2 for width w).
// Width-1 and solid pens come back unchanged.
TPen CreateStyledPen(const TPen& pen);

// A polyline in the canvas's pen, with wide dashed pens drawn through
// CreateStyledPen. The canvas's pen is left as it was.
void StyledPolyline(TCanvas& canvas, std::span<const TPoint> points);

// Offset from an ellipse's centre (half axes a, b) to the point of its
// outline in direction theta. Fails when b is 0 or theta lies outside 0..2pi.
bool EllipsePointAt(int a, int b, float theta, TPoint& offset);

// Intersection of the line through a1, a2 with the line through b1, b2, in
// floating point and rounded. False for parallel lines (equal slopes, or both vertical).
bool LineIntersection(TPoint a1, TPoint a2, TPoint b1, TPoint b2, TPoint& result);

// Squared distance between two points.
inline long long SquaredDistance(TPoint a, TPoint b)
{
    const long long dx = static_cast<long long>(a.X) - b.X;
    const long long dy = static_cast<long long>(a.Y) - b.Y;
    return dx * dx + dy * dy;
}
