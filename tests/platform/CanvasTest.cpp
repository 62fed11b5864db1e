#include "platform/Canvas.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TBitmap White(int w, int h, TPixelFormat format = TPixelFormat::pf24bit)
{
    TBitmap b(w, h, format);
    b.Canvas().Brush.Color = clWhite;
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

// One row as text: '.' white, '#' the given colour, '?' anything else.
std::string Row(TBitmap& b, int y, TColor ink = clBlack)
{
    std::string s;
    for (int x = 0; x < b.Width(); ++x) {
        const TColor c = b.Pixel(x, y);
        s += c == clWhite ? '.' : c == ink ? '#' : '?';
    }
    return s;
}

std::string Column(TBitmap& b, int x, TColor ink = clBlack)
{
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        const TColor c = b.Pixel(x, y);
        s += c == clWhite ? '.' : c == ink ? '#' : '?';
    }
    return s;
}

int Count(TBitmap& b, TColor color)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) == color;
    return n;
}

// Rotation by `degrees` about (cx, cy) as the figures install it.
TXForm Rotation(float degrees, float cx, float cy)
{
    const float a = degrees * float(M_PI) / 180;
    const float s = std::sin(a), c = std::cos(a);
    return {c, s, -s, c, cx - cx * c + cy * s, cy - cx * s - cy * c};
}

void Save(TBitmap& b, const char* name)
{
    b.ConstImage().save(TestOutputDir("platform") + "/" + name);
}

} // namespace

TEST(Canvas, RectangleFillRectAndEllipseExcludeRightAndBottomEdges)
{
    TBitmap b = White(12, 12);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(Row(b, 0), "##########..");
    EXPECT_EQ(Row(b, 5, clRed), "?########?..");
    EXPECT_EQ(b.Pixel(0, 5), clBlack);
    EXPECT_EQ(Row(b, 9), "##########..");
    EXPECT_EQ(Row(b, 10), "............");

    TBitmap f = White(6, 4);
    f.Canvas().Brush.Color = clBlue;
    f.Canvas().FillRect({1, 1, 4, 3});
    EXPECT_EQ(Row(f, 1, clBlue), ".###..");
    EXPECT_EQ(Row(f, 3, clBlue), "......");
    f.Canvas().FillRect({5, 3, 2, 2}); // reversed corners are normalised
    EXPECT_EQ(Row(f, 2, clBlue), ".####.");

    // Without a pen the brush stops one pixel short of the right and bottom.
    TBitmap n = White(12, 12);
    n.Canvas().Pen.Style = TPenStyle::psClear;
    n.Canvas().Brush.Color = clLime;
    n.Canvas().Rectangle(1, 1, 11, 11);
    EXPECT_EQ(Row(n, 1, clLime), ".#########..");
    EXPECT_EQ(Row(n, 10, clLime), "............");

    // An ellipse stays inside its box, touches every side and is symmetric.
    TBitmap e = White(14, 12);
    e.Canvas().Brush.Color = clLime;
    e.Canvas().Ellipse(1, 1, 12, 11);
    EXPECT_EQ(Column(e, 0), std::string(12, '.'));
    EXPECT_EQ(Column(e, 12), std::string(12, '.'));
    EXPECT_EQ(Row(e, 0), std::string(14, '.'));
    EXPECT_EQ(Row(e, 11), std::string(14, '.'));
    EXPECT_EQ(e.Pixel(1, 5), clBlack);
    EXPECT_EQ(e.Pixel(11, 5), clBlack);
    EXPECT_EQ(e.Pixel(6, 1), clBlack);
    EXPECT_EQ(e.Pixel(6, 10), clBlack);
    EXPECT_EQ(e.Pixel(6, 5), clLime);
    for (int y = 1; y < 11; ++y) {
        const std::string r = Row(e, y, clBlack);
        EXPECT_EQ(r.substr(1, 11), std::string(r.rbegin() + 2, r.rend() - 1)) << "row " << y;
    }
    Save(e, "ellipse.png");
}

