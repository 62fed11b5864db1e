// Polygons: layouts, point counts, doubling and removing points, mirroring,
// the nearest vertex for connections, and the regular mode.
#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Polygon.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Polygon, LayoutsAndCounts)
{
    TPolygon p;
    ASSERT_EQ(p.ButtonCount(), 5);
    EXPECT_EQ(p.BtnPoints[0], TPoint(100, 50)) << "vertex 0 right of the centre";
    EXPECT_LT(p.BtnPoints[1].Y, 50) << "then counter-clockwise on screen";

    p.SetButtonCount(2);
    EXPECT_EQ(p.ButtonCount(), 5) << "ignored";
    p.SetButtonCount(6);
    ASSERT_EQ(p.ButtonCount(), 6);
    EXPECT_EQ(p.BtnPoints[0], TPoint(100, 50));
    EXPECT_EQ(p.BtnPoints[3], TPoint(0, 50));
    EXPECT_EQ(p.BtnPoints[1], TPoint(75, 7));
}

TEST(Polygon, DuplicateAndRemove)
{
    TPolygon p;
    const TPoint old2 = p.BtnPoints[2];
    const TPoint old3 = p.BtnPoints[3];
    p.DuplicateButton(2);
    ASSERT_EQ(p.ButtonCount(), 6);
    EXPECT_EQ(p.BtnPoints[2], old2 - TPoint(1, 1));
    EXPECT_EQ(p.BtnPoints[3], old2 + TPoint(1, 1));
    EXPECT_EQ(p.BtnPoints[4], old3);
    p.DuplicateButton(99);
    EXPECT_EQ(p.ButtonCount(), 7) << "the index is clamped";

    const TPoint second = p.BtnPoints[1];
    p.RemoveButton(-5);
    EXPECT_EQ(p.BtnPoints[0], second) << "the index is clamped to the first point";
    EXPECT_EQ(p.ButtonCount(), 6);
    p.SetButtonCount(3);
    p.RemoveButton(0);
    EXPECT_EQ(p.ButtonCount(), 3) << "a triangle keeps its points";
}

TEST(Polygon, ConnectionsTouchTheNearestVertex)
{
    TPolygon p; // button space at frame (6, 6)
    EXPECT_EQ(p.ClosestScreenPt({300, 56}), p.BtnToFrame(p.BtnPoints[0]));
    EXPECT_EQ(p.ClosestScreenPt({-300, 56}), p.BtnToFrame(p.BtnPoints[2]));
}

TEST(Polygon, RegularPolygonStaysPutWhileDragged)
{
    // An odd polygon's box is not centred on its circle; dragging a vertex
    // must neither move the circle's centre nor let it drift from drag to drag.
    TPolygon p;
    p.SetRegular(true);
    EXPECT_FALSE(p.IsValidBtnDown(0)) << "a regular polygon's vertices cannot be grabbed";
    const TPoint centre = p.BtnToFrame({50, 50});
    const TPoint target{centre.X + 70, centre.Y};
    for (int i = 0; i < 20; ++i) {
        p.PlaceButton(0, target);
        p.InternalResize();
    }
    EXPECT_EQ(p.BtnToFrame(p.BtnPoints[0]), target) << "vertex 0 at the mouse, right of the centre";
    for (const TPoint& v : p.BtnPoints)
        EXPECT_NEAR(std::sqrt(double(SquaredDistance(p.BtnToFrame(v), centre))), 70, 1);
    EXPECT_EQ(p.NewBounds.Left, 0) << "points and box agree";
    int maxX = 0, maxY = 0;
    for (const TPoint& v : p.BtnPoints) {
        maxX = std::max(maxX, v.X);
        maxY = std::max(maxY, v.Y);
    }
    EXPECT_EQ(p.Width(), maxX);
    EXPECT_EQ(p.Height(), maxY);
}
