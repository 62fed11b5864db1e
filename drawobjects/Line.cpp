#include "drawobjects/Line.h"

#include "drawobjects/DrawHelpers.h"

namespace {

// 2a - b: the point beyond a on the line from b, saturating at the int range.
TPoint Continue(TPoint a, TPoint b)
{
    return {RoundEven(2.0L * a.X - b.X), RoundEven(2.0L * a.Y - b.Y)};
}

} // namespace

TLine::TLine(IDrawOwner* owner) : TConnector(owner) {}

void TLine::DrawObject(TCanvas& canvas, bool isShadow)
{
    DrawWithArrows(canvas, BtnPoints, [&](std::span<const TPoint> points) { StyledPolyline(canvas, points); });
}

void TLine::SetButtonCount(int count)
{
    if (count < 2)
        count = 2;
    if (count == fBtnCount || IsConnected())
        return;
    while (fBtnCount < count && Grow(false)) {
    }
    while (fBtnCount > count && Shrink(false)) {
    }
}

bool TLine::Grow(bool topEnd)
{
    const int n = fBtnCount;
    if (IsConnected() || n < 2)
        return false;
    SetBtnCount(n + 1);
    std::vector<TPoint>& p = BtnPoints;
    if (topEnd) {
        for (int i = n; i > 0; --i)
            p[i] = p[i - 1];
        p[0] = Continue(p[1], p[2]);
    } else {
        p[n] = Continue(p[n - 1], p[n - 2]);
    }
    return true;
}

bool TLine::Shrink(bool topEnd)
{
    const int n = fBtnCount;
    if (IsConnected() || n <= 2)
        return false;
    if (topEnd)
        BtnPoints.erase(BtnPoints.begin());
    SetBtnCount(n - 1);
    return true;
}
