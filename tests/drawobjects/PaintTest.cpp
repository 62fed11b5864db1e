// Pixels of rendered figures: fill and outline, the side the shadow falls on,
// the rotation centre, handles and selection frame, text that does not fit,
// balloon tails and dash patterns.
#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Rectangle.h"
#include "TestOwner.h"

#include <gtest/gtest.h>

namespace {

// Counts the pixels of a colour in a rectangle (right and bottom excluded).
int CountColor(const TBitmap& b, TRect r, TColor color)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += b.Pixel(x, y) == color;
    return n;
}

void Render(TDrawObject& figure, TTestOwner& owner)
{
    owner.RedrawFrames = true;
    figure.SmallRedraw = true;
    figure.Paint();
}

} // namespace

TEST(Paint, FillOutlineAndShadowSide)
{
    for (const int shadow : {6, -6}) {
        TTestOwner owner;
        TRectangle r(&owner); // button space at frame (22, 22), box 100 x 100
        r.Left = r.Top = 20;
        r.Color = clRed;
        r.Pen().Color = clBlue;
        r.ColorShadow = clLime;
        r.SetShadowSize(shadow);
        Render(r, owner);
        const TBitmap& b = owner.Render;
        EXPECT_EQ(b.Pixel(72, 72), clRed) << "fill";
        EXPECT_EQ(b.Pixel(22, 72), clBlue) << "left outline";
        EXPECT_EQ(b.Pixel(121, 72), clBlue) << "right outline, also with a shadow up and left";
        EXPECT_EQ(b.Pixel(72, 121), clBlue) << "bottom outline";
        if (shadow > 0) {
            EXPECT_EQ(b.Pixel(125, 72), clLime);
            EXPECT_EQ(b.Pixel(72, 125), clLime);
            EXPECT_EQ(CountColor(b, {0, 0, 22, 200}, clLime), 0) << "no shadow on the left";
        } else {
            EXPECT_EQ(b.Pixel(18, 72), clLime);
            EXPECT_EQ(b.Pixel(72, 17), clLime) << "the shadow's top is not cut off";
            EXPECT_EQ(CountColor(b, {123, 0, 200, 200}, clLime), 0) << "no shadow on the right";
        }
    }
}

TEST(Paint, NoShadowPassAtZeroAndNoCrashFarOut)
{
    TTestOwner owner;
    TRectangle r(&owner);
    r.ColorShadow = clLime;
    r.SetShadowSize(0);
    Render(r, owner);
    EXPECT_EQ(CountColor(owner.Render, {0, 0, 200, 200}, clLime), 0);

    r.SetWidth(3);
    r.Resize();
    r.SetShadowSize(-250); // far beyond the figure's size
    Render(r, owner);
    EXPECT_GE(r.SmallBitmap.Width(), 1);
    EXPECT_GE(r.BigBitmap.Height(), 1);
}

TEST(Paint, RotatesAboutTheObjectsRotationCentre)
{
    TTestOwner owner;
    TRectangle r(&owner);
    r.SetHeight(40);
    r.Resize();
    r.Left = r.Top = 50;
    r.Color = r.Pen().Color = clRed;
    r.SetShadowSize(0);
    r.QRotCenter = true; // centre (100, 70): Left + Width div 2, Top + Height div 2
    r.QAngle = 90;
    r.SAngle = float(kPi / 2);
    Render(r, owner);
    const TBitmap& b = owner.Render;
    const TPoint inner = r.RotatePoint(r.BtnToFrame({90, 20}), r.SAngle);
    EXPECT_EQ(b.Pixel(inner.X, inner.Y), clRed);
    EXPECT_EQ(b.Pixel(142, 72), clWhite) << "the unrotated place is empty";
    EXPECT_EQ(b.Pixel(80, 72), clRed);
    EXPECT_EQ(b.Pixel(120, 72), clWhite) << "a centre 2 pixels off would shift the shape 4 pixels right";
    EXPECT_EQ(owner.Render.Canvas().GetWorldTransform(), TXForm{}) << "the transform is restored";
}