TEST(Canvas, PolygonAndLines)
{
    TBitmap b = White(12, 12);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clBlue;
    c.Brush.Color = clRed;
    const std::vector<TPoint> triangle{{1, 1}, {10, 1}, {1, 10}};
    c.Polygon(triangle);
    EXPECT_EQ(b.Pixel(1, 1), clBlue);
    EXPECT_EQ(b.Pixel(10, 1), clBlue);
    EXPECT_EQ(b.Pixel(1, 10), clBlue);
    EXPECT_EQ(b.Pixel(5, 6), clBlue); // on the slanted side
    EXPECT_EQ(b.Pixel(3, 3), clRed);
    EXPECT_EQ(b.Pixel(7, 7), clWhite);
    EXPECT_EQ(Count(b, clRed) + Count(b, clBlue) + Count(b, clWhite), 144);

    // A self-crossing polygon leaves the doubly covered part empty.
    TBitmap star = White(21, 21);
    star.Canvas().Brush.Color = clRed;
    star.Canvas().Pen.Style = TPenStyle::psClear;
    const std::vector<TPoint> pentagram{{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    star.Canvas().Polygon(pentagram);
    EXPECT_EQ(star.Pixel(10, 11), clWhite);
    EXPECT_EQ(star.Pixel(10, 3), clRed);

    // LineTo leaves out the end pixel and moves the pen there.
    TBitmap l = White(10, 10);
    l.Canvas().MoveTo(1, 1);
    l.Canvas().LineTo(8, 1);
    EXPECT_EQ(Row(l, 1), ".#######..");
    EXPECT_EQ(l.Canvas().PenPos(), TPoint(8, 1));
    l.Canvas().LineTo(8, 8);
    EXPECT_EQ(Column(l, 8), ".#######..");
    // A diagonal steps one pixel per column, rounding to the nearest row.
    TBitmap g = White(10, 8);
    g.Canvas().MoveTo(1, 3);
    g.Canvas().LineTo(8, 6);
    EXPECT_EQ(Row(g, 3), ".##.......");
    EXPECT_EQ(Row(g, 4), "...##.....");
    EXPECT_EQ(Row(g, 5), ".....##...");
    EXPECT_EQ(Row(g, 6), ".......#..");
    // A polyline draws its corners once and leaves out only its last point.
    TBitmap p = White(6, 6);
    p.Canvas().Pen.Mode = TPenMode::pmNot;
    const std::vector<TPoint> corner{{1, 1}, {4, 1}, {4, 4}};
    p.Canvas().Polyline(corner);
    EXPECT_EQ(Row(p, 1), ".####.");
    EXPECT_EQ(Column(p, 4), ".###..");
    // Lines far outside the bitmap are clipped, not walked pixel by pixel.
    l.Canvas().MoveTo(-2000000000, 5);
    l.Canvas().LineTo(2000000000, 5);
    EXPECT_EQ(Row(l, 5), "##########");
}

TEST(Canvas, PenWidthsAndDashes)
{
    // Width-1 cosmetic patterns, in pixels.
    TBitmap b = White(48, 4);
    TCanvas& c = b.Canvas();
    c.Pen.Style = TPenStyle::psDash;
    c.MoveTo(0, 0);
    c.LineTo(48, 0);
    EXPECT_EQ(Row(b, 0), "##################......##################......");
    c.Pen.Style = TPenStyle::psDot;
    c.MoveTo(0, 1);
    c.LineTo(48, 1);
    EXPECT_EQ(Row(b, 1).substr(0, 12), "###...###...");
    c.Pen.Style = TPenStyle::psDashDot;
    c.MoveTo(0, 2);
    c.LineTo(48, 2);
    EXPECT_EQ(Row(b, 2).substr(0, 24), "#########......###......");
    c.Pen.Style = TPenStyle::psDashDotDot;
    c.MoveTo(0, 3);
    c.LineTo(48, 3);
    EXPECT_EQ(Row(b, 3).substr(0, 24), "#########...###...###...");

    // A wide pen with user dashes: width 3, dash 9, gap (3 * 3) div 2 = 4.
    TBitmap u = White(40, 7);
    u.Canvas().Pen.Width = 3;
    u.Canvas().Pen.Style = TPenStyle::psDash;
    u.Canvas().Pen.UserDashes = {9, 4};
    u.Canvas().MoveTo(2, 3);
    u.Canvas().LineTo(38, 3);
    EXPECT_EQ(Row(u, 3), "..#########....#########....#########...");
    EXPECT_EQ(Row(u, 2), Row(u, 4));
    EXPECT_EQ(Row(u, 1), std::string(40, '.'));

    // A wide pen with a dash style but no user dashes draws solid, with round
    // ends reaching past both end points.
    TBitmap w = White(24, 9);
    w.Canvas().Pen.Width = 5;
    w.Canvas().Pen.Style = TPenStyle::psDot;
    w.Canvas().MoveTo(5, 4);
    w.Canvas().LineTo(18, 4);
    EXPECT_EQ(Row(w, 4), "...##################...");
    EXPECT_EQ(w.Pixel(3, 2), clWhite); // rounded, not square
    EXPECT_EQ(Row(w, 2), Row(w, 6));

    // psClear draws no outline, but the brush still fills.
    TBitmap n = White(6, 6);
    n.Canvas().Pen.Style = TPenStyle::psClear;
    n.Canvas().Brush.Color = clRed;
    n.Canvas().Rectangle(0, 0, 6, 6);
    EXPECT_EQ(Count(n, clBlack), 0);
    EXPECT_EQ(Count(n, clRed), 25);
    Save(u, "user-dashes.png");
}

TEST(Canvas, PenModes)
{
    TBitmap b = White(20, 14);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.FillRect({0, 7, 20, 14});
    const QImage before = b.ConstImage().copy();

    c.Pen.Mode = TPenMode::pmNot;
    c.Brush.Style = TBrushStyle::bsClear;
    auto rubberBand = [&] {
        c.Rectangle(2, 2, 16, 12);
        c.Ellipse(4, 3, 12, 13);
        c.MoveTo(0, 0);
        c.LineTo(19, 13);
        c.Pen.Width = 3;
        c.MoveTo(1, 10);
        c.LineTo(18, 4);
        c.Pen.Width = 1;
    };
    rubberBand();
    EXPECT_EQ(b.Pixel(2, 2), RGB(0, 0, 0));    // white inverted
    EXPECT_EQ(b.Pixel(15, 11), RGB(0, 255, 255)); // red inverted
    EXPECT_EQ(b.Pixel(8, 0), clWhite);
    rubberBand();
    EXPECT_EQ(b.ConstImage(), before);

    c.Pen.Mode = TPenMode::pmXor;
    c.Pen.Color = RGB(0, 255, 0);
    c.MoveTo(0, 8);
    c.LineTo(5, 8);
    EXPECT_EQ(b.Pixel(1, 8), RGB(255, 255, 0));

    // The focus rectangle inverts dotted and restores when drawn again.
    c.DrawFocusRect({1, 1, 9, 12});
    EXPECT_NE(b.ConstImage(), before);
    EXPECT_EQ(b.Pixel(1, 1), clBlack);
    EXPECT_EQ(b.Pixel(2, 1), clWhite);
    c.DrawFocusRect({1, 1, 9, 12});
    c.MoveTo(0, 8);
    c.LineTo(5, 8);
    EXPECT_EQ(b.ConstImage(), before);
}

TEST(Canvas, WorldTransformRotatesShapesAndBitmaps)
{
    TBitmap b = White(16, 16);
    TCanvas& c = b.Canvas();
    c.SetWorldTransform(Rotation(90, 8, 8));
    EXPECT_EQ(c.GetWorldTransform(), Rotation(90, 8, 8));
    // (x, y) -> (16 - y, x): the 4 x 2 area at (9, 2) turns into a 2 x 4 area.
    c.Brush.Color = clRed;
    c.FillRect({9, 2, 13, 4});
    // A bitmap drawn through the same transform lands the same way.
    TBitmap src = White(4, 2);
    src.Canvas().Brush.Color = clBlue;
    src.Canvas().FillRect({0, 0, 4, 2});
    src.SetPixel(0, 0, clLime);
    c.Draw(9, 10, src);
    c.ResetWorldTransform();
    EXPECT_EQ(Count(b, clRed), 8);
    for (int y = 9; y < 13; ++y) {
        EXPECT_EQ(b.Pixel(12, y), clRed);
        EXPECT_EQ(b.Pixel(13, y), clRed);
    }
    EXPECT_EQ(Count(b, clBlue) + Count(b, clLime), 8);
    EXPECT_EQ(b.Pixel(5, 9), clLime);
    EXPECT_EQ(b.Pixel(4, 12), clBlue);
    // Lines map their end points.
    c.SetWorldTransform(Rotation(90, 8, 8));
    c.Pen.Color = clBlack;
    c.MoveTo(2, 14);
    c.LineTo(6, 14);
    c.ResetWorldTransform();
    EXPECT_EQ(Column(b, 2), "..####..........");
    Save(b, "rotation.png");
}

TEST(Canvas, ColourKeyDrawAndStretchDraw)
{
    TBitmap src(4, 4);
    src.Canvas().Brush.Color = RGB(7, 7, 7);
    src.Canvas().FillRect({0, 0, 4, 4});
    src.Canvas().Brush.Color = clRed;
    src.Canvas().FillRect({1, 1, 3, 3});
    src.SetTransparent(true);
    src.SetTransparentColor(RGB(7, 7, 7));

    TBitmap b = White(16, 12);
    b.Canvas().Draw(1, 1, src);
    EXPECT_EQ(Count(b, RGB(7, 7, 7)), 0);
    EXPECT_EQ(Row(b, 2, clRed), "..##............");
    // Stretched 2x with nearest-neighbour: a 4 x 4 red square, key left out.
    b.Canvas().StretchDraw({6, 2, 14, 10}, src);
    EXPECT_EQ(Count(b, clRed), 4 + 16);
    EXPECT_EQ(Row(b, 4, clRed), "........####....");
    EXPECT_EQ(Row(b, 3, clRed).substr(6), "..........");
    // Without transparency the key colour is drawn.
    src.SetTransparent(false);
    b.Canvas().Draw(1, 6, src);
    EXPECT_EQ(Count(b, RGB(7, 7, 7)), 12);
    // CopyRect is opaque even for transparent bitmaps.
    src.SetTransparent(true);
    TBitmap o = White(8, 8);
    o.Canvas().CopyRect({0, 0, 2, 2}, src, {0, 0, 2, 2});
    EXPECT_EQ(o.Pixel(0, 0), RGB(7, 7, 7));
    EXPECT_EQ(o.Pixel(1, 1), clRed);
    // Negative extents mirror.
    src.SetPixel(0, 0, clBlue);
    o.Canvas().CopyRect({8, 4, 4, 8}, src, {0, 0, 4, 4});
    EXPECT_EQ(o.Pixel(7, 4), clBlue);
    EXPECT_EQ(o.Pixel(4, 4), RGB(7, 7, 7));

    // Drawing a bitmap onto itself, and an indexed keyed source.
    b.Canvas().Draw(8, 0, b);
    TBitmap ix(2, 1, TPixelFormat::pf8bit);
    ix.SetPalette({clBlack, clLime});
    ix.SetPixelIndex(1, 0, 1);
    ix.SetTransparent(true);
    ix.SetTransparentColor(clBlack);
    TBitmap t = White(3, 1);
    t.Canvas().Draw(0, 0, ix);
    EXPECT_EQ(Row(t, 0, clLime), ".#.");
    Save(b, "colour-key.png");
}

TEST(Canvas, DrawingOnIndexedBitmaps)
{
    TBitmap b(6, 2, TPixelFormat::pf8bit);
    // A palette that holds red twice: untouched pixels keep their index.
    b.SetPalette({clWhite, clRed, clBlue, clRed});
    b.SetPixelIndex(0, 0, 3);
    b.Canvas().Brush.Color = RGB(0, 10, 240);
    b.Canvas().FillRect({2, 0, 6, 1});
    b.Canvas().Pen.Color = RGB(250, 0, 0);
    b.Canvas().MoveTo(2, 1);
    b.Canvas().LineTo(5, 1);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(b.PixelIndex(0, 0), 3);
    EXPECT_EQ(b.PixelIndex(3, 0), 2);
    EXPECT_EQ(b.PixelIndex(2, 1), 1);
    EXPECT_EQ(b.PixelIndex(5, 1), 0);

    TBitmap m(8, 1, TPixelFormat::pf1bit);
    m.Canvas().Brush.Color = RGB(240, 240, 240);
    m.Canvas().FillRect({2, 0, 5, 1});
    EXPECT_EQ(Row(m, 0, clBlack), "##...###");
}

TEST(Canvas, Text)
{
    TBitmap b = White(80, 30);
    TCanvas& c = b.Canvas();
    c.Font.Name = "Arial";
    c.Font.Size = 12;
    c.Font.Color = clBlue;
    EXPECT_EQ(c.Font.Height(), -16);
    const int h = c.TextHeight("Yy");
    EXPECT_GE(h, 17);
    EXPECT_LE(h, 19);
    const int w = c.TextWidth("Hello");
    EXPECT_GT(w, 30);
    EXPECT_LT(w, 42);
    EXPECT_GT(c.TextWidth("WWW"), c.TextWidth("iii"));
    EXPECT_EQ(c.TextExtent("Hello").cx, w);

    // Opaque background: the whole cell takes the brush colour.
    c.Brush.Color = clLime;
    c.TextOut(5, 4, "Hello");
    EXPECT_EQ(c.PenPos(), TPoint(5 + w, 4));
    int ink = 0, outside = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const bool inCell = x >= 5 && x < 5 + w && y >= 4 && y < 4 + h;
            const TColor p = b.Pixel(x, y);
            ink += p == clBlue;
            if (!inCell)
                outside += p != clWhite;
            else
                EXPECT_TRUE(p == clBlue || p == clLime) << x << "," << y; // aliased: no blends
        }
    EXPECT_GT(ink, 40);
    EXPECT_EQ(outside, 0);

    // A clear brush, or SetBkMode(transparent), leaves the background.
    TBitmap t = White(80, 30);
    t.Canvas().Font = c.Font;
    t.Canvas().Brush.Style = TBrushStyle::bsClear;
    EXPECT_EQ(t.Canvas().BkMode(), TBkMode::bmTransparent);
    t.Canvas().TextOut(5, 4, "Hello");
    EXPECT_EQ(Count(t, clLime), 0);
    t.Canvas().Brush.Style = TBrushStyle::bsSolid;
    t.Canvas().Brush.Color = clLime;
    t.Canvas().SetBkMode(TBkMode::bmTransparent);
    t.Canvas().TextOut(5, 4, "Hello");
    EXPECT_EQ(Count(t, clLime), 0);
    t.Canvas().Brush.Color = clRed; // changing the brush ends the override
    EXPECT_EQ(t.Canvas().BkMode(), TBkMode::bmOpaque);

    // Escapement 90 degrees: the text runs upward from the reference point,
    // its cell to the right of it.
    TBitmap r = White(30, 60);
    r.Canvas().Font = c.Font;
    r.Canvas().Font.Orientation = 900;
    r.Canvas().Brush.Style = TBrushStyle::bsClear;
    r.Canvas().TextOut(5, 55, "Hello");
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            if (r.Pixel(x, y) == clBlue) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_GE(minX, 5);
    EXPECT_LT(maxX, 5 + h);
    EXPECT_LE(maxY, 55);
    EXPECT_GE(minY, 55 - w);
    EXPECT_GT(maxY - minY, 25);

    // Font heights: negative is the character height, positive the cell height.
    TFont f;
    f.SetHeight(-16);
    EXPECT_EQ(f.Size, 12);
    f.SetHeight(h);
    EXPECT_EQ(f.Size, 12);
    Save(b, "text.png");
    Save(r, "text-rotated.png");
}

TEST(Canvas, Paths)
{
    TBitmap b = White(40, 30);
    TCanvas& c = b.Canvas();
    std::vector<TPoint> pts;
    std::vector<uint8_t> types;
    EXPECT_FALSE(c.GetPath(pts)); // no path yet

    // A flattened Bézier is a polyline from its first to its last point.
    const std::vector<TPoint> curve{{1, 28}, {5, 1}, {30, 1}, {38, 28}};
    c.BeginPath();
    c.PolyBezier(curve);
    EXPECT_FALSE(c.GetPath(pts)); // still recording
    c.EndPath();
    ASSERT_TRUE(c.GetPath(pts, &types));
    EXPECT_EQ(types.front(), PT_MOVETO);
    EXPECT_EQ(types.back(), PT_BEZIERTO);
    EXPECT_EQ(pts.size(), 4u);
    c.FlattenPath();
    ASSERT_TRUE(c.GetPath(pts, &types));
    ASSERT_GT(pts.size(), 8u);
    EXPECT_EQ(pts.front(), curve.front());
    EXPECT_EQ(pts.back(), curve.back());
    EXPECT_EQ(types.front(), PT_MOVETO);
    for (size_t i = 1; i < types.size(); ++i) {
        EXPECT_EQ(types[i], PT_LINETO);
        EXPECT_GE(pts[i].X, pts[i - 1].X); // this curve runs left to right
        EXPECT_NE(pts[i], pts[i - 1]);
    }
    // Nothing was drawn while recording; stroking draws and discards.
    EXPECT_EQ(Count(b, clBlack), 0);
    c.StrokePath();
    EXPECT_FALSE(c.GetPath(pts));
    EXPECT_GT(Count(b, clBlack), 40);
    EXPECT_EQ(b.Pixel(1, 28), clBlack);

    // Figures in a path: a closed rectangle and lines, under a transform.
    c.SetWorldTransform({1, 0, 0, 1, 10, 0});
    c.BeginPath();
    c.Rectangle(0, 0, 5, 5);
    c.MoveTo(0, 10);
    c.LineTo(5, 10);
    c.LineTo(5, 15);
    c.CloseFigure();
    c.EndPath();
    c.ResetWorldTransform();
    ASSERT_TRUE(c.GetPath(pts, &types));
    ASSERT_EQ(pts.size(), 7u);
    EXPECT_EQ(pts[0], TPoint(10, 0));
    EXPECT_EQ(types[3], PT_LINETO | PT_CLOSEFIGURE);
    EXPECT_EQ(types[4], PT_MOVETO);
    EXPECT_EQ(pts[6], TPoint(15, 15));
    EXPECT_EQ(types[6], PT_LINETO | PT_CLOSEFIGURE);
    c.AbortPath();
    EXPECT_FALSE(c.GetPath(pts));

    // Filling a path: the brush inside, nothing of the pen.
    TBitmap f = White(12, 12);
    f.Canvas().Brush.Color = clRed;
    f.Canvas().BeginPath();
    const std::vector<TPoint> square{{2, 2}, {10, 2}, {10, 10}, {2, 10}};
    f.Canvas().Polygon(square);
    f.Canvas().EndPath();
    f.Canvas().FillPath();
    EXPECT_EQ(Count(f, clRed), 64);
    EXPECT_EQ(Count(f, clBlack), 0);

    // Text in a path gives closed outlines that can be stroked.
    TBitmap t = White(60, 30);
    t.Canvas().Font.Size = 16;
    t.Canvas().BeginPath();
    t.Canvas().TextOut(2, 2, "O");
    t.Canvas().EndPath();
    ASSERT_TRUE(t.Canvas().GetPath(pts, &types));
    ASSERT_FALSE(types.empty());
    int closed = 0;
    for (uint8_t k : types)
        closed += (k & PT_CLOSEFIGURE) != 0;
    EXPECT_EQ(closed, 2); // outer and inner ring of the O
    t.Canvas().StrokePath();
    EXPECT_GT(Count(t, clBlack), 30);
    Save(t, "text-path.png");
}

TEST(Canvas, FiguresOnATransparentBitmap)
{
    // The way figures render: a bitmap cleared to the key colour, shapes drawn,
    // then blitted keyed and rotated onto a frame. Saved for a person to judge.
    TBitmap fig(70, 50);
    TCanvas& f = fig.Canvas();
    f.Brush.Color = RGB(7, 7, 7);
    f.FillRect({0, 0, 70, 50});
    f.Pen.Width = 2;
    f.Pen.Color = clBlue;
    f.Brush.Color = clYellow;
    f.RoundRect(2, 2, 60, 40, 20, 20);
    f.Pen.Width = 3;
    f.Pen.UserDashes = {9, 4, 3, 4};
    f.Brush.Style = TBrushStyle::bsClear;
    f.Ellipse(10, 8, 68, 48);
    f.Pen.UserDashes.clear();
    f.Font.Size = 10;
    f.TextOut(14, 14, "Zembra");
    fig.SetTransparent(true);
    fig.SetTransparentColor(RGB(7, 7, 7));

    TBitmap frame = White(120, 120);
    frame.Canvas().Draw(0, 0, fig);
    frame.Canvas().SetWorldTransform(Rotation(30, 70, 80));
    frame.Canvas().Draw(40, 60, fig);
    frame.Canvas().ResetWorldTransform();
    EXPECT_EQ(Count(frame, RGB(7, 7, 7)), 0);
    EXPECT_GT(Count(frame, clYellow), 2 * 1500);
    Save(frame, "figures.png");
}
