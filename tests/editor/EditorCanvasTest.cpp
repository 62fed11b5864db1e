// The headless canvas: new figures, the figures' state across frames, the
// pointer state machine, stacking and the frame-size handle.
#include "tests/editor/EditorCoreFixture.h"

#include <array>

namespace {

constexpr TShiftState kLeft = ssLeft;

class CanvasTest : public EditorCoreTest {
protected:
    void Click(int x, int y, TShiftState shift = 0)
    {
        core.FramePanelMouseDown(TMouseButton::mbLeft, shift | kLeft, x, y);
        core.FramePanelMouseUp(TMouseButton::mbLeft, shift, x, y);
    }
    void Drag(int x1, int y1, int x2, int y2)
    {
        core.FramePanelMouseDown(TMouseButton::mbLeft, kLeft, x1, y1);
        core.FramePanelMouseMove(kLeft, (x1 + x2) / 2, (y1 + y2) / 2);
        core.FramePanelMouseMove(kLeft, x2, y2);
        core.FramePanelMouseUp(TMouseButton::mbLeft, 0, x2, y2);
    }
    std::vector<TDrawObject*> Order() const
    {
        std::vector<TDrawObject*> order;
        for (const auto& obj : core.Doc.DrawArr)
            order.push_back(obj.get());
        return order;
    }
    std::vector<bool> Selection() const
    {
        std::vector<bool> sel;
        for (const auto& obj : core.Doc.DrawArr)
            sel.push_back(obj->Focused());
        return sel;
    }
};

} // namespace

TEST_F(CanvasTest, NewFigureStartsAtTheCurrentFrameWithTheDefaults)
{
    core.AddFrames(0);
    core.AddFrames(0);
    ASSERT_EQ(core.FrameIndex(), 2);
    core.DefaultParam.BorderWidth = 5;
    TDrawObject* obj = AddFigure(12, 14, 60, 30);
    const TQFigure& fig = core.Doc.Animation.Figures[0];
    EXPECT_EQ(fig.Name, qfRectangle);
    EXPECT_TRUE(fig.All);
    EXPECT_EQ(fig.Start, 2);
    EXPECT_EQ(fig.Count, 1);
    ASSERT_EQ(fig.Frames.size(), 1u);
    EXPECT_EQ(fig.Frames[0].Number, 2);
    EXPECT_EQ(obj->Left, 12);
    EXPECT_EQ(obj->Top, 14);
    EXPECT_EQ(obj->Width(), 60);
    EXPECT_EQ(obj->Pen().Width, 5);
    EXPECT_EQ(obj->Color, kFill);
    EXPECT_TRUE(obj->Focused());
    EXPECT_EQ(core.QCount(), 1);
    EXPECT_TRUE(core.Doc.IsModify);
    EXPECT_TRUE(core.Doc.RedrawEnabled);
    // Shown on the canvas at once.
    EXPECT_EQ(core.FramePanelBMP().Pixel(BoxCentre(*obj).X, BoxCentre(*obj).Y), kFill);
}

TEST_F(CanvasTest, MovingAFigureAtALaterFrameMakesAKeyFrameAndItMovesSmoothly)
{
    for (int i = 0; i < 4; ++i)
        core.AddFrames(0);
    core.SetFrameIndex(0);
    TDrawObject* obj = AddFigure(10, 10);
    core.Doc.Animation.Figures[0].Count = 5;

    core.SetFrameIndex(4);
    const TPoint inside = BoxCentre(*obj);
    Drag(inside.X, inside.Y, inside.X + 80, inside.Y + 40);
    EXPECT_EQ(obj->Left, 90);
    EXPECT_EQ(obj->Top, 50);
    core.SetFrameIndex(0); // leaving the frame stores the state there
    EXPECT_EQ(obj->Left, 10);
    const TQFigure& fig = core.Doc.Animation.Figures[0];
    ASSERT_EQ(fig.Frames.size(), 2u);
    EXPECT_EQ(fig.Frames[1].Number, 4);

    core.SetFrameIndex(2);
    EXPECT_EQ(obj->Left, 50); // half-way on the canvas too
    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 5);
    // Frame 2: the box has moved half-way (left 50, top 30).
    EXPECT_EQ(FramePixel(2, {50 + obj->Coord + 20, 30 + obj->Coord + 20}), kFill);
    EXPECT_EQ(FramePixel(2, {10 + obj->Coord + 5, 10 + obj->Coord + 5}), clWhite);
    EXPECT_EQ(FramePixel(4, {90 + obj->Coord + 20, 50 + obj->Coord + 20}), kFill);
}

