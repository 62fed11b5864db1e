#pragma once
// TDiamond: a rhombus in the box of P0 (top-left) and P1 (bottom-right), with
// centred lines of text. P2..P5 are the left, top, right and bottom vertices.
#include "drawobjects/SolidWithText.h"

class TDiamond : public TSolidWithText {
public:
    explicit TDiamond(IDrawOwner* owner = nullptr);

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    void PlaceButton(int btnIdx, TPoint pt) override;
    TPoint ClosestScreenPt(TPoint fromScreenPt) override;
    bool ResizeObjectToFitText() override;

private:
    void DeriveVertices();
};
