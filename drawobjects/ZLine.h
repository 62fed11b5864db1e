#pragma once
// TZLine: a Z-shaped line of three segments. P0 is the start and P3 the end;
// P1 and P2 are the ends of the middle segment. With horizontal orientation
// the first and last segments are horizontal and the middle one vertical (the
// other way round for vertical). With AutoCenter the middle segment sits
// half-way between the ends and cannot be grabbed; without it, it keeps
// 20 pixels from either end where the line is long enough.
#include "drawobjects/Connector.h"

class TZLine : public TConnector {
public:
    explicit TZLine(IDrawOwner* owner = nullptr);

    bool AutoOrientation() const { return fAutoOrientation; }
    // Picking the orientation from the attached solids' positions.
    void SetAutoOrientation(bool value);
    bool AutoCenter() const { return fAutoCenter; }
    void SetAutoCenter(bool value);

    void PaintButton(TPoint pt, int btnIdx, bool pressed) override;
    void DrawObject(TCanvas& canvas, bool isShadow) override;
    bool IsValidBtnDown(int btnIdx) const override;
    void PlaceButton(int btnIdx, TPoint pt) override;
    void FollowQuadConnections() override;
    void ArrangeMiddlePoints() override;

    // How close the middle segment may come to either end.
    static constexpr int kEndClearance = 20;

private:
    bool fAutoCenter = false;
};
