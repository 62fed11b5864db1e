#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TBitmap Filled(int w, int h, TColor color, TPixelFormat format = TPixelFormat::pf24bit)
{
    TBitmap b(w, h, format);
    b.Canvas().Brush.Color = color;
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

} // namespace

TEST(Bitmap, FormatsAndDefaultPalettes)
{
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.Pixel(0, 0), clNone);
    EXPECT_EQ(empty.TransparentColor(), clNone);

    TBitmap b8(3, 2, TPixelFormat::pf8bit);
    EXPECT_EQ(b8.BitsPerPixel(), 8);
    ASSERT_EQ(b8.Palette().size(), 256u);
    EXPECT_EQ(b8.Palette()[9], HalftonePalette()[9]);
    EXPECT_EQ(b8.Pixel(2, 1), clBlack);

    TBitmap b4(3, 2, TPixelFormat::pf4bit);
    EXPECT_EQ(b4.Palette().size(), 16u);
    TBitmap b1(3, 2, TPixelFormat::pf1bit);
    EXPECT_TRUE(b1.Monochrome());
    EXPECT_EQ(b1.Palette(), (std::vector<TColor>{clBlack, clWhite}));
    TBitmap b32(3, 2, TPixelFormat::pfDevice);
    EXPECT_EQ(b32.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_TRUE(b32.Palette().empty());
}

TEST(Bitmap, ResizeKeepsOverlapAndClampsNegativeSizes)
{
    TBitmap b = Filled(4, 3, clRed);
    b.SetSize(6, 2);
    EXPECT_EQ(b.Pixel(3, 1), clRed);
    EXPECT_EQ(b.Pixel(5, 1), clBlack);
    EXPECT_EQ(b.Pixel(0, 2), clNone);
    b.SetWidth(-5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);

    // An indexed bitmap keeps its own palette through resizing and emptying.
    TBitmap ix(2, 2, TPixelFormat::pf8bit);
    ix.SetPalette({clRed, clLime, clBlue});
    ix.SetPixelIndex(1, 1, 2);
    ix.SetSize(3, 3);
    EXPECT_EQ(ix.Pixel(1, 1), clBlue);
    EXPECT_EQ(ix.Pixel(2, 2), clRed);
    ix.SetSize(0, 0);
    ix.SetSize(1, 1);
    EXPECT_EQ(ix.Palette().size(), 3u);
}

TEST(Bitmap, ImpossibleSizeThrowsAndKeepsPixels)
{
    TBitmap b = Filled(2, 2, clLime);
    EXPECT_THROW(b.SetSize(1 << 20, 1 << 20), std::runtime_error);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 1), clLime);
}

TEST(Bitmap, PixelAccess)
{
    TBitmap b(3, 3);
    b.SetPixel(1, 2, 0x00123456u);
    EXPECT_EQ(b.Pixel(1, 2), 0x00123456u);
    b.SetPixel(1, 2, clBtnFace); // system colours are resolved
    EXPECT_EQ(b.Pixel(1, 2), clSilver);
    b.SetPixel(-1, 0, clRed); // outside: ignored
    b.SetPixel(3, 0, clRed);
    EXPECT_EQ(b.Pixel(3, 0), clNone);
    EXPECT_EQ(b.PixelIndex(0, 0), 0);

    TBitmap ix(2, 1, TPixelFormat::pf8bit);
    ix.SetPalette({clBlack, RGB(200, 0, 0), RGB(0, 0, 200)});
    ix.SetPixel(0, 0, RGB(190, 10, 0)); // nearest entry
    EXPECT_EQ(ix.PixelIndex(0, 0), 1);
    ix.SetPixelIndex(1, 0, 300); // out of range: ignored
    EXPECT_EQ(ix.PixelIndex(1, 0), 0);
    // An index beyond a short palette reads as black instead of failing.
    ix.SetPixelIndex(1, 0, 7);
    EXPECT_EQ(ix.Pixel(1, 0), clBlack);
    EXPECT_EQ(TBitmap::ToRgb32(ix.ConstImage()).pixel(1, 0), 0xFF000000u);
}

TEST(Bitmap, ConversionsKeepColours)
{
    TBitmap b(4, 1);
    b.SetPixel(0, 0, RGB(255, 0, 51));   // a cube colour
    b.SetPixel(1, 0, clSkyBlue);         // a static colour
    b.SetPixel(2, 0, RGB(250, 8, 45));   // near the first
    b.SetPixel(3, 0, RGB(130, 130, 130)); // near a grey
    b.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(b.Palette().size(), 256u);
    EXPECT_EQ(b.Pixel(0, 0), RGB(255, 0, 51));
    EXPECT_EQ(b.Pixel(1, 0), clSkyBlue);
    EXPECT_EQ(b.Pixel(2, 0), RGB(255, 0, 51));
    EXPECT_EQ(b.Pixel(3, 0), HalftonePalette()[NearestPaletteIndex(HalftonePalette().data(), 256, RGB(130, 130, 130))]);
    b.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(b.Pixel(1, 0), clSkyBlue);

    // 4 bits: the VGA colours; 1 bit: by brightness.
    TBitmap c(3, 1);
    c.SetPixel(0, 0, RGB(250, 250, 0));
    c.SetPixel(1, 0, RGB(100, 100, 100));
    c.SetPixel(2, 0, RGB(200, 200, 200));
    TBitmap c4 = c;
    c4.SetPixelFormat(TPixelFormat::pf4bit);
    EXPECT_EQ(c4.Pixel(0, 0), clYellow);
    EXPECT_EQ(c4.Pixel(1, 0), clGray);
    c.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_EQ(c.Pixel(1, 0), clBlack);
    EXPECT_EQ(c.Pixel(2, 0), clWhite);

    // Growing an indexed bitmap keeps indexes and palette.
    TBitmap small(2, 1, TPixelFormat::pf4bit);
    small.SetPalette({clRed, clLime});
    small.SetPixelIndex(1, 0, 1);
    small.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(small.PixelIndex(1, 0), 1);
    EXPECT_EQ(small.Palette().size(), 2u);
}

