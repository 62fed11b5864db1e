#pragma once
// TSolid: a closed figure. Lines (connectors) can be attached to it; it keeps
// the list of them and answers where a line coming from a point meets its outline.
#include "drawobjects/DrawObject.h"

#include <vector>

class TConnector;

// The side of a solid whose mid-point a line attaches to.
enum class TQuadConnection : uint8_t { qcLeft = 0, qcTop = 1, qcRight = 2, qcBottom = 3 };

class TSolid : public TDrawObject {
public:
    explicit TSolid(IDrawOwner* owner = nullptr);
    ~TSolid() override;

    // The attached lines; not owned.
    const std::vector<TConnector*>& ConnectorList() const { return fConnectorList; }
    bool CanConnect() const { return fCanConnect; }

    // Adds the connector unless it is attached already; returns its index.
    virtual int AttachConnector(TConnector* connector);
    void DetachConnector(TConnector* connector);
    // The point of the outline on the way from the centre toward a frame
    // position; frame coordinates, the rotation not applied.
    virtual TPoint ClosestScreenPt(TPoint fromScreenPt);
    // The outline point toward the mid-point of one side of the box.
    virtual TPoint QuadScreenPt(TQuadConnection quadConnect);

    void Resize() override;

protected:
    bool fCanConnect = true;

private:
    std::vector<TConnector*> fConnectorList;
};