TEST(Paint, HandlesOnlyOnCornerPointsWhenSingleSelected)
{
    TTestOwner owner;
    TRectangle r(&owner);
    r.Left = r.Top = 30; // handle 0 centred on frame (32, 32), square 28..35
    r.SetFocused(true);
    const TBitmap& b = owner.Editor;
    EXPECT_EQ(b.Pixel(28, 31), clBlue) << "handle of point 0";
    EXPECT_EQ(b.Pixel(128, 131), clBlue) << "handle of point 1";
    EXPECT_NE(b.Pixel(128, 31), clBlue) << "derived corners have no handle";
    const int frameDots = CountColor(b, {24, 24, 24 + r.BigBitmap.Width(), 25}, clBlue);
    EXPECT_GT(frameDots, 10) << "selection frame";
    EXPECT_LT(frameDots, r.BigBitmap.Width() - 10) << "dotted, not solid";

    owner.Clear(clWhite);
    owner.Selected = 2;
    r.BigRedraw = true;
    r.Paint();
    EXPECT_NE(b.Pixel(28, 31), clBlue) << "no handles while several figures are selected";
}

TEST(Paint, TextLineThatDoesNotFitIsSkippedWhole)
{
    TTestOwner owner;
    TRectangle r(&owner);
    r.Left = r.Top = 20;
    r.Font.SetHeight(16);
    r.Font.Color = clBlue;
    r.SetShadowSize(0);
    r.SetStrings({"Hi", QString(30, 'W')});
    Render(r, owner);
    const int top = 22 + (100 - 2 * 16) / 2; // first line's cell
    EXPECT_GT(CountColor(owner.Render, {22, top, 122, top + 16}, clBlue), 0);
    EXPECT_EQ(CountColor(owner.Render, {0, top + 16, 200, 200}, clBlue), 0);

    owner.Clear(clWhite);
    r.SetStrings({QString(30, 'W')});
    Render(r, owner);
    EXPECT_EQ(CountColor(owner.Render, {0, 0, 200, 200}, clBlue), 0);
}

TEST(Paint, PlainTextShowsPlaceholder)
{
    TTestOwner owner;
    TText t(&owner);
    t.Font.Color = clRed;
    Render(t, owner);
    EXPECT_GT(CountColor(owner.Render, {0, 0, 200, 200}, clRed), 0);
}

TEST(Paint, BalloonTailAtEachCorner)
{
    // The ellipse leaves the box's corners empty; only a tail reaches them.
    const TBalloonPoint corners[] = {TBalloonPoint::bpTopLeft, TBalloonPoint::bpTopRight,
                                     TBalloonPoint::bpBottomLeft, TBalloonPoint::bpBottomRight};
    const TRect regions[] = {{22, 22, 30, 30}, {114, 22, 122, 30}, {22, 114, 30, 122}, {114, 114, 122, 122}};
    for (int withTail = 0; withTail < 2; ++withTail) {
        for (int i = 0; i < 4; ++i) {
            TTestOwner owner;
            TEllipse e(&owner);
            e.Left = e.Top = 20;
            e.Color = clRed;
            e.SetShadowSize(0);
            e.SetBalloonPoint(withTail ? corners[i] : TBalloonPoint::bpNone);
            Render(e, owner);
            const int marked = 64 - CountColor(owner.Render, regions[i], clWhite);
            if (withTail)
                EXPECT_GT(marked, 3) << "corner " << i;
            else
                EXPECT_EQ(marked, 0) << "corner " << i;
        }
    }
}

TEST(Paint, WideDashedLinesRepeatTheirPattern)
{
    TBitmap b(240, 20);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clWhite;
    c.FillRect({0, 0, 240, 20});
    c.Pen.Color = clBlack;
    c.Pen.Width = 4;
    c.Pen.Style = TPenStyle::psDash; // dash 12, gap 6
    const TPoint line[2] = {{10, 10}, {230, 10}};
    StyledPolyline(c, line);
    EXPECT_EQ(c.Pen.UserDashes.size(), 0u) << "the canvas's pen is given back";
    std::vector<int> starts;
    for (int x = 1; x < 240; ++x)
        if (b.Pixel(x, 10) == clBlack && b.Pixel(x - 1, 10) != clBlack)
            starts.push_back(x);
    ASSERT_GE(starts.size(), 6u);
    for (size_t i = 1; i + 1 < starts.size(); ++i)
        EXPECT_EQ(starts[i] - starts[i - 1], 18) << "dash " << i;
}
