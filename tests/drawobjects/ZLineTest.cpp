// Z-lines: the middle segment, its clearance from the ends, orientation and
// the handles hidden by AutoCenter.
#include "drawobjects/ZLine.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<TPoint> Pts(std::initializer_list<TPoint> l) { return l; }
} // namespace

TEST(ZLine, MiddleSegmentKeepsClearOfTheEnds)
{
    TZLine z; // button space at frame (6, 6)
    EXPECT_EQ(z.BtnPoints, Pts({{0, 0}, {50, 0}, {50, 100}, {100, 100}}));
    EXPECT_TRUE(z.AutoCenter());
    EXPECT_TRUE(z.AutoOrientation());

    z.SetAutoCenter(false);
    z.PlaceButton(1, z.BtnToFrame({95, 40}));
    EXPECT_EQ(z.BtnPoints, Pts({{0, 0}, {80, 0}, {80, 100}, {100, 100}})) << "20 pixels from the end";
    z.PlaceButton(2, z.BtnToFrame({3, 70}));
    EXPECT_EQ(z.BtnPoints[1], TPoint(20, 0)) << "20 pixels from the start; P1 follows P2";
    z.PlaceButton(1, z.BtnToFrame({150, 0}));
    EXPECT_EQ(z.BtnPoints[1].X, 80) << "clamped into the span first";

    // A short line: the middle goes half-way.
    z.PlaceButton(3, z.BtnToFrame({30, 100}));
    EXPECT_EQ(z.BtnPoints[1].X, 15);
    EXPECT_EQ(z.BtnPoints[2], TPoint(15, 100));

    z.SetAutoCenter(true);
    z.PlaceButton(3, z.BtnToFrame({200, 60}));
    EXPECT_EQ(z.BtnPoints, Pts({{0, 0}, {100, 0}, {100, 60}, {200, 60}}));
}

TEST(ZLine, OrientationShapesTheNextMove)
{
    TZLine z;
    z.SetOrientation(TOrientation::oVertical);
    EXPECT_EQ(z.BtnPoints, Pts({{0, 0}, {50, 0}, {50, 100}, {100, 100}})) << "unattached: nothing yet";
    z.PlaceButton(3, z.BtnToFrame({100, 100}));
    EXPECT_EQ(z.BtnPoints, Pts({{0, 0}, {0, 50}, {100, 50}, {100, 100}}));
}

TEST(ZLine, AutoCenterHidesTheMiddleHandles)
{
    TZLine z;
    z.SetFocused(true);
    int idx = -1;
    EXPECT_FALSE(z.BtnIdxFromPt(z.BtnToFrame({50, 0}), true, idx));
    EXPECT_TRUE(z.BtnIdxFromPt(z.BtnToFrame({100, 100}), true, idx));
    EXPECT_EQ(idx, 3);
    z.SetAutoCenter(false);
    EXPECT_TRUE(z.BtnIdxFromPt(z.BtnToFrame({50, 0}), true, idx));
    EXPECT_EQ(idx, 1);
}