TEST_F(CanvasTest, PressOutsideTwoSelectedDeselectsThemAndStartsNoBand)
{
    AddFigure(10, 10);
    AddFigure(100, 100);
    Click(30, 30, ssShift);
    ASSERT_EQ(core.QCount(), 2);

    core.FramePanelMouseDown(TMouseButton::mbLeft, kLeft, 180, 20);
    EXPECT_EQ(core.QCount(), 0);
    EXPECT_FALSE(core.Gesture().IsSelRec);
    core.FramePanelMouseMove(kLeft, 20, 190);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, 20, 190);
    EXPECT_EQ(core.QCount(), 0);

    // The next press on empty canvas starts a band.
    core.FramePanelMouseDown(TMouseButton::mbLeft, kLeft, 180, 20);
    EXPECT_TRUE(core.Gesture().IsSelRec);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, 180, 20);
}

TEST_F(CanvasTest, PressOnEmptyCanvasWithOneSelectedOnlyDeselects)
{
    AddFigure(10, 10);
    core.FramePanelMouseDown(TMouseButton::mbLeft, kLeft, 150, 150);
    EXPECT_EQ(core.QCount(), 0);
    EXPECT_FALSE(core.Gesture().IsSelRec);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, 150, 150);
    EXPECT_EQ(core.QCount(), 0);
}

TEST_F(CanvasTest, BandsDrawnEitherWaySelectTheSameFigures)
{
    AddFigure(10, 10);
    AddFigure(120, 20);
    AddFigure(40, 120);
    TDrawObject* rotated = AddFigure(120, 110);
    rotated->QAngle = 30;
    rotated->SAngle = 0.5235988f;
    Click(180, 185); // deselect
    ASSERT_EQ(core.QCount(), 0);

    Drag(5, 5, 110, 130);
    const std::vector<bool> forward = Selection();
    EXPECT_EQ(core.QCount(), 2);
    EXPECT_EQ(std::vector<bool>(forward.begin(), forward.begin() + 3), (std::vector<bool>{true, false, true}));
    for (auto [x1, y1, x2, y2] : {std::array{110, 130, 5, 5}, std::array{5, 130, 110, 5}, std::array{110, 5, 5, 130}}) {
        Click(180, 185);
        ASSERT_EQ(core.QCount(), 0);
        Drag(x1, y1, x2, y2);
        EXPECT_EQ(Selection(), forward) << x1 << "," << y1 << " to " << x2 << "," << y2;
    }
    // The same for a band over the rotated figure.
    Click(180, 185);
    Drag(115, 105, 175, 170);
    const std::vector<bool> overRotated = Selection();
    EXPECT_TRUE(overRotated[3]);
    Click(180, 185);
    Drag(175, 170, 115, 105);
    EXPECT_EQ(Selection(), overRotated);

    // A click on a figure with nothing selected is a band of no size.
    Click(180, 185);
    Click(140, 40);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false, false}));
}

TEST_F(CanvasTest, ShiftClickTogglesAndAGroupDragMovesTheSelection)
{
    TDrawObject* a = AddFigure(10, 10);
    TDrawObject* b = AddFigure(100, 10);
    TDrawObject* c = AddFigure(10, 100);
    Click(30, 120, ssShift); // c off
    EXPECT_EQ(core.QCount(), 0);
    Click(30, 30, ssShift);
    Click(120, 30, ssShift);
    EXPECT_EQ(core.QCount(), 2);
    Click(30, 120, ssShift);
    Click(30, 120, ssShift); // on and off again
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true, false}));

    Drag(120, 30, 130, 45);
    EXPECT_EQ(a->Left, 20);
    EXPECT_EQ(a->Top, 25);
    EXPECT_EQ(b->Left, 110);
    EXPECT_EQ(c->Left, 10);
    EXPECT_EQ(core.QCount(), 2);
    EXPECT_TRUE(core.Gesture().DragList.empty());
}

