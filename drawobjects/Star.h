#pragma once
// TStar: a star of n / 2 tips. Even points are the valleys on the inner
// circle (radius a quarter of the box), odd points the tips on the outer
// circle (half the box); point 0 is the valley right of the centre. Dragging
// a tip scales and turns all tips together so that the dragged one follows
// the mouse (likewise for valleys); with Regular on they keep their regular
// angles and only change radius.
#include "drawobjects/Polygon.h"

class TStar : public TPolygon {
public:
    explicit TStar(IDrawOwner* owner = nullptr);

    bool Regular() const override { return fBoringStar; }
    void SetRegular(bool value) override;

    void LayoutPoints() override;
    // Below 10 counts as 10 and an odd count loses one.
    void SetButtonCount(int count) override;
    // A star's points come in pairs around its centre: nothing to add or remove.
    void DuplicateButton(int btnIdx) override {}
    void RemoveButton(int btnIdx) override {}
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void PlaceButton(int btnIdx, TPoint pt) override;

private:
    TPoint fMidPtInScreenCoords; // the centre in frame coordinates, taken at each press
    bool fBoringStar = false;
};
