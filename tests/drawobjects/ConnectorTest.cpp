// Lines attached to solids: the ends stay on the outline (or on the sides'
// mid-points) when the solid moves, attached ends cannot be grabbed, and
// neither side keeps a dangling pointer when the other goes away.
#include "drawobjects/Bezier.h"
#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/Rectangle.h"
#include "drawobjects/ZLine.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A rectangle whose box covers frame x0..x0+100, y0..y0+100.
std::unique_ptr<TRectangle> Box(int x0, int y0)
{
    auto r = std::make_unique<TRectangle>();
    r->Left = x0 - r->Coord;
    r->Top = y0 - r->Coord;
    return r;
}

TPoint FrameEnd(const TConnector& c, bool last)
{
    return c.BtnToFrame(last ? c.BtnPoints.back() : c.BtnPoints.front());
}

} // namespace

TEST(Connector, EndFollowsAMovedSolid)
{
    auto box = Box(100, 100);
    TLine line; // button space at frame (6, 6); free end at (6, 6)
    line.SetConnection2(box.get());
    ASSERT_EQ(line.Connection2(), box.get());
    ASSERT_EQ(box->ConnectorList().size(), 1u);
    EXPECT_TRUE(line.IsConnected());
    // From (6, 6) toward the centre (150, 150) the box is met at its corner.
    EXPECT_EQ(FrameEnd(line, true), TPoint(100, 100));
    EXPECT_EQ(FrameEnd(line, false), TPoint(6, 6)) << "the free end stays";
    EXPECT_EQ(line.BtnPoints.front(), TPoint(0, 0)) << "points normalised";

    box->Left += 100; // box now 200..300 x 100..200; the owner calls Resize after a change
    box->Resize();
    const TPoint end = FrameEnd(line, true);
    EXPECT_EQ(end.X, 200) << "on the left side";
    EXPECT_GT(end.Y, 100);
    EXPECT_LT(end.Y, 150);
    EXPECT_EQ(FrameEnd(line, false), TPoint(6, 6));
}

TEST(Connector, BothEndsAimAtTheOtherSolid)
{
    auto a = Box(0, 0);
    auto b = Box(300, 0);
    TLine line;
    line.SetConnection1(a.get());
    line.SetConnection2(b.get());
    EXPECT_EQ(FrameEnd(line, false), TPoint(100, 50));
    EXPECT_EQ(FrameEnd(line, true), TPoint(300, 50));

    line.SetConnection2(a.get());
    EXPECT_EQ(line.Connection2(), b.get()) << "the solid at the other end is refused";
    TText text;
    line.SetConnection2(&text);
    EXPECT_EQ(line.Connection2(), nullptr) << "a solid that takes no connections leaves the end free";
    EXPECT_TRUE(b->ConnectorList().empty()) << "the old solid was told";
}

TEST(Connector, AttachedEndsAreFixed)
{
    auto a = Box(100, 100);
    TLine line;
    line.SetConnection1(a.get());
    line.SetFocused(true);
    EXPECT_FALSE(line.IsValidBtnDown(0));
    EXPECT_TRUE(line.IsValidBtnDown(1));
    EXPECT_FALSE(line.CanMove()) << "a connected line is not dragged as a whole";
    EXPECT_FALSE(line.Grow(false));
    line.SetButtonCount(5);
    EXPECT_EQ(line.ButtonCount(), 2);

    // Dragging the free end re-aims the attached one at it.
    const TPoint p1 = FrameEnd(line, true);
    line.MouseDown(TMouseButton::mbLeft, 0, p1.X, p1.Y);
    ASSERT_EQ(line.PressedBtnIdx(), 1);
    line.MouseMove(0, 150, 300);
    line.MouseUp(TMouseButton::mbLeft, 0, 150, 300);
    EXPECT_EQ(FrameEnd(line, false), TPoint(150, 200)) << "bottom side, straight below the centre";
    EXPECT_EQ(FrameEnd(line, true), TPoint(150, 300));
}

TEST(Connector, NoDanglingPointers)
{
    auto a = Box(0, 0);
    {
        TLine line;
        line.SetConnection1(a.get());
        EXPECT_EQ(a->ConnectorList().size(), 1u);
    }
    EXPECT_TRUE(a->ConnectorList().empty()) << "a destroyed line detaches";

    TLine line;
    line.SetConnection1(a.get());
    a.reset();
    EXPECT_EQ(line.Connection1(), nullptr) << "a destroyed solid is forgotten";
    line.Resize(); // must not touch the freed solid
}

TEST(Connector, ZLineAttachesToFacingSides)
{
    auto a = Box(0, 0);
    auto b = Box(300, 200);
    TZLine z;
    z.SetConnection1(a.get());
    z.SetConnection2(b.get());
    EXPECT_EQ(FrameEnd(z, false), TPoint(100, 50)) << "right side of the left box";
    EXPECT_EQ(FrameEnd(z, true), TPoint(300, 250)) << "left side of the right box";
    EXPECT_EQ(z.BtnToFrame(z.BtnPoints[1]), TPoint(200, 50)) << "middle segment half-way";
    EXPECT_EQ(z.BtnToFrame(z.BtnPoints[2]), TPoint(200, 250));

    // Boxes above one another (overlapping horizontally): the line turns vertical.
    b->Left = 50 - b->Coord;
    b->Resize();
    EXPECT_EQ(z.Orientation(), TOrientation::oVertical);
    EXPECT_EQ(FrameEnd(z, false), TPoint(50, 100)) << "bottom of the upper box";
    EXPECT_EQ(FrameEnd(z, true), TPoint(100, 200)) << "top of the lower box";
}

TEST(Connector, LLineLeavesSidewaysAndEntersFromAbove)
{
    auto a = Box(0, 0);
    auto b = Box(300, 200);
    TLLine l;
    l.SetConnection1(a.get());
    l.SetConnection2(b.get());
    EXPECT_EQ(FrameEnd(l, false), TPoint(100, 50));
    EXPECT_EQ(FrameEnd(l, true), TPoint(350, 200));
    EXPECT_EQ(l.BtnToFrame(l.Corner()), TPoint(350, 50));

    l.SetOrientation(TOrientation::oVertical);
    EXPECT_EQ(FrameEnd(l, false), TPoint(50, 100)) << "down first";
    EXPECT_EQ(FrameEnd(l, true), TPoint(300, 250)) << "then in from the left";
    EXPECT_EQ(l.BtnToFrame(l.Corner()), TPoint(50, 250));
}

TEST(Connector, BezierEndsAimAtTheirControlPoints)
{
    auto a = Box(100, 100);
    TBezier b;
    b.SetFilled(false);
    b.BtnPoints = {{0, 0}, {144, 0}, {0, 100}, {0, 200}}; // P1 at frame (150, 6)
    b.SetConnection1(a.get());
    EXPECT_EQ(b.BtnToFrame(b.BtnPoints[0]), TPoint(150, 100)) << "top side, toward P1";
    EXPECT_EQ(b.BtnToFrame(b.BtnPoints[1]), TPoint(150, 6)) << "the control point stays";
}
