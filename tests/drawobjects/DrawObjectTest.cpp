// Geometry and mouse behaviour of the drawing-object base.
#include "drawobjects/DrawObject.h"
#include "drawobjects/DrawHelpers.h"
#include "TestOwner.h"

#include <gtest/gtest.h>

TEST(DrawObject, Defaults)
{
    TDrawObject o;
    EXPECT_EQ(o.ButtonCount(), 2);
    ASSERT_EQ(o.BtnPoints.size(), 2u);
    EXPECT_EQ(o.BtnPoints[0], TPoint(0, 0));
    EXPECT_EQ(o.BtnPoints[1], TPoint(100, 100));
    EXPECT_EQ(o.Width(), 100);
    EXPECT_EQ(o.OldWidth, 0);
    EXPECT_EQ(o.ShadowSize(), -2);
    EXPECT_EQ(o.Left, 4);
    EXPECT_EQ(o.Top, 4);
    EXPECT_EQ(o.Pen().Width, 2);
    EXPECT_EQ(o.PressedBtnIdx(), -1);
    EXPECT_TRUE(o.CanFocus());
    EXPECT_FALSE(o.Focused());
    EXPECT_EQ(o.SmallBitmap.TransparentColor(), kTransparentKey);
}

TEST(DrawObject, MarginAndCoordFollowPenWidth)
{
    TDrawObject o;
    const std::pair<int, std::pair<int, int>> cases[] = {{1, {4, 2}}, {2, {4, 2}}, {3, {6, 3}}, {5, {10, 5}}};
    for (const auto& [width, expected] : cases) {
        o.Pen().Width = width;
        o.CalcMargin();
        EXPECT_EQ(o.Margin, expected.first) << "pen " << width;
        EXPECT_EQ(o.Coord, expected.second) << "pen " << width;
    }
}

TEST(DrawObject, ResizeScalesOnceAndKeepsPointsFromZero)
{
    TDrawObject o;
    o.BtnPoints[1] = {100, 60};
    o.SetWidth(50);
    o.Resize();
    EXPECT_EQ(o.BtnPoints[1], TPoint(50, 60));
    o.Resize(); // the old size now equals the new one
    EXPECT_EQ(o.BtnPoints[1], TPoint(50, 60));
    o.SetHeight(0);
    o.Resize();
    o.SetHeight(30); // from 0: the factor is 1
    o.Resize();
    EXPECT_EQ(o.BtnPoints[1], TPoint(50, 0));
}

TEST(DrawObject, PropertyLimits)
{
    TDrawObject o;
    o.SetButtonSize(2);
    o.SetButtonSize(11);
    EXPECT_EQ(o.ButtonSize(), 4);
    o.SetButtonSize(10);
    EXPECT_EQ(o.ButtonSize(), 10);
    o.SetShadowSize(250);
    EXPECT_EQ(o.ShadowSize(), 100);
    o.SetShadowSize(-250);
    EXPECT_EQ(o.ShadowSize(), -100);
}

