#include "drawobjects/Star.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>
#include <cmath>

TStar::TStar(IDrawOwner* owner) : TPolygon(owner)
{
    SetBtnCount(18);
    LayoutPoints();
    fMidPtInScreenCoords = BtnToFrame(ObjectMidPoint());
}

void TStar::SetRegular(bool value)
{
    fBoringStar = value;
    if (value)
        LayoutPoints();
}

void TStar::LayoutPoints()
{
    const int m = std::min(fWidth, fHeight);
    const TPoint c = ObjectMidPoint();
    const int n = fBtnCount;
    RegularPolygonPoints(c, m / 2, n, BtnPoints);
    std::vector<TPoint> inner(static_cast<size_t>(n / 2));
    RegularPolygonPoints(c, m / 4, n / 2, inner);
    for (int i = 0; i < n / 2; ++i)
        BtnPoints[2 * i] = inner[i];
}

void TStar::SetButtonCount(int count)
{
    if (count < 10)
        count = 10;
    if (count % 2 != 0)
        count -= 1;
    if (count == fBtnCount)
        return;
    SetBtnCount(count);
    LayoutPoints();
}

void TStar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TPolygon::MouseDown(button, shift, x, y);
    fMidPtInScreenCoords = BtnToFrame(ObjectMidPoint());
}

void TStar::PlaceButton(int btnIdx, TPoint pt)
{
    const int n = fBtnCount;
    if (btnIdx < 0 || btnIdx >= n)
        return;
    const TPoint p = FrameToBtn(RotatePoint(pt, -SAngle));
    const TPoint m = FrameToBtn(fMidPtInScreenCoords);
    if (p == m)
        return;
    const int r = RoundEven(std::sqrt(static_cast<long double>(SquaredDistance(p, m))));
    const int parity = btnIdx % 2;
    if (fBoringStar) {
        std::vector<TPoint> ring(static_cast<size_t>(n));
        RegularPolygonPoints(m, r, n, ring);
        for (int i = parity; i < n; i += 2)
            BtnPoints[i] = ring[i];
        return;
    }
    const float step = static_cast<float>(2 * kPi / n);
    const float base = AngleOf(m, p) - static_cast<float>(btnIdx * static_cast<long double>(step));
    for (int i = parity; i < n; i += 2) {
        const long double a = static_cast<long double>(i) * step + base;
        BtnPoints[i] = {m.X + RoundEven(r * std::cos(a)), m.Y - RoundEven(r * std::sin(a))};
    }
}
