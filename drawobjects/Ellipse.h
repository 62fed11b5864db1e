#pragma once
// TEllipse: an ellipse in the box of P0 (top-left) and P1 (bottom-right), with
// centred lines of text and an optional speech-balloon tail at one corner of
// the box. P2..P14 describe the outline as four cubic Bezier segments.
#include "drawobjects/SolidWithText.h"

#include <cstdint>

// The corner of the box a speech-balloon tail points at (stored as one byte).
enum class TBalloonPoint : uint8_t { bpNone = 0, bpTopLeft = 1, bpTopRight = 2, bpBottomLeft = 3, bpBottomRight = 4 };

class TEllipse : public TSolidWithText {
public:
    explicit TEllipse(IDrawOwner* owner = nullptr);

    TBalloonPoint BalloonPoint() const { return fBalloonPoint; }
    void SetBalloonPoint(TBalloonPoint value) { fBalloonPoint = value; }
    bool Regular() const { return fRegular; }
    // Switching on makes the box square at once; a regular ellipse stays a circle.
    void SetRegular(bool value);

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    void PlaceButton(int btnIdx, TPoint pt) override;
    TPoint ClosestScreenPt(TPoint fromScreenPt) override;
    bool ResizeObjectToFitText() override;

private:
    void DeriveBezierPoints();
    void DrawBalloonTail(TCanvas& canvas, bool isShadow);

    TBalloonPoint fBalloonPoint = TBalloonPoint::bpNone;
    bool fRegular = false;
};
