// Stars: layout of tips and valleys, point counts, and dragging a tip.
#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Star.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
double Radius(TPoint p, TPoint c)
{
    return std::sqrt(double(SquaredDistance(p, c)));
}
} // namespace

TEST(Star, LayoutAndCounts)
{
    TStar s;
    ASSERT_EQ(s.ButtonCount(), 18);
    EXPECT_EQ(s.BtnPoints[0], TPoint(75, 50)) << "valley right of the centre";
    EXPECT_NEAR(Radius(s.BtnPoints[1], {50, 50}), 50, 0.8) << "tip on the outer circle";
    EXPECT_NEAR(Radius(s.BtnPoints[4], {50, 50}), 25, 0.8);
    s.SetButtonCount(7);
    EXPECT_EQ(s.ButtonCount(), 10);
    s.SetButtonCount(13);
    EXPECT_EQ(s.ButtonCount(), 12);
    s.SetButtonCount(20);
    EXPECT_EQ(s.ButtonCount(), 20);
}

TEST(Star, DraggingATipTurnsAndScalesAllTips)
{
    TStar s; // centre at frame (56, 56)
    s.SetFocused(true);
    const TPoint tip = s.BtnToFrame(s.BtnPoints[1]);
    s.MouseDown(TMouseButton::mbLeft, 0, tip.X, tip.Y);
    ASSERT_EQ(s.PressedBtnIdx(), 1);
    s.MouseMove(0, 56, 56 - 40); // straight above the centre, radius 40
    s.MouseUp(TMouseButton::mbLeft, 0, 56, 16);

    const TPoint centre{56, 56};
    EXPECT_EQ(s.BtnToFrame(s.BtnPoints[1]), TPoint(56, 16)) << "the dragged tip follows the mouse";
    for (int i = 3; i < 18; i += 2)
        EXPECT_NEAR(Radius(s.BtnToFrame(s.BtnPoints[i]), centre), 40, 1) << "tip " << i;
    // Tip 3 stays 40 degrees on from tip 1.
    const float a1 = AngleOf(centre, s.BtnToFrame(s.BtnPoints[1]));
    const float a3 = AngleOf(centre, s.BtnToFrame(s.BtnPoints[3]));
    EXPECT_NEAR((a3 - a1) * 180 / kPi, 40, 1.5);
    EXPECT_EQ(s.BtnToFrame(s.BtnPoints[0]), TPoint(81, 56)) << "valleys stay";
}

TEST(Star, RegularStarKeepsItsAngles)
{
    TStar s;
    s.SetRegular(true);
    s.SetFocused(true);
    const TPoint tip = s.BtnToFrame(s.BtnPoints[1]);
    s.MouseDown(TMouseButton::mbLeft, 0, tip.X, tip.Y);
    s.MouseMove(0, 56 + 30, 56); // radius 30, at an angle no tip has
    const TPoint centre{56, 56};
    for (int i = 1; i < 18; i += 2) {
        EXPECT_NEAR(Radius(s.BtnToFrame(s.BtnPoints[i]), centre), 30, 1);
        EXPECT_NEAR(AngleOf(centre, s.BtnToFrame(s.BtnPoints[i])) * 180 / kPi, i * 20, 2);
    }
    EXPECT_NEAR(Radius(s.BtnToFrame(s.BtnPoints[0]), centre), 25, 1);
}
