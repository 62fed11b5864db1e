#pragma once
// TBezier: a curve of cubic Bezier segments, 3k + 1 points (k >= 1). Points
// whose index is divisible by 3 are the nodes the curve passes through; the
// two between each pair of nodes are control points. A filled curve is closed
// and filled and carries no arrows. While Smooth is on, dragging a node takes
// its control points along, and dragging a control point turns its partner on
// the other side of the node so that the curve stays smooth there.
#include "drawobjects/Connector.h"

class TBezier : public TConnector {
public:
    explicit TBezier(IDrawOwner* owner = nullptr);

    bool Smooth() const { return fSmooth; }
    void SetSmooth(bool value) { fSmooth = value; }
    bool Filled() const { return fFilled; }
    // Switching the filling on removes both arrows.
    virtual void SetFilled(bool value);
    // Switching an arrow on removes the filling.
    void SetArrow1(bool value) override;
    void SetArrow2(bool value) override;

    void PaintButtonGuides() override;
    void DrawObject(TCanvas& canvas, bool isShadow) override;
    void PlaceButton(int btnIdx, TPoint pt) override;
    // Below 4 counts as 4; the count is brought down to 3k + 1.
    void SetButtonCount(int count) override;
    bool Grow(bool topEnd) override;
    bool Shrink(bool topEnd) override;

protected:
    // The ends follow their solids from the control points next to them.
    void FollowEnds() override;

    bool fSmooth = true;
    bool fFilled = false;
};
