#pragma once
// TSolidArrow: a block arrow pointing right, seven points: P0 the tip, P1 and
// P6 the head's upper and lower corners, P2 and P5 where the shaft meets the
// head, P3 and P4 the tail's corners. The outline stays mirror-symmetric about
// the horizontal line through the tip while its handles are dragged.
#include "drawobjects/Solid.h"

class TSolidArrow : public TSolid {
public:
    explicit TSolidArrow(IDrawOwner* owner = nullptr);

    void PlaceButton(int btnIdx, TPoint pt) override;
};
