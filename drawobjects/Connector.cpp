#include "drawobjects/Connector.h"

#include "drawobjects/Solid.h"

TConnector::TConnector(IDrawOwner* owner) : TBaseLine(owner)
{
    fAutoOrientation = false;
}

TConnector::~TConnector()
{
    if (fConnection1)
        fConnection1->DetachConnector(this);
    if (fConnection2)
        fConnection2->DetachConnector(this);
}

void TConnector::SetOrientation(TOrientation value)
{
    if (value == fOrientation)
        return;
    fOrientation = value;
    if (IsConnected())
        FollowConnections();
}

void TConnector::Connect(TSolid*& field, TSolid* other, TSolid* value)
{
    if (value == field || (value && value == other))
        return;
    if (field)
        field->DetachConnector(this);
    field = nullptr;
    if (value && value->CanConnect()) {
        field = value;
        value->AttachConnector(this);
        FollowConnections();
    }
}

void TConnector::SetConnection1(TSolid* value)
{
    Connect(fConnection1, fConnection2, value);
}

void TConnector::SetConnection2(TSolid* value)
{
    Connect(fConnection2, fConnection1, value);
}

void TConnector::SolidDestroyed(const TSolid* solid)
{
    if (fConnection1 == solid)
        fConnection1 = nullptr;
    if (fConnection2 == solid)
        fConnection2 = nullptr;
}

TPoint TConnector::SolidCentre(const TSolid& solid)
{
    return solid.BtnToFrame(solid.ObjectMidPoint());
}

void TConnector::FollowEnds()
{
    if (BtnPoints.size() < 2)
        return;
    TPoint& first = BtnPoints.front();
    TPoint& last = BtnPoints.back();
    if (fConnection1 && fConnection2) {
        const TPoint c1 = SolidCentre(*fConnection1);
        const TPoint c2 = SolidCentre(*fConnection2);
        first = FrameToBtn(fConnection1->ClosestScreenPt(c2));
        last = FrameToBtn(fConnection2->ClosestScreenPt(c1));
    } else if (fConnection1) {
        first = FrameToBtn(fConnection1->ClosestScreenPt(BtnToFrame(last)));
    } else if (fConnection2) {
        last = FrameToBtn(fConnection2->ClosestScreenPt(BtnToFrame(first)));
    }
}

void TConnector::FollowConnections()
{
    if (fQuadPtConnect)
        FollowQuadConnections();
    else
        FollowEnds();
    ArrangeMiddlePoints();
    // The ends may now lie left of or above the old box; keep the points and
    // the box in step so that the whole line is drawn.
    InternalResize();
}

bool TConnector::GetCanMove() const
{
    return fFocused && !IsConnected();
}

bool TConnector::IsValidBtnDown(int btnIdx) const
{
    if (btnIdx == 0 && fConnection1)
        return false;
    if (btnIdx == fBtnCount - 1 && fConnection2)
        return false;
    return true;
}

void TConnector::MouseMove(TShiftState shift, int x, int y)
{
    TBaseLine::MouseMove(shift, x, y);
    const int idx = fPressedBtnIdx;
    if (idx < 0)
        return;
    if ((idx == 1 && fConnection1) || (idx == fBtnCount - 2 && fConnection2))
        FollowConnections();
}

void TConnector::Resize()
{
    TBaseLine::Resize();
    if (IsConnected())
        FollowConnections();
}
