#include "drawobjects/Bezier.h"

#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Solid.h"

#include <cmath>

namespace {

TPoint Middle(TPoint a, TPoint b)
{
    return {static_cast<int>((static_cast<long long>(a.X) + b.X) / 2),
            static_cast<int>((static_cast<long long>(a.Y) + b.Y) / 2)};
}

// 3e - 2c: the arm from c through the node e continued at twice its length.
TPoint ExtendArm(TPoint e, TPoint c)
{
    return {RoundEven(3.0L * e.X - 2.0L * c.X), RoundEven(3.0L * e.Y - 2.0L * c.Y)};
}

// A Bezier in the canvas's pen; wide dashed pens through the styled pen.
void StyledPolyBezier(TCanvas& canvas, std::span<const TPoint> points)
{
    if (canvas.Pen.Width == 1 || canvas.Pen.Style == TPenStyle::psSolid) {
        canvas.PolyBezier(points);
        return;
    }
    const TPen previous = canvas.Pen;
    canvas.Pen = CreateStyledPen(previous);
    canvas.PolyBezier(points);
    canvas.Pen = previous;
}

} // namespace

TBezier::TBezier(IDrawOwner* owner) : TConnector(owner)
{
    SetFilled(true);
    SetBtnCount(4);
    fSmooth = true;
    for (int i = 0; i < 4; ++i)
        BtnPoints[i] = {i * fWidth / 3, i * fHeight / 3};
}

void TBezier::SetFilled(bool value)
{
    if (value == fFilled)
        return;
    fFilled = value;
    if (value)
        fArrow1 = fArrow2 = false;
}

void TBezier::SetArrow1(bool value)
{
    fArrow1 = value;
    if (value)
        fFilled = false;
}

void TBezier::SetArrow2(bool value)
{
    fArrow2 = value;
    if (value)
        fFilled = false;
}

void TBezier::PaintButtonGuides()
{
    // The arms are drawn into the selection bitmap at the places of the
    // handles, so they move and turn with the figure.
    const int n = static_cast<int>(BtnPoints.size());
    if (n < 4)
        return;
    const int offset = Margin + Coord + BitmapLead();
    auto at = [&](int i) { return TPoint{BtnPoints[i].X + offset, BtnPoints[i].Y + offset}; };
    TCanvas& canvas = BigBitmap.Canvas();
    canvas.Pen.Color = clBlue;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = TPenStyle::psDot;
    canvas.MoveTo(at(0).X, at(0).Y);
    for (int s = 0; 3 * s + 3 < n; ++s) {
        canvas.LineTo(at(3 * s + 1).X, at(3 * s + 1).Y);
        canvas.MoveTo(at(3 * s + 2).X, at(3 * s + 2).Y);
        canvas.LineTo(at(3 * s + 3).X, at(3 * s + 3).Y);
    }
}

void TBezier::DrawObject(TCanvas& canvas, bool isShadow)
{
    // A filled figure keeps its brush also with a dashed outline: the filling
    // is what makes it a figure.
    DrawWithArrows(
        canvas, BtnPoints,
        [&](std::span<const TPoint> points) {
            if (fFilled) {
                canvas.BeginPath();
                canvas.PolyBezier(points);
                canvas.CloseFigure();
                canvas.EndPath();
                canvas.StrokeAndFillPath();
            } else {
                StyledPolyBezier(canvas, points);
            }
        },
        !fFilled);
}

void TBezier::PlaceButton(int btnIdx, TPoint pt)
{
    const int n = static_cast<int>(BtnPoints.size());
    if (btnIdx < 0 || btnIdx >= n)
        return;
    const TPoint q = FrameToBtn(RotatePoint(pt, -SAngle));
    std::vector<TPoint>& p = BtnPoints;
    if (fSmooth) {
        if (btnIdx % 3 == 0) {
            const TPoint delta = q - p[btnIdx];
            for (const int i : {btnIdx - 1, btnIdx + 1})
                if (i >= 0 && i < n)
                    p[i] = p[i] + delta;
        } else if (btnIdx != 1 && btnIdx != n - 2) {
            const int node = btnIdx % 3 == 2 ? btnIdx + 1 : btnIdx - 1;
            const int partner = btnIdx % 3 == 2 ? btnIdx + 2 : btnIdx - 2;
            if (partner >= 0 && partner < n && q != p[node]) {
                const long double dist = std::sqrt(static_cast<long double>(SquaredDistance(p[partner], p[node])));
                const long double dx = static_cast<long double>(p[node].X) - q.X;
                const long double dy = static_cast<long double>(p[node].Y) - q.Y;
                const long double len = std::hypot(dx, dy);
                p[partner] = {p[node].X + RoundEven(dist * dx / len), p[node].Y + RoundEven(dist * dy / len)};
            }
        }
    }
    p[btnIdx] = q;
    if ((btnIdx == 1 && fConnection1) || (btnIdx == n - 2 && fConnection2))
        FollowConnections();
}

void TBezier::SetButtonCount(int count)
{
    if (count < 4)
        count = 4;
    if (count == fBtnCount || IsConnected())
        return;
    const int target = (count / 3) * 3 + 1;
    while (fBtnCount < target && Grow(false)) {
    }
    while (fBtnCount > target && Shrink(false)) {
    }
}

bool TBezier::Grow(bool topEnd)
{
    const int n = fBtnCount;
    if (IsConnected() || n < 2)
        return false;
    SetBtnCount(n + 3);
    std::vector<TPoint>& p = BtnPoints;
    if (topEnd) {
        for (int i = n - 1; i >= 0; --i)
            p[i + 3] = p[i];
        p[0] = ExtendArm(p[3], p[4]);
        p[2] = Middle(p[0], p[3]);
        p[1] = Middle(p[0], p[2]);
    } else {
        const TPoint e = p[n - 1];
        const TPoint node = ExtendArm(e, p[n - 2]);
        p[n] = Middle(e, node);
        p[n + 1] = Middle(p[n], node);
        p[n + 2] = node;
    }
    return true;
}

bool TBezier::Shrink(bool topEnd)
{
    const int n = fBtnCount;
    if (IsConnected() || n <= 4)
        return false;
    if (topEnd)
        BtnPoints.erase(BtnPoints.begin(), BtnPoints.begin() + 3);
    SetBtnCount(n - 3);
    return true;
}

void TBezier::FollowEnds()
{
    const int n = static_cast<int>(BtnPoints.size());
    if (n < 2)
        return;
    if (fConnection1)
        BtnPoints[0] = FrameToBtn(fConnection1->ClosestScreenPt(BtnToFrame(BtnPoints[1])));
    if (fConnection2)
        BtnPoints[n - 1] = FrameToBtn(fConnection2->ClosestScreenPt(BtnToFrame(BtnPoints[n - 2])));
}
