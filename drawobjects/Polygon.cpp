#include "drawobjects/Polygon.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>
#include <cmath>

TPolygon::TPolygon(IDrawOwner* owner) : TSolid(owner)
{
    SetBtnCount(5);
    LayoutPoints();
}

void TPolygon::SetRegular(bool value)
{
    fPlainPoly = value;
    if (value)
        LayoutPoints();
}

void TPolygon::LayoutPoints()
{
    const int r = std::min(fWidth, fHeight) / 2;
    RegularPolygonPoints(ObjectMidPoint(), r, fBtnCount, BtnPoints);
}

void TPolygon::SetButtonCount(int count)
{
    if (count <= 2)
        return;
    SetBtnCount(count);
    LayoutPoints();
}

void TPolygon::DuplicateButton(int btnIdx)
{
    const int n = fBtnCount;
    if (n <= 0)
        return;
    btnIdx = std::clamp(btnIdx, 0, n - 1);
    BtnPoints.insert(BtnPoints.begin() + btnIdx, BtnPoints[btnIdx]);
    SetBtnCount(n + 1);
    BtnPoints[btnIdx] = BtnPoints[btnIdx] - TPoint{1, 1};
    BtnPoints[btnIdx + 1] = BtnPoints[btnIdx + 1] + TPoint{1, 1};
}

void TPolygon::RemoveButton(int btnIdx)
{
    const int n = fBtnCount;
    if (n < 4)
        return;
    btnIdx = std::clamp(btnIdx, 0, n - 1);
    BtnPoints.erase(BtnPoints.begin() + btnIdx);
    SetBtnCount(n - 1);
}

void TPolygon::Mirror()
{
    for (TPoint& p : BtnPoints)
        p.X = fWidth - p.X;
}

void TPolygon::Flip()
{
    for (TPoint& p : BtnPoints)
        p.Y = fHeight - p.Y;
}

bool TPolygon::IsValidBtnDown(int btnIdx) const
{
    return !fPlainPoly;
}

void TPolygon::PlaceButton(int btnIdx, TPoint pt)
{
    if (!fPlainPoly) {
        TSolid::PlaceButton(btnIdx, pt);
        return;
    }
    const int n = fBtnCount;
    if (n <= 0)
        return;
    const TPoint p = FrameToBtn(RotatePoint(pt, -SAngle));
    // The centre of the circle the vertices lie on. With an odd count the
    // box is not centred on it (vertex 0 reaches further right than any
    // vertex reaches left), so it is taken from the vertices themselves;
    // the caller's InternalResize then fits the box to the new points
    // without moving them, and the next drag turns about the same centre.
    TPoint m = ObjectMidPoint();
    if (n % 2 == 1) {
        long long sx = 0, sy = 0;
        for (const TPoint& v : BtnPoints) {
            sx += v.X;
            sy += v.Y;
        }
        m = {RoundEven(static_cast<long double>(sx) / n), RoundEven(static_cast<long double>(sy) / n)};
    }
    const int r = RoundEven(std::sqrt(static_cast<long double>(SquaredDistance(m, p))));
    RegularPolygonPoints(m, r, n, BtnPoints);
}

TPoint TPolygon::ClosestScreenPt(TPoint fromScreenPt)
{
    if (BtnPoints.empty())
        return BtnToFrame(ObjectMidPoint());
    const TPoint p = FrameToBtn(fromScreenPt);
    size_t best = 0;
    for (size_t i = 1; i < BtnPoints.size(); ++i)
        if (SquaredDistance(BtnPoints[i], p) < SquaredDistance(BtnPoints[best], p))
            best = i;
    return BtnToFrame(BtnPoints[best]);
}
