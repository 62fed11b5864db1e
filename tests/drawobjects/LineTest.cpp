// Polylines: point counts, growing and shrinking at either end, and the
// drawing of dashed wide pens.
#include "drawobjects/Line.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<TPoint> Pts(std::initializer_list<TPoint> l) { return l; }
} // namespace

TEST(Line, GrowAndShrinkAtEitherEnd)
{
    TLine line;
    EXPECT_EQ(line.BtnPoints, Pts({{0, 0}, {100, 100}}));
    line.SetButtonCount(1);
    EXPECT_EQ(line.ButtonCount(), 2) << "a line keeps at least 2 points";

    EXPECT_TRUE(line.Grow(false));
    EXPECT_EQ(line.BtnPoints, Pts({{0, 0}, {100, 100}, {200, 200}}));
    line.BtnPoints[2] = {200, 100};
    EXPECT_TRUE(line.Grow(true));
    EXPECT_EQ(line.BtnPoints, Pts({{-100, -100}, {0, 0}, {100, 100}, {200, 100}}));
    EXPECT_EQ(line.ButtonCount(), 4);

    EXPECT_TRUE(line.Shrink(true));
    EXPECT_EQ(line.BtnPoints.front(), TPoint(0, 0));
    EXPECT_TRUE(line.Shrink(false));
    EXPECT_EQ(line.BtnPoints, Pts({{0, 0}, {100, 100}}));
    EXPECT_FALSE(line.Shrink(false)) << "not below 2 points";
    EXPECT_EQ(line.ButtonCount(), 2);

    line.SetButtonCount(5);
    EXPECT_EQ(line.BtnPoints, Pts({{0, 0}, {100, 100}, {200, 200}, {300, 300}, {400, 400}}));
    line.SetButtonCount(3);
    EXPECT_EQ(line.BtnPoints, Pts({{0, 0}, {100, 100}, {200, 200}})) << "points go at the end";
}

TEST(Line, DashedWidePenRepeatsItsPattern)
{
    // Width 6 dashes: dash 18, gap 9, so dashes start every 27 pixels.
    TLine line;
    line.BtnPoints = {{10, 50}, {190, 50}};
    line.Pen().Width = 6;
    line.Pen().Color = clBlue;
    line.Pen().Style = TPenStyle::psDash;
    const TBitmap b = DrawFigure(line);
    std::vector<int> starts;
    for (int x = 1; x < 200; ++x)
        if (b.Pixel(x, 50) == clBlue && b.Pixel(x - 1, 50) != clBlue)
            starts.push_back(x);
    ASSERT_GE(starts.size(), 5u);
    for (size_t i = 1; i + 1 < starts.size(); ++i)
        EXPECT_NEAR(starts[i] - starts[i - 1], 27, 1) << "dash " << i;

    line.Pen().Style = TPenStyle::psSolid;
    const TBitmap solid = DrawFigure(line);
    EXPECT_EQ(CountColor(solid, {10, 50, 190, 51}, clBlue), 180);
}