TEST_F(CanvasTest, StackingKeepsTheDocumentedOrder)
{
    TDrawObject* A = AddFigure(10, 10);
    TDrawObject* B = AddFigure(60, 10);
    TDrawObject* C = AddFigure(110, 10);
    TDrawObject* D = AddFigure(10, 100);

    core.ClearAllDrawObjFocuses();
    B->SetFocused(true);
    D->SetFocused(true);
    core.BackButtonClick();
    EXPECT_EQ(Order(), (std::vector<TDrawObject*>{D, B, A, C}));

    core.ClearAllDrawObjFocuses();
    // Back to [A, B, C, D] and the other example.
    core.Doc.DrawArr.clear();
    core.Doc.Animation.Figures.clear();
    core.Doc.DrObj = nullptr;
    A = AddFigure(10, 10);
    B = AddFigure(60, 10);
    C = AddFigure(110, 10);
    D = AddFigure(10, 100);
    core.ClearAllDrawObjFocuses();
    A->SetFocused(true);
    C->SetFocused(true);
    core.FrontButtonClick();
    EXPECT_EQ(Order(), (std::vector<TDrawObject*>{B, D, C, A}));
    EXPECT_TRUE(core.Doc.RedrawEnabled);

    // Hidden figures stay where they are.
    core.ClearAllDrawObjFocuses();
    B->SetFocused(true);
    B->Visible = false;
    core.BackButtonClick();
    EXPECT_EQ(Order(), (std::vector<TDrawObject*>{B, D, C, A}));
}

TEST_F(CanvasTest, FrameSizeHandleResizesTheFrame)
{
    int boxWidth = 0, boxHeight = 0;
    core.Hooks.FrameSize = [&](int w, int h) {
        boxWidth = w;
        boxHeight = h;
    };
    EXPECT_TRUE(core.IsFramePanelResize(197, 197));
    EXPECT_FALSE(core.IsFramePanelResize(193, 197));
    core.FramePanelMouseDown(TMouseButton::mbLeft, kLeft, 197, 197);
    EXPECT_TRUE(core.Gesture().IsResize);
    core.FramePanelMouseMove(kLeft, 250, 120);
    core.FramePanelMouseMove(kLeft, 297, 147);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, 297, 147);
    EXPECT_FALSE(core.Gesture().IsResize);
    EXPECT_EQ(core.ImgWidth(), 300);
    EXPECT_EQ(core.ImgHeight(), 150);
    EXPECT_EQ(boxWidth, 300);
    EXPECT_EQ(boxHeight, 150);
    EXPECT_EQ(core.FramePanelBMP().Width(), 300);
    EXPECT_EQ(core.FramePanelBMP().Pixel(294, 144), clBlue); // the handle moved along
    core.RedrawAnimation();
    EXPECT_EQ(core.Animation().Frames(0).Bitmap().Width(), 300);
    EXPECT_EQ(core.Animation().Frames(0).Bitmap().Height(), 150);
}

TEST_F(CanvasTest, RotationCentreIsPickedByTheNextPress)
{
    TDrawObject* obj = AddFigure(10, 10);
    obj->QRotCenter = false;
    TPoint shown;
    core.Hooks.RotationCentre = [&](int x, int y) { shown = {x, y}; };
    core.CenterButtonClick();
    Click(150, 160);
    EXPECT_EQ(obj->QRotPt, (TPoint{150, 160}));
    EXPECT_EQ(shown, (TPoint{150, 160}));
    EXPECT_FALSE(core.Doc.SelCen);
    EXPECT_TRUE(obj->Focused()); // the press selected nothing else
}

TEST_F(CanvasTest, ResizingAFigureByItsHandleIsStoredAtTheCurrentFrame)
{
    TDrawObject* obj = AddFigure(20, 20, 40, 40);
    // The bottom-right handle sits at the box's corner.
    const TPoint corner = obj->BtnToFrame(obj->BtnPoints[1]);
    Drag(corner.X, corner.Y, corner.X + 30, corner.Y + 20);
    EXPECT_EQ(obj->Width(), 70);
    EXPECT_EQ(obj->Height(), 60);
    core.AddFrames(0);
    core.SetFrameIndex(0);
    EXPECT_EQ(obj->Width(), 70);
}
