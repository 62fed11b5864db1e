// Bezier curves: point counts, growing, filling versus arrows, node and
// control-point dragging, and what is drawn (filled figure, open curve,
// control arms in the selection bitmap).
#include "drawobjects/Bezier.h"
#include "drawobjects/DrawHelpers.h"
#include "PixelProbe.h"
#include "TestOwner.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<TPoint> Pts(std::initializer_list<TPoint> l) { return l; }
} // namespace

TEST(Bezier, CountsComeIn3kPlus1)
{
    TBezier b;
    EXPECT_EQ(b.BtnPoints, Pts({{0, 0}, {33, 33}, {66, 66}, {100, 100}}));
    EXPECT_TRUE(b.Filled());
    EXPECT_TRUE(b.Smooth());
    b.SetButtonCount(8);
    EXPECT_EQ(b.ButtonCount(), 7);
    b.SetButtonCount(10);
    EXPECT_EQ(b.ButtonCount(), 10);
    b.SetButtonCount(2);
    EXPECT_EQ(b.ButtonCount(), 4);
    EXPECT_FALSE(b.Shrink(false));
}

TEST(Bezier, GrowContinuesTheEndArm)
{
    TBezier b;
    EXPECT_TRUE(b.Grow(false)); // E = (100, 100), C = (66, 66): N = (168, 168)
    EXPECT_EQ(b.BtnPoints,
              Pts({{0, 0}, {33, 33}, {66, 66}, {100, 100}, {134, 134}, {151, 151}, {168, 168}}));
    EXPECT_TRUE(b.Grow(true)); // from P3 = (0, 0) and P4 = (33, 33): N = (-66, -66)
    EXPECT_EQ(b.BtnPoints[0], TPoint(-66, -66));
    EXPECT_EQ(b.BtnPoints[2], TPoint(-33, -33));
    EXPECT_EQ(b.BtnPoints[1], TPoint(-49, -49)) << "halves truncate toward zero";
    EXPECT_EQ(b.BtnPoints[3], TPoint(0, 0));
    EXPECT_TRUE(b.Shrink(true));
    EXPECT_EQ(b.BtnPoints.front(), TPoint(0, 0));
    EXPECT_EQ(b.ButtonCount(), 7);
}

TEST(Bezier, FillingAndArrowsExcludeEachOther)
{
    TBezier b;
    b.SetArrow2(true);
    EXPECT_FALSE(b.Filled());
    b.SetArrow1(true);
    b.SetFilled(true);
    EXPECT_FALSE(b.Arrow1());
    EXPECT_FALSE(b.Arrow2());
}

TEST(Bezier, DraggingNodesAndControlPoints)
{
    TBezier b;
    b.SetButtonCount(7);
    b.BtnPoints = {{0, 50}, {20, 20}, {40, 50}, {60, 50}, {80, 50}, {100, 20}, {120, 50}};

    b.PlaceButton(3, b.BtnToFrame({60, 70}));
    EXPECT_EQ(b.BtnPoints[2], TPoint(40, 70)) << "a node carries its arms";
    EXPECT_EQ(b.BtnPoints[3], TPoint(60, 70));
    EXPECT_EQ(b.BtnPoints[4], TPoint(80, 70));

    // Control point 2 turned up: its partner 4 swings to the far side of
    // node 3 at its own distance (20).
    b.PlaceButton(2, b.BtnToFrame({60, 40}));
    EXPECT_EQ(b.BtnPoints[2], TPoint(60, 40));
    EXPECT_EQ(b.BtnPoints[4], TPoint(60, 90));
    b.PlaceButton(4, b.BtnToFrame({90, 70}));
    EXPECT_EQ(b.BtnPoints[2], TPoint(30, 70)) << "the partner keeps its distance 30";

    const TPoint before5 = b.BtnPoints[5];
    b.PlaceButton(1, b.BtnToFrame({10, 0}));
    EXPECT_EQ(b.BtnPoints[1], TPoint(10, 0));
    EXPECT_EQ(b.BtnPoints[5], before5) << "the first and last control points have no partner";

    b.SetSmooth(false);
    b.PlaceButton(3, b.BtnToFrame({60, 10}));
    EXPECT_EQ(b.BtnPoints[2], TPoint(30, 70)) << "without Smooth only the node moves";
}

TEST(Bezier, FilledFigureIsFilledAlsoWithADashedOutline)
{
    TBezier b;
    b.BtnPoints = {{20, 150}, {20, 0}, {180, 0}, {180, 150}};
    b.Color = clRed;
    b.Pen().Color = clBlue;
    for (const TPenStyle style : {TPenStyle::psSolid, TPenStyle::psDash}) {
        b.Pen().Style = style;
        b.Pen().Width = 3;
        const TBitmap filled = DrawFigure(b);
        EXPECT_EQ(filled.Pixel(100, 100), clRed) << "inside the closed curve";
        EXPECT_EQ(filled.Pixel(100, 149), clBlue) << "the closing line";
    }
    b.SetFilled(false);
    const TBitmap open = DrawFigure(b);
    EXPECT_EQ(open.Pixel(100, 100), clWhite);
    EXPECT_EQ(open.Pixel(100, 149), clWhite) << "an open curve is not closed";
    EXPECT_EQ(CountColor(open, {0, 0, 200, 60}, clBlue) > 0, true);
}

TEST(Bezier, ControlArmsAreDrawnWhereTheHandlesAre)
{
    TTestOwner owner;
    TBezier b(&owner);
    b.SetFilled(false);
    b.BtnPoints = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    b.Left = b.Top = 40;
    b.SetFocused(true);
    // Button space lies at frame (Left + Coord, Top + Coord) = (42, 42); the
    // arm from P0 runs down x = 42, the other one down x = 142.
    int onArm = 0;
    for (int y = 55; y < 130; ++y)
        onArm += owner.Editor.Pixel(42, y) == clBlue;
    EXPECT_GT(onArm, 10);
    EXPECT_LT(onArm, 70) << "dotted";
    int offArm = 0;
    for (int y = 55; y < 130; ++y)
        offArm += owner.Editor.Pixel(40, y) == clBlue;
    EXPECT_EQ(offArm, 0) << "not 2 pixels off, at (Left, Top) + point";
}