TEST(DrawObject, HandleHitTests)
{
    TDrawObject o; // button space starts at frame (6, 6)
    int idx = 0;
    EXPECT_FALSE(o.BtnIdxFromPt({6, 6}, false, idx)) << "unselected objects have no handles";
    EXPECT_EQ(idx, -1);
    o.SetFocused(true);
    EXPECT_TRUE(o.BtnIdxFromPt({6, 6}, false, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_TRUE(o.BtnIdxFromPt({2, 2}, false, idx)); // left/top edge of the square is inside
    EXPECT_FALSE(o.BtnIdxFromPt({10, 6}, false, idx)) << "right edge excluded";
    EXPECT_FALSE(o.BtnIdxFromPt({6, 10}, false, idx)) << "bottom edge excluded";
    o.BtnPoints[1] = {2, 2}; // overlapping squares: the lower index wins
    EXPECT_TRUE(o.BtnIdxFromPt({8, 8}, false, idx));
    EXPECT_EQ(idx, 0);
    o.SAngle = 1.0f; // no effect while QAngle is 0
    EXPECT_TRUE(o.BtnIdxFromPt({6, 6}, false, idx));
    EXPECT_EQ(idx, 0);
}

TEST(DrawObject, RotationMapsAboutTheCentreWithoutCoord)
{
    TDrawObject o;
    o.QRotCenter = true; // centre (54, 54): Left + Width div 2
    o.QAngle = 90;
    o.SAngle = float(kPi / 2);
    EXPECT_EQ(o.RotatePoint({64, 54}, o.SAngle), TPoint(54, 64)); // clockwise on screen
    EXPECT_EQ(o.RotatePoint({54, 64}, -o.SAngle), TPoint(64, 54));
    o.QRotCenter = false;
    o.QRotPt = {0, 0};
    EXPECT_EQ(o.RotatePoint({10, 0}, o.SAngle), TPoint(0, 10));
    // Hit tests un-rotate: the handle of point 1 at frame (106, 106) appears at (2, 106).
    o.QRotCenter = true;
    o.SetFocused(true);
    int idx = -1;
    EXPECT_TRUE(o.BtnIdxFromPt({2, 106}, false, idx));
    EXPECT_EQ(idx, 1);
}

TEST(DrawObject, RectAndIsInRect)
{
    TDrawObject o;
    EXPECT_EQ(o.GetRect(), TRect(0, 0, 108, 108));
    EXPECT_TRUE(o.IsInRect(0, 0));
    EXPECT_FALSE(o.IsInRect(108, 50));
    o.SetFocused(true); // a selected object grows by the margin
    EXPECT_EQ(o.GetRect(), TRect(-4, -4, 112, 112));
}

TEST(DrawObject, InternalResizeNormalises)
{
    TDrawObject o;
    o.BtnPoints = {{-10, 20}, {30, 50}};
    o.InternalResize();
    EXPECT_EQ(o.BtnPoints[0], TPoint(0, 0));
    EXPECT_EQ(o.BtnPoints[1], TPoint(40, 30));
    EXPECT_EQ(o.Left, -6);
    EXPECT_EQ(o.Top, 24);
    EXPECT_EQ(o.Width(), 40);
    EXPECT_EQ(o.OldWidth, 100);
}

TEST(DrawObject, MouseDragsObjectAndPoints)
{
    TDrawObject o;
    o.MouseDown(TMouseButton::mbRight, 0, 50, 50);
    EXPECT_FALSE(o.Focused()) << "only the left button counts";
    o.MouseDown(TMouseButton::mbLeft, 0, 50, 50);
    EXPECT_TRUE(o.Focused());
    EXPECT_TRUE(o.Moving());
    o.MouseMove(ssLeft, 60, 45);
    EXPECT_EQ(o.Left, 14);
    EXPECT_EQ(o.Top, -1);
    o.MouseUp(TMouseButton::mbLeft, 0, 60, 45);
    EXPECT_FALSE(o.Moving());

    // Grab point 1 at its frame position and drag it up-left of point 0.
    const TPoint p1 = o.BtnToFrame(o.BtnPoints[1]);
    o.MouseDown(TMouseButton::mbLeft, 0, p1.X, p1.Y);
    EXPECT_EQ(o.PressedBtnIdx(), 1);
    EXPECT_FALSE(o.Moving());
    o.MouseMove(ssLeft, 0, 0);
    EXPECT_EQ(o.BtnPoints[0], TPoint(16, 1)); // normalised: the dragged point is now the origin
    EXPECT_EQ(o.BtnPoints[1], TPoint(0, 0));
    EXPECT_EQ(o.Left, -2);
    o.MouseUp(TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(o.PressedBtnIdx(), -1);
}

TEST(DrawObject, ShiftClickTogglesWithoutDragging)
{
    TDrawObject o;
    int changes = 0;
    o.SetFocusChangedEvent([&](TDrawObject* sender) { changes += sender == &o; });
    o.MouseDown(TMouseButton::mbLeft, ssShift, 50, 50);
    EXPECT_TRUE(o.Focused());
    EXPECT_FALSE(o.Moving());
    o.MouseDown(TMouseButton::mbLeft, ssShift, 50, 50);
    EXPECT_FALSE(o.Focused());
    EXPECT_EQ(changes, 2);
    o.SetFocused(false); // no change, no event
    EXPECT_EQ(changes, 2);
}

TEST(DrawObject, SelectionRespectsCanFocus)
{
    TTestOwner owner;
    TDrawObject o(&owner);
    o.SetFocused(true);
    o.SetCanFocus(false);
    EXPECT_FALSE(o.Focused());
    o.SetFocused(true);
    EXPECT_FALSE(o.Focused());
    o.MouseDown(TMouseButton::mbLeft, 0, 50, 50);
    EXPECT_FALSE(o.Moving()) << "an object that cannot be selected cannot be dragged";
}

TEST(DrawObject, CopyAndPasteCoordRestoreGeometry)
{
    TDrawObject o;
    o.CopyCoord();
    EXPECT_EQ(o.CoordRect, TRect(4, 4, 100, 100));
    o.Left = 40;
    o.SetBtnCount(3);
    o.BtnPoints = {{1, 1}, {2, 2}, {3, 3}};
    o.SetWidth(7);
    o.PasteCoord();
    EXPECT_EQ(o.Left, 4);
    EXPECT_EQ(o.Width(), 100);
    EXPECT_EQ(o.OldWidth, 7);
    EXPECT_EQ(o.ButtonCount(), 2);
    EXPECT_EQ(o.BtnPoints[1], TPoint(100, 100));
}
