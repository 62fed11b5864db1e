// Arrow heads: the pull-back of the line end under a head, the head's size and
// its outline, drawn on a horizontal line running right; the cached bitmaps of
// every kind of line hold both heads whole.
#include "drawobjects/BaseLine.h"
#include "drawobjects/Bezier.h"
#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/ZLine.h"
#include "PixelProbe.h"
#include "TestOwner.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

TEST(BaseLine, ShortenToward)
{
    EXPECT_EQ(ShortenToward({0, 0}, {100, 0}, 9), TPoint(91, 0));
    EXPECT_EQ(ShortenToward({0, 0}, {30, 40}, 10), TPoint(24, 32));
    EXPECT_EQ(ShortenToward({5, 5}, {5, 5}, 9), TPoint(5, 5)) << "coincident points stay";
}

TEST(BaseLine, ArrowHeadOnAWideLine)
{
    // Pen 6: L = 9, the end is pulled back to x = 101 and the head spans from
    // its base at x = 94 (wings at y = 41 and 59) to the tip at x = 110.
    TLine line;
    line.BtnPoints = {{10, 50}, {110, 50}};
    line.Pen().Width = 6;
    line.Pen().Color = clBlue;

    const TBitmap plain = DrawFigure(line);
    EXPECT_EQ(plain.Pixel(112, 50), clBlue) << "a round cap reaches past the end";
    EXPECT_EQ(plain.Pixel(95, 43), clWhite);

    line.SetArrow2(true);
    const TBitmap arrow = DrawFigure(line);
    EXPECT_EQ(arrow.Pixel(108, 50), clBlue) << "the head reaches to its tip";
    EXPECT_EQ(arrow.Pixel(112, 50), clWhite) << "the line is pulled back under the head";
    EXPECT_EQ(arrow.Pixel(96, 44), clBlue) << "upper wing";
    EXPECT_EQ(arrow.Pixel(96, 56), clBlue) << "lower wing";
    EXPECT_EQ(arrow.Pixel(94, 38), clWhite) << "the head is outlined 2 pixels wide, not 6";
    EXPECT_EQ(line.BtnPoints[1], TPoint(110, 50)) << "the end point is put back";
    EXPECT_EQ(line.Pen().Width, 6);

    line.SetArrow2(false);
    line.SetArrow1(true);
    const TBitmap start = DrawFigure(line);
    EXPECT_EQ(start.Pixel(12, 50), clBlue);
    EXPECT_EQ(start.Pixel(8, 50), clWhite);
    EXPECT_EQ(start.Pixel(24, 44), clBlue) << "a head at the start points left";
}

TEST(BaseLine, HeadIsSolidOnADashedLine)
{
    TLine line;
    line.BtnPoints = {{10, 50}, {110, 50}};
    line.Pen().Width = 1;
    line.Pen().Style = TPenStyle::psDot;
    line.Pen().Color = clRed;
    line.SetArrow2(true);
    const TBitmap b = DrawFigure(line);
    // Pen 1: L = 5, notch at x = 105, wings at (101, 45) and (101, 55).
    EXPECT_EQ(b.Pixel(107, 50), clRed) << "filled, not only outlined";
    EXPECT_EQ(b.Pixel(105, 48), clRed);
    EXPECT_EQ(b.Pixel(105, 52), clRed);
}

namespace {

// A figure with arrow heads at both ends, its points running from (0, 0) to
// `end`, with `count` points spread evenly along the way.
template <class T>
std::unique_ptr<TBaseLine> ArrowedLine(TTestOwner& owner, TPoint end, int count, int pen)
{
    auto line = std::make_unique<T>(&owner);
    line->SetBtnCount(count);
    line->BtnPoints.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        line->BtnPoints[size_t(i)] = {end.X * i / (count - 1), end.Y * i / (count - 1)};
    line->Left = line->Top = 40;
    line->InternalResize();
    line->Pen().Width = pen;
    line->Pen().Color = clRed;
    line->SetShadowSize(0);
    line->SetArrow1(true);
    line->SetArrow2(true);
    return line;
}

// The red pixels of a bitmap, as a mask of the same size.
std::vector<bool> RedMask(const TBitmap& b)
{
    std::vector<bool> mask;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            mask.push_back(b.Pixel(x, y) == clRed);
    return mask;
}

} // namespace

// Heads reach past the box of the points (wholly so on a straight line); the
// figure's cached bitmaps must hold them, on the frame and in the editor.
TEST(BaseLine, CachedBitmapsHoldBothHeadsWhole)
{
    const std::pair<const char*, TPoint> directions[] = {
        {"horizontal", {120, 0}}, {"vertical", {0, 120}}, {"slanted", {120, 5}}, {"shorter than a head", {6, -3}}};
    using TMake = std::unique_ptr<TBaseLine> (*)(TTestOwner&, TPoint, int);
    const std::pair<const char*, TMake> kinds[] = {
        {"line", [](TTestOwner& o, TPoint e, int w) { return ArrowedLine<TLine>(o, e, 2, w); }},
        {"L-line", [](TTestOwner& o, TPoint e, int w) { return ArrowedLine<TLLine>(o, e, 2, w); }},
        {"Z-line", [](TTestOwner& o, TPoint e, int w) { return ArrowedLine<TZLine>(o, e, 4, w); }},
        {"Bezier", [](TTestOwner& o, TPoint e, int w) { return ArrowedLine<TBezier>(o, e, 4, w); }}};
    for (const auto& [kind, make] : kinds)
        for (const auto& [direction, end] : directions)
            for (const int pen : {1, 6, 20}) {
                SCOPED_TRACE(std::string(kind) + " " + direction + " pen " + std::to_string(pen));
                TTestOwner owner;
                const auto line = make(owner, end, pen);
                owner.RedrawFrames = true;
                line->Paint();
                const TBitmap direct = DrawFigure(*line, line->Left + line->Coord, line->Top + line->Coord);
                EXPECT_EQ(RedMask(owner.Render), RedMask(direct)) << "rendered frame";

                owner.RedrawFrames = false;
                owner.Selected = 2; // a selection frame but no handles over the line
                line->SetFocused(true);
                line->Paint();
                EXPECT_EQ(RedMask(owner.Editor), RedMask(direct)) << "editor view";
            }
}

TEST(BaseLine, HeadsOfAHorizontalLineHaveTheirWings)
{
    // Pen 1: L = 5; from each tip the wings lie 9 pixels back and 5 to either side.
    TTestOwner owner;
    const auto line = ArrowedLine<TLine>(owner, {120, 0}, 2, 1);
    owner.RedrawFrames = true;
    line->Paint();
    const TPoint start = line->BtnToFrame({0, 0});
    const TPoint end = line->BtnToFrame({120, 0});
    const TBitmap& b = owner.Render;
    for (const int side : {-5, 5}) {
        EXPECT_EQ(b.Pixel(end.X - 9, end.Y + side), clRed) << "end wing " << side;
        EXPECT_EQ(b.Pixel(start.X + 9, start.Y + side), clRed) << "start wing " << side;
    }
    EXPECT_EQ(line->Left, 40) << "the figure's place is not moved to make room";
    EXPECT_EQ(line->Height(), 0);
    EXPECT_EQ(line->BtnPoints[1], TPoint(120, 0));
}
