#pragma once
// TLLine: a right-angled line from P0 to P1 with one corner. With horizontal
// orientation the first segment runs sideways when the end lies to the right
// (and vertically otherwise); the corner is derived when drawing, so it
// follows a change of orientation at once.
#include "drawobjects/Connector.h"

class TLLine : public TConnector {
public:
    explicit TLLine(IDrawOwner* owner = nullptr);

    // The corner between the two ends, in button space.
    TPoint Corner() const;

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    void FollowQuadConnections() override;
};
