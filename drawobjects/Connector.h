#pragma once
// TConnector: a line whose first and last points can be attached to solids.
// An attached end stays on the solid's outline (or, with fQuadPtConnect, on
// the mid-point of one of its sides) whenever the solid or the line changes.
// The solids are observed, not owned; a solid that goes away tells its lines.
#include "drawobjects/BaseLine.h"

#include <cstdint>

class TSolid;

// Which way the first segment of a Z- or L-line leaves (stored as one byte).
enum class TOrientation : uint8_t { oHorizontal = 0, oVertical = 1 };

class TConnector : public TBaseLine {
public:
    explicit TConnector(IDrawOwner* owner = nullptr);
    ~TConnector() override;

    TOrientation Orientation() const { return fOrientation; }
    // A new orientation re-attaches a connected line at once.
    void SetOrientation(TOrientation value);
    TSolid* Connection1() const { return fConnection1; }
    TSolid* Connection2() const { return fConnection2; }
    // Attaches the first / last point to a solid (nullptr detaches). Nothing
    // happens for the solid already attached at the other end; a solid that
    // takes no connections leaves the end free.
    virtual void SetConnection1(TSolid* value);
    virtual void SetConnection2(TSolid* value);
    bool IsConnected() const { return fConnection1 || fConnection2; }

    // Moves the attached ends onto their solids, then normalises the points.
    virtual void FollowConnections();
    // Attaches the ends to side mid-points (Z- and L-lines).
    virtual void FollowQuadConnections() {}
    // Re-derives the points between the ends (Z-line).
    virtual void ArrangeMiddlePoints() {}

    // Called by a solid that is being destroyed: forget it without calling back.
    void SolidDestroyed(const TSolid* solid);

    bool GetCanMove() const override;
    bool IsValidBtnDown(int btnIdx) const override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void Resize() override;

protected:
    // The frame position of a solid's centre.
    static TPoint SolidCentre(const TSolid& solid);
    // Stores a connection and attaches to it; the shared part of the two setters.
    void Connect(TSolid*& field, TSolid* other, TSolid* value);
    // Following, without the normalisation.
    virtual void FollowEnds();

    bool fQuadPtConnect = false;
    bool fAutoOrientation = false;
    TOrientation fOrientation = TOrientation::oHorizontal;
    TSolid* fConnection1 = nullptr;
    TSolid* fConnection2 = nullptr;
};
