#pragma once
// TLine: a polyline of two or more points. Points are added and removed at
// either end; a new end point continues the end segment at the same length.
#include "drawobjects/Connector.h"

class TLine : public TConnector {
public:
    explicit TLine(IDrawOwner* owner = nullptr);

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    // Below 2 counts as 2; points are added and removed at the end. A connected
    // line keeps its points.
    void SetButtonCount(int count) override;
    bool Grow(bool topEnd) override;
    bool Shrink(bool topEnd) override;
};
