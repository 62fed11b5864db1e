#pragma once
// TTextBezier: text written along a Bezier curve. The characters are spread
// over the whole length of the curve, each turned to the direction of the
// curve where it stands and lifted so that its lower part sits on the curve.
// The text is filled (foNone), outlined with the pen (foClear) or both, filled
// in the fill colour (foColored). A Bezier text is never filled as a figure,
// has no arrows and is never attached to a solid.
#include "drawobjects/Bezier.h"

#include <QString>
#include <cstdint>
#include <span>

enum class TFontOutline : uint8_t { foNone = 0, foClear = 1, foColored = 2 };

// Writes the text along the curve through the points (3k + 1 of them) in the
// canvas's font, spreading the characters over the curve's whole length.
// Offset moves each character across the curve (negative: to the left of
// the direction of travel, i.e. up for a curve running right).
void DrawTextAlongBezier(TCanvas& canvas, std::span<const TPoint> points, TFontOutline outline, int offset,
                         const QString& text);

// Writes one character in the canvas's font turned to the angle (radians,
// counter-clockwise). The top-left corner of its cell goes to the anchor moved
// by Along along the angle (backwards when negative) and by Offset across it.
void DrawRotatedChar(TCanvas& canvas, TPoint at, const QString& c, TFontOutline outline, int offset, int along,
                     float angle);

class TTextBezier : public TBezier {
public:
    explicit TTextBezier(IDrawOwner* owner = nullptr);

    const QString& Text() const { return fText; }
    void SetText(const QString& value) { fText = value; }
    TFontOutline Outline() const { return fOutline; }
    void SetOutline(TFontOutline value) { fOutline = value; }

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    void SetArrow1(bool value) override {}
    void SetArrow2(bool value) override {}
    void SetFilled(bool value) override {}
    void SetConnection1(TSolid* value) override {}
    void SetConnection2(TSolid* value) override {}

private:
    QString fText;
    TFontOutline fOutline = TFontOutline::foNone;
};