TEST(Bitmap, SetPaletteKeepsIndexesAndIsCut)
{
    TBitmap b(2, 1, TPixelFormat::pf4bit);
    b.SetPixelIndex(1, 0, 3);
    std::vector<TColor> many(40, clLime);
    many[3] = clFuchsia;
    b.SetPalette(many);
    EXPECT_EQ(b.Palette().size(), 16u);
    EXPECT_EQ(b.Pixel(1, 0), clFuchsia);
    TBitmap rgb(1, 1);
    rgb.SetPalette(many); // no palette on 24 bits
    EXPECT_TRUE(rgb.Palette().empty());
}

TEST(Bitmap, FromQImage)
{
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, 0xFF112233u);
    argb.setPixel(1, 0, 0xFF445566u);
    TBitmap a(argb);
    EXPECT_EQ(a.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(a.Pixel(1, 0), RGB(0x44, 0x55, 0x66));

    QImage mono(9, 1, QImage::Format_MonoLSB);
    mono.setColorTable({0xFFFF0000u, 0xFF0000FFu});
    mono.fill(0);
    mono.setPixel(8, 0, 1);
    TBitmap m(mono);
    EXPECT_TRUE(m.Monochrome());
    EXPECT_EQ(m.Pixel(8, 0), clBlue);
    EXPECT_EQ(m.Pixel(7, 0), clRed);

    QImage indexed(1, 1, QImage::Format_Indexed8);
    indexed.setColorTable({0xFF00FF00u});
    indexed.setPixel(0, 0, 0);
    TBitmap i(indexed);
    EXPECT_EQ(i.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(i.Pixel(0, 0), clLime);
}

TEST(Bitmap, TransparencyAndKeyedImage)
{
    TBitmap b = Filled(3, 2, RGB(7, 7, 7));
    b.SetPixel(1, 0, clRed);
    b.SetPixel(0, 1, clBlue);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmAuto);
    EXPECT_EQ(b.TransparentColor(), clBlue); // bottom-left pixel
    b.SetTransparentColor(RGB(7, 7, 7));
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(b.TransparentColor(), RGB(7, 7, 7));

    // Not transparent: everything opaque.
    EXPECT_EQ(qAlpha(b.KeyedImage().pixel(0, 0)), 255);
    b.SetTransparent(true);
    const QImage& k = b.KeyedImage();
    EXPECT_EQ(qAlpha(k.pixel(0, 0)), 0);
    EXPECT_EQ(k.pixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(k.pixel(0, 1)), 255);

    // The cache follows drawing on the bitmap.
    b.Canvas().Brush.Color = clLime;
    b.Canvas().FillRect({2, 0, 3, 1});
    EXPECT_EQ(b.KeyedImage().pixel(2, 0), 0xFF00FF00u);
    b.SetTransparentColor(clDefault);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmAuto);
    EXPECT_EQ(qAlpha(b.KeyedImage().pixel(0, 1)), 0);
    EXPECT_EQ(qAlpha(b.KeyedImage().pixel(0, 0)), 255);

    // "No colour" as the key leaves every pixel, even white ones.
    TBitmap w = Filled(1, 1, clWhite);
    w.SetTransparent(true);
    w.SetTransparentColor(clNone);
    EXPECT_EQ(qAlpha(w.KeyedImage().pixel(0, 0)), 255);
}

TEST(Bitmap, CopiesAreIndependentAndGenerationsUnique)
{
    TBitmap a = Filled(2, 2, clRed);
    a.SetTransparent(true);
    TBitmap b = a;
    EXPECT_TRUE(b.Transparent());
    b.Canvas().Brush.Color = clBlue;
    b.Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(a.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);

    // A bitmap drawn on while being copied hands over what was drawn.
    a.Canvas().Brush.Color = clLime;
    a.Canvas().FillRect({1, 1, 2, 2});
    TBitmap c;
    c = a;
    EXPECT_EQ(c.Pixel(1, 1), clLime);

    const uint64_t before = a.Generation();
    a.SetPixel(0, 0, clBlack);
    EXPECT_NE(a.Generation(), before);
    EXPECT_NE(TBitmap().Generation(), TBitmap().Generation());

    TBitmap moved = std::move(a);
    EXPECT_EQ(moved.Pixel(0, 0), clBlack);
    EXPECT_TRUE(a.Empty()); // NOLINT(bugprone-use-after-move): moved-from is empty
}
