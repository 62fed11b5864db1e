#pragma once
// TRectangle: a box with optional rounded corners and centred lines of text.
// TText: a plain block of text, no shape; shows the placeholder text when it
// has no lines.
// Points: P0 top-left and P1 bottom-right handles; P2..P5 the four corners
// clockwise from the top-left, derived from them.
#include "drawobjects/SolidWithText.h"

class TRectangle : public TSolidWithText {
public:
    explicit TRectangle(IDrawOwner* owner = nullptr);

    bool Centered() const { return fCentered; }
    void SetCentered(bool value) { fCentered = value; }
    bool Rounded() const { return fRounded; }
    void SetRounded(bool value) { fRounded = value; }

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    void PlaceButton(int btnIdx, TPoint pt) override;
    TPoint ClosestScreenPt(TPoint fromScreenPt) override;
    bool ResizeObjectToFitText() override;

protected:
    void DeriveCorners();

    bool fCentered = true;
    bool fRounded = false;
};

class TText : public TRectangle {
public:
    explicit TText(IDrawOwner* owner = nullptr);

    // Copies the lines and fits the box to them (the caller runs Resize).
    // Writing through TSolidWithText::SetStrings stores the lines only.
    void SetStrings(const QStringList& value);

    void DrawObject(TCanvas& canvas, bool isShadow) override;
};
