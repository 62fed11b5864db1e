// Point layouts, handle dragging, text fitting and connection geometry of
// the solid figures: rectangle, plain text, rhombus and ellipse.
#include "drawobjects/Diamond.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Rectangle.h"
#include "drawobjects/DrawHelpers.h"
#include "TestOwner.h"

#include <gtest/gtest.h>

namespace {
std::vector<TPoint> Pts(std::initializer_list<TPoint> l) { return l; }
} // namespace

TEST(Shapes, DefaultLayouts)
{
    TRectangle r;
    EXPECT_EQ(r.BtnPoints, Pts({{0, 0}, {100, 100}, {0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    EXPECT_EQ(r.Padding(), 4);
    EXPECT_TRUE(r.Centered());
    EXPECT_TRUE(r.CanConnect());

    TText t;
    EXPECT_EQ(t.ButtonCount(), 6);
    EXPECT_EQ(t.Padding(), 0);
    EXPECT_EQ(t.ShadowSize(), 0);
    EXPECT_FALSE(t.CanConnect());

    TDiamond d;
    EXPECT_EQ(d.BtnPoints, Pts({{0, 0}, {100, 100}, {0, 50}, {50, 0}, {100, 50}, {50, 100}}));
}

TEST(Shapes, EllipseBezierPoints)
{
    TEllipse e; // box 0..99: ox = oy = Round(99 * k) = 27, centre 49
    ASSERT_EQ(e.ButtonCount(), 15);
    EXPECT_EQ(e.BtnPoints[2], TPoint(0, 49));
    EXPECT_EQ(e.BtnPoints[3], TPoint(0, 22));
    EXPECT_EQ(e.BtnPoints[4], TPoint(22, 0));
    EXPECT_EQ(e.BtnPoints[5], TPoint(49, 0));
    EXPECT_EQ(e.BtnPoints[6], TPoint(76, 0));
    EXPECT_EQ(e.BtnPoints[8], TPoint(99, 49));
    EXPECT_EQ(e.BtnPoints[11], TPoint(49, 99));
    EXPECT_EQ(e.BtnPoints[14], e.BtnPoints[2]);
}

TEST(Shapes, TopLeftHandleStopsAtBottomRight)
{
    TRectangle r;
    r.SetFocused(true);
    r.MouseDown(TMouseButton::mbLeft, 0, 6, 6); // handle 0
    ASSERT_EQ(r.PressedBtnIdx(), 0);
    r.MouseMove(ssLeft, 300, 250);
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
    EXPECT_EQ(r.Left, 104) << "the box collapsed onto the old bottom-right corner";
    EXPECT_EQ(r.BtnPoints[3], r.BtnPoints[0]);

    TDiamond d; // the bottom-right handle cannot pass the top-left one either
    d.SetFocused(true);
    d.MouseDown(TMouseButton::mbLeft, 0, 106, 106);
    d.MouseMove(ssLeft, 56, -20);
    EXPECT_EQ(d.Width(), 50);
    EXPECT_EQ(d.Height(), 0);
    EXPECT_EQ(d.BtnPoints[4], TPoint(50, 0));
}

TEST(Shapes, RegularEllipseStaysCircle)
{
    TEllipse e;
    e.SetRegular(true);
    e.SetFocused(true);
    e.MouseDown(TMouseButton::mbLeft, 0, 106, 106);
    e.MouseMove(ssLeft, 156, 20); // button X 150, whatever the mouse's Y
    EXPECT_EQ(e.BtnPoints[1], TPoint(150, 150));
    EXPECT_EQ(e.Height(), 150);
    EXPECT_EQ(e.BtnPoints[8], TPoint(149, 74));

    TEllipse flat;
    flat.BtnPoints[1] = {100, 40};
    flat.SetRegular(true);
    EXPECT_EQ(flat.BtnPoints[1], TPoint(100, 100));
    EXPECT_EQ(flat.Height(), 100);
}

TEST(Shapes, FitToText)
{
    TRectangle r;
    EXPECT_FALSE(r.ResizeObjectToFitText()) << "no lines: nothing changes";
    EXPECT_EQ(r.Width(), 100);

    // Line height: the cell height of "Yy" in the figure's font.
    TFont font;
    font.Size = 12;
    TBitmap probe(1, 1);
    probe.Canvas().Font = font;
    const int h = probe.Canvas().TextHeight("Yy");
    const int p = 2 / 2 + 1 + 4; // pen width div 2 + 1 + padding
    ASSERT_GT(h, 10);

    TDiamond d;
    d.Font = font;
    d.SetStrings({"ab", "c"});
    ASSERT_TRUE(d.ResizeObjectToFitText());
    EXPECT_EQ(d.Height(), 2 * 3 * h + 2 * p); // 96 + 2p for a 16-pixel line

    TText t;
    t.Font = font;
    t.SetStrings({"Hello", "World!"}); // fits at once
    EXPECT_EQ(t.Height(), 2 * h + 2 * 2);
    EXPECT_EQ(t.Width(), probe.Canvas().TextWidth("World!") + 2 * 2);

    TEllipse e;
    e.Font = font;
    e.SetStrings({"x"});
    ASSERT_TRUE(e.ResizeObjectToFitText());
    EXPECT_EQ(e.Height(), RoundEven(1.42L * 2 * h) + 2 * p);
}

TEST(Shapes, ClosestOutlinePoints)
{
    TRectangle r; // button space at frame (6, 6), centre (56, 56)
    EXPECT_EQ(r.ClosestScreenPt({206, 56}), TPoint(106, 56)); // right side
    EXPECT_EQ(r.ClosestScreenPt({56, -100}), TPoint(56, 6));  // top side
    EXPECT_EQ(r.ClosestScreenPt({-44, 156}), TPoint(6, 106)); // corner
    EXPECT_EQ(r.QuadScreenPt(TQuadConnection::qcBottom), TPoint(56, 106));
    r.SetRounded(true); // the corner is cut by a circle of radius 25 about (31, 81)
    const TPoint c = r.ClosestScreenPt({-44, 156});
    EXPECT_NEAR(std::hypot(c.X - 31, c.Y - 81), 25, 1);

    TDiamond d;
    EXPECT_EQ(d.ClosestScreenPt({206, 56}), TPoint(106, 56));
    EXPECT_EQ(d.ClosestScreenPt({106, 6}), TPoint(81, 31)); // on the upper-right edge

    TEllipse e; // centre (50, 50) of a box 0..100, half axes 50
    EXPECT_EQ(e.ClosestScreenPt({306, 56}), TPoint(106, 56));
    EXPECT_EQ(e.ClosestScreenPt({56, 300}), TPoint(56, 106));

    TSolid s; // the base solid: line from the centre to the side
    EXPECT_EQ(s.ClosestScreenPt({56, 300}), TPoint(56, 106));
    EXPECT_EQ(s.ClosestScreenPt({-44, 56}), TPoint(6, 56));
    EXPECT_EQ(s.ClosestScreenPt({56, 56}), TPoint(56, 56)); // the centre itself
}
