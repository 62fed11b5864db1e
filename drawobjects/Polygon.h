#pragma once
// TPolygon: a closed polygon through its points, laid out at creation as a
// regular pentagon in the box (vertex 0 right of the centre, the others
// counter-clockwise). Points can be added next to one another and removed;
// with Regular on, the polygon stays regular and its vertices cannot be
// grabbed with the mouse.
#include "drawobjects/Solid.h"

class TPolygon : public TSolid {
public:
    explicit TPolygon(IDrawOwner* owner = nullptr);

    virtual bool Regular() const { return fPlainPoly; }
    // Switching on lays the points out regularly at once.
    virtual void SetRegular(bool value);

    // Puts the points on the circle inscribed in the box.
    virtual void LayoutPoints();
    // Counts of 2 or less are ignored; otherwise the points are laid out anew.
    virtual void SetButtonCount(int count);
    // Doubles a point: the copies lie one pixel up-left and down-right of it.
    virtual void DuplicateButton(int btnIdx);
    // Removes a point; a triangle keeps its three.
    virtual void RemoveButton(int btnIdx);
    // Mirrors the points left to right / top to bottom within the box.
    void Mirror();
    void Flip();

    bool IsValidBtnDown(int btnIdx) const override;
    void PlaceButton(int btnIdx, TPoint pt) override;
    TPoint ClosestScreenPt(TPoint fromScreenPt) override;

protected:
    bool fPlainPoly = false;
};
