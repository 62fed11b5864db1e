// L-lines: the corner, derived from the orientation when drawing.
#include "drawobjects/LLine.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

TEST(LLine, CornerFollowsOrientationAtOnce)
{
    TLLine l;
    l.Pen().Color = clBlue;
    EXPECT_EQ(l.Corner(), TPoint(100, 0)) << "horizontal, end to the right: sideways first";

    l.SetOrientation(TOrientation::oVertical);
    EXPECT_EQ(l.Corner(), TPoint(0, 100));
    const TBitmap b = DrawFigure(l, 20, 20);
    EXPECT_EQ(b.Pixel(20, 70), clBlue);
    EXPECT_EQ(b.Pixel(70, 120), clBlue);
    EXPECT_EQ(b.Pixel(70, 20), clWhite);

    l.BtnPoints = {{100, 0}, {0, 100}}; // end to the left
    EXPECT_EQ(l.Corner(), TPoint(0, 0)) << "vertical, end to the left: sideways first";
    l.SetOrientation(TOrientation::oHorizontal);
    EXPECT_EQ(l.Corner(), TPoint(100, 100));
}

TEST(LLine, ArrowsPointAlongTheSegmentsAtTheCorner)
{
    TLLine l;
    l.Pen().Color = clBlue;
    l.Pen().Width = 3;
    l.SetArrow2(true);
    const TBitmap b = DrawFigure(l, 20, 20);
    // The last segment runs down from the corner (120, 20) to (120, 120).
    // Pen 3: L = 7, base at y = 108 with wings at x = 113 and 127.
    EXPECT_EQ(b.Pixel(118, 114), clBlue) << "head pointing down";
    EXPECT_EQ(b.Pixel(122, 114), clBlue);
    EXPECT_EQ(b.Pixel(126, 108), clBlue) << "right wing";
    EXPECT_EQ(b.Pixel(114, 108), clBlue) << "left wing";
    EXPECT_EQ(b.Pixel(110, 116), clWhite) << "not a head pointing right";
}
