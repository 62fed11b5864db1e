// Angles, polar points, regular polygons, dash patterns, ellipse points and
// line intersections shared by the figures.
#include "drawobjects/DrawHelpers.h"

#include <gtest/gtest.h>

TEST(DrawHelpers, AngleOfCountsCounterClockwiseWithYDown)
{
    const TPoint o{10, 10};
    EXPECT_FLOAT_EQ(AngleOf(o, {20, 10}), 0.0f);
    EXPECT_FLOAT_EQ(AngleOf(o, {10, 0}), float(kPi / 2));  // up on screen
    EXPECT_FLOAT_EQ(AngleOf(o, {0, 10}), float(kPi));
    EXPECT_FLOAT_EQ(AngleOf(o, {10, 20}), float(3 * kPi / 2));
    EXPECT_FLOAT_EQ(AngleOf(o, o), float(kPi / 2));       // coincident points
    EXPECT_NEAR(AngleOf(o, {20, 20}), 7 * kPi / 4, 1e-6);  // down-right stays positive
}

TEST(DrawHelpers, PolarPointAndRegularPolygon)
{
    EXPECT_EQ(PolarPoint({50, 50}, 10, float(kPi / 2)), TPoint(50, 40));
    std::vector<TPoint> pts(6);
    ASSERT_TRUE(RegularPolygonPoints({50, 50}, 50, 6, pts));
    EXPECT_EQ(pts[0], TPoint(100, 50));
    EXPECT_EQ(pts[1], TPoint(75, 7)); // counter-clockwise: the next vertex is above
    EXPECT_EQ(pts[3], TPoint(0, 50));
    std::vector<TPoint> small(3, TPoint(1, 1));
    EXPECT_FALSE(RegularPolygonPoints({0, 0}, 10, 4, small));
    EXPECT_EQ(small[0], TPoint(1, 1)); // untouched
}

TEST(DrawHelpers, StyledPenPatternsScaleWithWidth)
{
    TPen pen;
    pen.Width = 4;
    pen.Style = TPenStyle::psDash;
    EXPECT_EQ(CreateStyledPen(pen).UserDashes, (std::vector<uint32_t>{12, 6}));
    pen.Style = TPenStyle::psDot;
    EXPECT_EQ(CreateStyledPen(pen).UserDashes, (std::vector<uint32_t>{4, 6}));
    pen.Width = 3;
    pen.Style = TPenStyle::psDashDotDot;
    EXPECT_EQ(CreateStyledPen(pen).UserDashes, (std::vector<uint32_t>{9, 4, 3, 4, 3, 4}));
    pen.Width = 1; // thin pens keep the canvas's own patterns
    EXPECT_TRUE(CreateStyledPen(pen).UserDashes.empty());
    pen.Width = 5;
    pen.Style = TPenStyle::psSolid;
    EXPECT_TRUE(CreateStyledPen(pen).UserDashes.empty());
}

TEST(DrawHelpers, EllipsePointAtByQuadrant)
{
    TPoint p;
    ASSERT_TRUE(EllipsePointAt(50, 25, 0.0f, p));
    EXPECT_EQ(p, TPoint(50, 0));
    ASSERT_TRUE(EllipsePointAt(50, 25, float(kPi / 4), p)); // up-right: Y negative
    EXPECT_GT(p.X, 0);
    EXPECT_LT(p.Y, 0);
    ASSERT_TRUE(EllipsePointAt(50, 25, float(5 * kPi / 4), p));
    EXPECT_LT(p.X, 0);
    EXPECT_GT(p.Y, 0);
    ASSERT_TRUE(EllipsePointAt(50, 25, float(kPi), p));
    EXPECT_EQ(p, TPoint(-50, 0));
    EXPECT_FALSE(EllipsePointAt(50, 0, 1.0f, p)); // flat ellipse
    EXPECT_FALSE(EllipsePointAt(50, 25, -0.5f, p));
    EXPECT_FALSE(EllipsePointAt(50, 25, 7.0f, p));
}

TEST(DrawHelpers, LineIntersection)
{
    TPoint r;
    ASSERT_TRUE(LineIntersection({0, 0}, {10, 10}, {0, 10}, {10, 0}, r));
    EXPECT_EQ(r, TPoint(5, 5));
    ASSERT_TRUE(LineIntersection({3, 0}, {3, 9}, {0, 4}, {10, 4}, r)); // vertical with horizontal
    EXPECT_EQ(r, TPoint(3, 4));
    EXPECT_FALSE(LineIntersection({0, 0}, {0, 5}, {2, 0}, {2, 5}, r)); // both vertical
    EXPECT_FALSE(LineIntersection({0, 0}, {5, 5}, {0, 1}, {5, 6}, r)); // equal slopes
}
