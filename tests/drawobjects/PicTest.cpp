// Pictures: the box and Stretch, transparency keyed on the top-left pixel,
// frames of a GIF, and lines that stop at the picture's first opaque pixel.
#include "drawobjects/Line.h"
#include "drawobjects/Pic.h"
#include "gif/ZGIFImage.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

namespace {

// A 40 x 20 picture: a white background with a red 10 x 10 square in the middle.
TBitmap SquarePicture()
{
    TBitmap b(40, 20);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clWhite;
    c.FillRect({0, 0, 40, 20});
    c.Brush.Color = clRed;
    c.FillRect({15, 5, 25, 15});
    return b;
}

} // namespace

TEST(Pic, StretchAndTheBox)
{
    TPic pic;
    EXPECT_FALSE(pic.Stretch());
    EXPECT_FALSE(pic.IsValidBtnDown(1)) << "without Stretch the box cannot be resized";

    pic.SetStretch(true);
    pic.SetStretch(false);
    EXPECT_EQ(pic.BtnPoints[1], TPoint(100, 100)) << "no picture: the box stays";

    pic.Picture() = SquarePicture();
    pic.SetStretch(true);
    EXPECT_TRUE(pic.IsValidBtnDown(1));
    TBitmap b = DrawFigure(pic, 10, 10); // stretched into 100 x 100: the square spans 47..72 x 35..85
    EXPECT_EQ(b.Pixel(60, 60), clRed);
    EXPECT_EQ(b.Pixel(40, 60), clWhite);
    EXPECT_EQ(b.Pixel(60, 40), clRed);

    pic.SetStretch(false);
    EXPECT_EQ(pic.BtnPoints[1], TPoint(40, 20)) << "back to the picture's own size";
    EXPECT_EQ(pic.Width(), 40);
    EXPECT_EQ(pic.Height(), 20);
    b = DrawFigure(pic, 10, 10);
    EXPECT_EQ(b.Pixel(30, 20), clRed);
    EXPECT_EQ(b.Pixel(30, 40), clWhite);
}

TEST(Pic, TransparentLeavesOutTheTopLeftColour)
{
    TPic pic;
    pic.Picture() = SquarePicture();
    TBitmap back(100, 100);
    back.Canvas().Brush.Color = clBlue;
    back.Canvas().FillRect({0, 0, 100, 100});
    pic.Draw(back.Canvas(), 0, 0);
    EXPECT_EQ(back.Pixel(2, 2), clWhite) << "opaque";

    pic.SetTransparent(true);
    EXPECT_TRUE(pic.Picture().Transparent());
    EXPECT_EQ(pic.Picture().TransparentColor() & 0xFFFFFF, clWhite);
    back.Canvas().Brush.Color = clBlue;
    back.Canvas().FillRect({0, 0, 100, 100});
    pic.Draw(back.Canvas(), 0, 0);
    EXPECT_EQ(back.Pixel(2, 2), clBlue) << "the background shows through";
    EXPECT_EQ(back.Pixel(50, 50), clRed) << "the square, stretched over the default box";
}

TEST(Pic, ShowsTheFramesOfAGIF)
{
    TZGIFImage gif;
    TBitmap frame(8, 8);
    for (const TColor colour : {clRed, clLime}) {
        frame.Canvas().Brush.Color = colour;
        frame.Canvas().FillRect({0, 0, 8, 8});
        gif.AddFrame(frame);
    }
    TPic pic;
    const QByteArray bytes = gif.SaveToBytes();
    pic.GIF().LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.data()), size_t(bytes.size())});
    ASSERT_EQ(pic.GIF().Count(), 2);
    pic.SetStretch(true);
    for (int i = 0; i < 2; ++i) {
        pic.GIF().SetFrameIndex(i);
        pic.GIF().AssignTo(pic.Picture());
        const TBitmap b = DrawFigure(pic);
        EXPECT_EQ(b.Pixel(50, 50), i == 0 ? clRed : clLime) << "frame " << i;
    }
}

TEST(Pic, TightConnectionsStopAtThePicture)
{
    TPic pic;
    pic.Picture() = SquarePicture();
    pic.SetStretch(true);
    pic.SetStretch(false); // box 40 x 20 at frame (6, 6)
    pic.SetTransparent(true);
    TLine line;
    line.Left = 200;
    line.Top = 0;
    line.SetConnection1(&pic);
    const TPoint loose = line.BtnToFrame(line.BtnPoints.front());
    EXPECT_EQ(loose.X, 46) << "the box's right side";

    pic.SetTightConnections(true);
    pic.Resize();
    const TPoint tight = line.BtnToFrame(line.BtnPoints.front());
    EXPECT_EQ(tight.X, 6 + 24) << "the square's right column";
    EXPECT_GE(tight.Y, 6 + 5);
    EXPECT_LT(tight.Y, 6 + 15);
}
