#include "drawobjects/Solid.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>

// The line classes live in their own files; until they are built no line can
// be attached, and a solid has nobody to tell when it changes size.
#if __has_include("drawobjects/Connector.h")
#include "drawobjects/Connector.h"
#define ZEMBRA_HAS_CONNECTOR 1
#endif

TSolid::TSolid(IDrawOwner* owner) : TDrawObject(owner) {}

TSolid::~TSolid()
{
#ifdef ZEMBRA_HAS_CONNECTOR
    // Lines attached to a solid that goes away must not keep pointing at it.
    for (TConnector* connector : fConnectorList)
        connector->SolidDestroyed(this);
#endif
}

int TSolid::AttachConnector(TConnector* connector)
{
    const auto it = std::find(fConnectorList.begin(), fConnectorList.end(), connector);
    if (it != fConnectorList.end())
        return static_cast<int>(it - fConnectorList.begin());
    fConnectorList.push_back(connector);
    return static_cast<int>(fConnectorList.size()) - 1;
}

void TSolid::DetachConnector(TConnector* connector)
{
    const auto it = std::find(fConnectorList.begin(), fConnectorList.end(), connector);
    if (it != fConnectorList.end())
        fConnectorList.erase(it);
}

TPoint TSolid::ClosestScreenPt(TPoint fromScreenPt)
{
    const TPoint m = ObjectMidPoint();
    if (fBtnCount == 1)
        return BtnToFrame(m);
    const TPoint p = FrameToBtn(RotatePoint(fromScreenPt, -SAngle));
    const TPoint topRight{fWidth, 0};
    if (p == m || topRight == m)
        return BtnToFrame(m);
    const float e = AngleOf(m, p);
    const float f = AngleOf(m, topRight);
    const long double pi = kPi;
    TPoint s1, s2; // the side crossed
    if (e < f || e > 2 * pi - f) {
        s1 = {fWidth, 0};
        s2 = {fWidth, fHeight};
    } else if (e >= f && e < pi - f) {
        s1 = {0, 0};
        s2 = {fWidth, 0};
    } else if (e >= pi + f) {
        s1 = {0, fHeight};
        s2 = {fWidth, fHeight};
    } else {
        s1 = {0, 0};
        s2 = {0, fHeight};
    }
    TPoint result;
    if (!LineIntersection(m, p, s1, s2, result))
        result = {0, 0};
    return BtnToFrame(result);
}

TPoint TSolid::QuadScreenPt(TQuadConnection quadConnect)
{
    TPoint side;
    switch (quadConnect) {
    case TQuadConnection::qcLeft: side = {0, fHeight / 2}; break;
    case TQuadConnection::qcTop: side = {fWidth / 2, 0}; break;
    case TQuadConnection::qcRight: side = {fWidth, fHeight / 2}; break;
    case TQuadConnection::qcBottom: side = {fWidth / 2, fHeight}; break;
    }
    return ClosestScreenPt(BtnToFrame(side));
}

void TSolid::Resize()
{
    TDrawObject::Resize();
#ifdef ZEMBRA_HAS_CONNECTOR
    // Copy: following may attach or detach lines.
    const std::vector<TConnector*> connectors = fConnectorList;
    for (TConnector* connector : connectors)
        connector->FollowConnections();
#endif
}
