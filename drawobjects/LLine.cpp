#include "drawobjects/LLine.h"

#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Solid.h"

TLLine::TLLine(IDrawOwner* owner) : TConnector(owner)
{
    fQuadPtConnect = true;
}

TPoint TLLine::Corner() const
{
    if (BtnPoints.size() < 2)
        return {};
    const TPoint p0 = BtnPoints.front();
    const TPoint p1 = BtnPoints.back();
    const bool horizontal = fOrientation == TOrientation::oHorizontal;
    if ((horizontal && p0.X < p1.X) || (!horizontal && p1.X < p0.X))
        return {p1.X, p0.Y};
    return {p0.X, p1.Y};
}

void TLLine::DrawObject(TCanvas& canvas, bool isShadow)
{
    if (BtnPoints.size() < 2)
        return;
    TPoint points[3] = {BtnPoints.front(), Corner(), BtnPoints.back()};
    DrawWithArrows(canvas, points, [&](std::span<const TPoint> p) { StyledPolyline(canvas, p); });
}

void TLLine::FollowQuadConnections()
{
    if (BtnPoints.size() < 2)
        return;
    const TPoint a = fConnection1 ? SolidCentre(*fConnection1) : BtnToFrame(BtnPoints.front());
    const TPoint b = fConnection2 ? SolidCentre(*fConnection2) : BtnToFrame(BtnPoints.back());
    const bool horizontal = fOrientation == TOrientation::oHorizontal;
    const bool sidewaysFirst = (horizontal && a.X < b.X) || (!horizontal && a.X >= b.X);
    const TQuadConnection sideStart = a.X < b.X ? TQuadConnection::qcRight : TQuadConnection::qcLeft;
    const TQuadConnection sideEnd = a.X < b.X ? TQuadConnection::qcLeft : TQuadConnection::qcRight;
    const TQuadConnection downStart = a.Y < b.Y ? TQuadConnection::qcBottom : TQuadConnection::qcTop;
    const TQuadConnection downEnd = a.Y < b.Y ? TQuadConnection::qcTop : TQuadConnection::qcBottom;
    if (fConnection1)
        BtnPoints.front() = FrameToBtn(fConnection1->QuadScreenPt(sidewaysFirst ? sideStart : downStart));
    if (fConnection2)
        BtnPoints.back() = FrameToBtn(fConnection2->QuadScreenPt(sidewaysFirst ? downEnd : sideEnd));
}
