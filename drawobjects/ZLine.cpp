#include "drawobjects/ZLine.h"

#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Solid.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The coordinate of P1 along the line's main direction, given the two ends'
// coordinates a (start) and b (end): inside the span and clear of both ends.
int ClampMiddle(int value, int a, int b, bool autoCenter)
{
    const int mid = (a + b) / 2;
    if (autoCenter)
        return mid;
    constexpr int c = TZLine::kEndClearance;
    value = std::clamp(value, std::min(a, b), std::max(a, b));
    const int towardA = a < b ? -1 : 1; // direction from b toward a
    if (std::abs(value - b) < c && std::abs(value - a) >= c)
        value = std::abs(mid - b) < c ? mid : b + towardA * c;
    if (std::abs(value - a) < c)
        value = std::abs(mid - a) < c ? mid : a - towardA * c;
    return value;
}

// Whether the ranges [a1, a2] and [b1, b2] share a point.
bool Overlap(int a1, int a2, int b1, int b2)
{
    return a1 <= b2 && b1 <= a2;
}

} // namespace

TZLine::TZLine(IDrawOwner* owner) : TConnector(owner)
{
    SetBtnCount(4);
    fQuadPtConnect = true;
    SetAutoOrientation(true);
    const TPoint m = ObjectMidPoint();
    BtnPoints[0] = {0, 0};
    BtnPoints[3] = {fWidth, fHeight};
    BtnPoints[1] = {m.X, BtnPoints[0].Y};
    BtnPoints[2] = {m.X, BtnPoints[3].Y};
    SetAutoCenter(true);
}

void TZLine::SetAutoOrientation(bool value)
{
    if (value == fAutoOrientation)
        return;
    fAutoOrientation = value;
    if (IsConnected())
        FollowConnections();
}

void TZLine::SetAutoCenter(bool value)
{
    if (value == fAutoCenter)
        return;
    fAutoCenter = value;
    if (value)
        ArrangeMiddlePoints();
}

void TZLine::PaintButton(TPoint pt, int btnIdx, bool pressed)
{
    if (fAutoCenter && (btnIdx == 1 || btnIdx == 2))
        return;
    TConnector::PaintButton(pt, btnIdx, pressed);
}

void TZLine::DrawObject(TCanvas& canvas, bool isShadow)
{
    DrawWithArrows(canvas, BtnPoints, [&](std::span<const TPoint> points) { StyledPolyline(canvas, points); });
}

bool TZLine::IsValidBtnDown(int btnIdx) const
{
    if (fAutoCenter && (btnIdx == 1 || btnIdx == 2))
        return false;
    return TConnector::IsValidBtnDown(btnIdx);
}

void TZLine::PlaceButton(int btnIdx, TPoint pt)
{
    if (btnIdx < 0 || btnIdx >= static_cast<int>(BtnPoints.size()) || BtnPoints.size() != 4)
        return;
    BtnPoints[btnIdx] = FrameToBtn(RotatePoint(pt, -SAngle));
    const bool horizontal = fOrientation == TOrientation::oHorizontal;
    if (btnIdx == 1 || btnIdx == 2) {
        const TPoint moved = BtnPoints[btnIdx];
        TPoint& partner = BtnPoints[btnIdx == 1 ? 2 : 1];
        if (horizontal)
            partner.X = moved.X;
        else
            partner.Y = moved.Y;
    }
    ArrangeMiddlePoints();
}

void TZLine::ArrangeMiddlePoints()
{
    if (BtnPoints.size() != 4)
        return;
    TPoint& p0 = BtnPoints[0];
    TPoint& p1 = BtnPoints[1];
    TPoint& p2 = BtnPoints[2];
    TPoint& p3 = BtnPoints[3];
    if (fOrientation == TOrientation::oHorizontal) {
        p1.Y = p0.Y;
        p2.Y = p3.Y;
        p1.X = ClampMiddle(p1.X, p0.X, p3.X, fAutoCenter);
        p2.X = p1.X;
    } else {
        p1.X = p0.X;
        p2.X = p3.X;
        p1.Y = ClampMiddle(p1.Y, p0.Y, p3.Y, fAutoCenter);
        p2.Y = p1.Y;
    }
}

void TZLine::FollowQuadConnections()
{
    if (BtnPoints.size() != 4)
        return;
    const TPoint a = fConnection1 ? SolidCentre(*fConnection1) : BtnToFrame(BtnPoints[0]);
    const TPoint b = fConnection2 ? SolidCentre(*fConnection2) : BtnToFrame(BtnPoints[3]);

    if (fAutoOrientation && fConnection1 && fConnection2) {
        // The solids' boxes in frame coordinates.
        const TPoint a1 = fConnection1->BtnToFrame({0, 0});
        const TPoint a2 = fConnection1->BtnToFrame({fConnection1->Width(), fConnection1->Height()});
        const TPoint b1 = fConnection2->BtnToFrame({0, 0});
        const TPoint b2 = fConnection2->BtnToFrame({fConnection2->Width(), fConnection2->Height()});
        const bool overlapX = Overlap(a1.X, a2.X, b1.X, b2.X);
        const bool overlapY = Overlap(a1.Y, a2.Y, b1.Y, b2.Y);
        if (fOrientation == TOrientation::oVertical && overlapY && !overlapX)
            fOrientation = TOrientation::oHorizontal;
        else if (fOrientation == TOrientation::oHorizontal && overlapX && !overlapY)
            fOrientation = TOrientation::oVertical;
    }

    TQuadConnection start, end;
    if (fOrientation == TOrientation::oHorizontal) {
        start = a.X < b.X ? TQuadConnection::qcRight : TQuadConnection::qcLeft;
        end = a.X < b.X ? TQuadConnection::qcLeft : TQuadConnection::qcRight;
    } else {
        start = a.Y < b.Y ? TQuadConnection::qcBottom : TQuadConnection::qcTop;
        end = a.Y < b.Y ? TQuadConnection::qcTop : TQuadConnection::qcBottom;
    }
    if (fConnection1)
        BtnPoints[0] = FrameToBtn(fConnection1->QuadScreenPt(start));
    if (fConnection2)
        BtnPoints[3] = FrameToBtn(fConnection2->QuadScreenPt(end));
}
