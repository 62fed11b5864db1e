// Arrow heads: the pull-back of the line end under a head, the head's size and
// its outline, drawn on a horizontal line running right.
#include "drawobjects/BaseLine.h"
#include "drawobjects/Line.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

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
