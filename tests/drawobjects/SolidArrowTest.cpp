// Block arrows: layout and the symmetry kept while handles are dragged.
#include "drawobjects/SolidArrow.h"
#include "drawobjects/DrawHelpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<TPoint> Pts(std::initializer_list<TPoint> l) { return l; }

void ExpectSymmetric(const TSolidArrow& a)
{
    const int y0 = a.BtnPoints[0].Y;
    const auto& p = a.BtnPoints;
    EXPECT_EQ(p[1].Y + p[6].Y, 2 * y0);
    EXPECT_EQ(p[2].Y + p[5].Y, 2 * y0);
    EXPECT_EQ(p[3].Y + p[4].Y, 2 * y0);
    EXPECT_EQ(p[1].X, p[6].X);
    EXPECT_EQ(p[2].X, p[5].X);
    EXPECT_EQ(p[3].X, p[4].X);
}
} // namespace

TEST(SolidArrow, Layout)
{
    TSolidArrow a;
    EXPECT_EQ(a.BtnPoints, Pts({{100, 50}, {20, 0}, {20, 33}, {0, 33}, {0, 66}, {20, 66}, {20, 100}}));
}

TEST(SolidArrow, DraggingKeepsTheMirror)
{
    TSolidArrow a;
    a.PlaceButton(1, a.BtnToFrame({40, 80})); // below the axis at y = 50
    EXPECT_EQ(a.BtnPoints[1], TPoint(40, 49)) << "one pixel above the axis";
    EXPECT_EQ(a.BtnPoints[6], TPoint(40, 51)) << "the lower corner mirrors it";
    EXPECT_EQ(a.BtnPoints[2].X, 40);
    EXPECT_EQ(a.BtnPoints[5].X, 40);
    EXPECT_EQ(a.BtnPoints[1].X, a.BtnPoints[6].X);

    a.PlaceButton(0, a.BtnToFrame({120, 10}));
    EXPECT_EQ(a.BtnPoints[0], TPoint(120, 50)) << "the tip moves along the axis only";

    a.PlaceButton(4, a.BtnToFrame({-10, 45}));
    EXPECT_EQ(a.BtnPoints[4], TPoint(-10, 51)) << "below the axis";
    EXPECT_EQ(a.BtnPoints[3], TPoint(-10, 49));
    ExpectSymmetric(a);

    a.PlaceButton(2, a.BtnToFrame({30, 20}));
    EXPECT_EQ(a.BtnPoints[5], TPoint(30, 80));
    EXPECT_EQ(a.BtnPoints[3].Y, 20);
    ExpectSymmetric(a);

    a.PlaceButton(6, a.BtnToFrame({35, 95}));
    EXPECT_EQ(a.BtnPoints[1], TPoint(35, 5));
    ExpectSymmetric(a);
}

TEST(SolidArrow, SymmetryHoldsWhenRotated)
{
    TSolidArrow a;
    a.QRotCenter = true;
    a.QAngle = 33;
    a.SAngle = float(33 * kPi / 180);
    for (const int i : {2, 1, 3, 4, 5, 6}) {
        a.PlaceButton(i, a.RotatePoint(a.BtnToFrame({10 + 3 * i, 17 * i}), a.SAngle));
        ExpectSymmetric(a);
    }
}
