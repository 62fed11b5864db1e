// Text along a curve: where the characters go, that they turn with the
// curve, and the three outline modes.
#include "drawobjects/Rectangle.h"
#include "drawobjects/TextBezier.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TBitmap WhiteBitmap(int w = 200, int h = 200)
{
    TBitmap b(w, h);
    b.Canvas().Brush.Color = clWhite;
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

// A straight curve from (x0, y) to (x1, y).
std::vector<TPoint> Straight(int x0, int x1, int y)
{
    return {{x0, y}, {x0 + (x1 - x0) / 3, y}, {x0 + 2 * (x1 - x0) / 3, y}, {x1, y}};
}

} // namespace

TEST(TextBezier, NothingWithoutAWholeCurveOrText)
{
    TBitmap b = WhiteBitmap();
    TCanvas& c = b.Canvas();
    c.Font.Color = clBlue;
    c.Font.Size = 20;
    const std::vector<TPoint> three{{10, 100}, {100, 100}, {190, 100}};
    DrawTextAlongBezier(c, three, TFontOutline::foNone, 0, "Hello");
    DrawTextAlongBezier(c, Straight(10, 190, 100), TFontOutline::foNone, 0, "");
    EXPECT_EQ(CountColor(b, {0, 0, 200, 200}, clBlue), 0);
    DrawTextAlongBezier(c, Straight(10, 190, 100), TFontOutline::foNone, 0, "Hello");
    EXPECT_GT(CountColor(b, {0, 0, 200, 200}, clBlue), 20);
}

TEST(TextBezier, OneCharacterStartsAtTheFirstPoint)
{
    TBitmap b = WhiteBitmap();
    TCanvas& c = b.Canvas();
    c.Font.Color = clBlue;
    c.Font.Size = 30;
    DrawTextAlongBezier(c, Straight(50, 190, 100), TFontOutline::foNone, 0, "H");
    const TRect box = ColorBounds(b, clBlue);
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_GE(box.Left, 50);
    EXPECT_LE(box.Left, 56) << "the cell starts at the curve's first point";
    EXPECT_GE(box.Top, 100) << "no offset: the cell hangs below the curve";
}

TEST(TextBezier, CharactersSpreadOverTheCurveAndSitOnIt)
{
    TTextBezier t;
    t.Font.Size = 20;
    t.Font.Color = clBlue;
    t.SetText("IIIIII");
    t.BtnPoints = Straight(0, 160, 100);
    const TBitmap b = DrawFigure(t, 20, 0);
    const TRect box = ColorBounds(b, clBlue);
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_LE(box.Left, 26) << "first character at the start";
    EXPECT_GE(box.Right, 170) << "last character at the end";
    EXPECT_LT(box.Top, 100) << "lifted above the curve";
    EXPECT_GT(box.Bottom, 100) << "its lower part on the curve";
    // Six characters, six separate strokes along a row through them.
    int strokes = 0;
    for (int x = 1; x < 200; ++x)
        strokes += b.Pixel(x, 95) == clBlue && b.Pixel(x - 1, 95) != clBlue;
    EXPECT_EQ(strokes, 6);
}

TEST(TextBezier, CharactersTurnWithTheCurve)
{
    TTextBezier t;
    t.Font.Size = 16;
    t.Font.Color = clBlue;
    t.SetText("MMMM");
    t.BtnPoints = {{100, 190}, {100, 130}, {100, 70}, {100, 10}}; // straight up
    const TRect box = ColorBounds(DrawFigure(t), clBlue);
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_GT(box.Height(), 3 * box.Width()) << "the line of text runs up the curve";
    EXPECT_LT(box.Left, 92) << "lifted to the left of a curve running up";
    EXPECT_LE(box.Right, 106);
}

TEST(TextBezier, OutlineModes)
{
    TTextBezier t;
    t.Font.Size = 48;
    t.Font.Style = fsBold;
    t.Font.Color = clBlue;
    t.Color = clLime;
    t.Pen().Color = clRed;
    t.Pen().Width = 1;
    t.SetText("O");
    t.BtnPoints = Straight(40, 160, 150);

    t.SetOutline(TFontOutline::foNone);
    TBitmap b = DrawFigure(t);
    EXPECT_GT(CountColor(b, {0, 0, 200, 200}, clBlue), 100);
    EXPECT_EQ(CountColor(b, {0, 0, 200, 200}, clRed), 0);

    t.SetOutline(TFontOutline::foClear);
    b = DrawFigure(t);
    EXPECT_EQ(CountColor(b, {0, 0, 200, 200}, clBlue), 0) << "outline only";
    EXPECT_GT(CountColor(b, {0, 0, 200, 200}, clRed), 50);

    t.SetOutline(TFontOutline::foColored);
    b = DrawFigure(t);
    EXPECT_EQ(CountColor(b, {0, 0, 200, 200}, clBlue), 0);
    EXPECT_GT(CountColor(b, {0, 0, 200, 200}, clLime), 100) << "filled in the fill colour";
    EXPECT_GT(CountColor(b, {0, 0, 200, 200}, clRed), 50) << "and outlined with the pen";
}

TEST(TextBezier, NeverFilledArrowedOrAttached)
{
    TTextBezier t;
    t.SetFilled(true);
    t.SetArrow1(true);
    t.SetArrow2(true);
    EXPECT_FALSE(t.Filled());
    EXPECT_FALSE(t.Arrow1());
    EXPECT_FALSE(t.Arrow2());
    TRectangle r;
    t.SetConnection1(&r);
    EXPECT_EQ(t.Connection1(), nullptr);
    EXPECT_TRUE(r.ConnectorList().empty());
}
