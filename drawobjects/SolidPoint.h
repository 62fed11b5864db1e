#pragma once
// TSolidPoint: a small filled disc in the pen colour, Width x Height pixels
// (6 x 6 at creation). Its single point is not used for drawing, and gives
// no handle, so clicking a selected point always moves it.
#include "drawobjects/Solid.h"

class TSolidPoint : public TSolid {
public:
    explicit TSolidPoint(IDrawOwner* owner = nullptr);

    void DrawObject(TCanvas& canvas, bool isShadow) override;
};
