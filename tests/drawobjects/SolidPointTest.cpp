// Point figures: a disc in the pen colour, whatever the fill colour.
#include "drawobjects/SolidPoint.h"
#include "PixelProbe.h"
#include "TestOwner.h"

#include <gtest/gtest.h>

TEST(SolidPoint, SixBySixDiscInThePenColour)
{
    TTestOwner owner;
    TSolidPoint p(&owner);
    p.Left = p.Top = 50;
    p.Color = clRed;
    p.Pen().Color = clBlue;
    p.ColorShadow = clLime;
    p.SetShadowSize(3);
    owner.RedrawFrames = true;
    p.Paint();
    // Pen 3: margin 6, Coord 3: the disc's box is frame 53..58, its outline
    // reaches a pixel further out.
    const TBitmap& b = owner.Render;
    const TRect disc = ColorBounds(b, clBlue);
    EXPECT_EQ(disc.Left + disc.Right, 2 * 56);
    EXPECT_EQ(disc.Top + disc.Bottom, 2 * 56);
    EXPECT_GE(disc.Width(), 6);
    EXPECT_LE(disc.Width(), 9);
    EXPECT_EQ(b.Pixel(56, 56), clBlue) << "filled";
    EXPECT_EQ(CountColor(b, {0, 0, 200, 200}, clRed), 0) << "the fill colour is not used";
    EXPECT_EQ(b.Pixel(60, 60), clLime) << "the shadow, a disc of its own";

    p.SetFocused(true);
    p.MouseDown(TMouseButton::mbLeft, 0, 55, 55);
    EXPECT_TRUE(p.Moving()) << "no handle: a click always moves it";
}
