// The frame strip and the frame commands of the editor core: what the strip
// shows, selection by clicks, and what delete, copy/paste, duplicate and the
// moves do to the animation, the selection and the current frame.
#include "EditorCoreFixture.h"

#include <vector>

namespace {

class EditorStripTest : public EditorCoreTest {
protected:
    // n frames in all; frame i lasts 100 + i ms so that each can be told apart.
    void MakeFrames(int n)
    {
        while (core.FrameCount() < n)
            core.AddFrameButtonClick();
        for (int i = 0; i < n; ++i)
            core.Animation().Frames(i).SetAnimateInterval(static_cast<uint16_t>(100 + i));
    }
    // The durations of every frame, in order.
    std::vector<int> Durations()
    {
        std::vector<int> d;
        for (int i = 0; i < core.FrameCount(); ++i)
            d.push_back(core.Animation().Frames(i).AnimateInterval());
        return d;
    }
    // A strip with room for `cells` whole cells.
    void StripWithCells(int cells)
    {
        core.SetStripSize(100, kStripHeight);
        ASSERT_GT(core.Strip().ImgH, 20);
        core.SetStripSize(core.Strip().ImgH * cells + core.Strip().ImgH / 2, kStripHeight);
        ASSERT_EQ(core.Strip().FrCount, cells);
    }
    void Click(int frameCell, TShiftState keys = 0)
    {
        core.FramesImageMouseDown(TMouseButton::mbLeft, keys | ssLeft, core.Strip().ImgH * frameCell + 5, 20);
    }
    TQFrInt Sel() const { return core.Doc.BMPSel; }

    static constexpr int kStripHeight = 110;
};

TEST_F(EditorStripTest, StripShowsTheFramesThatFitAndScrollsToKeepTheCurrentOneInView)
{
    MakeFrames(3);
    StripWithCells(8);
    core.SetFrameIndex(1);
    core.SetIndex();

    // Three frames in room for eight: drawn from frame 0 whatever is asked; nothing to scroll.
    core.DrawFrames(5);
    EXPECT_EQ(core.Strip().OldPos, 0);
    core.SetScroll();
    EXPECT_EQ(core.Strip().FramesScroll.Max, 0);
    const int cell = core.Strip().ImgH;
    EXPECT_EQ(core.Strip().CellsWidth, 3 * cell);

    // Unselected cells are black, the selected current one blue with the red mark;
    // right of the cells lies the window's colour.
    const TBitmap& strip = core.Strip().FramesBMP;
    EXPECT_EQ(strip.Pixel(cell / 2, kStripHeight - 5), clBlack);
    EXPECT_EQ(strip.Pixel(cell + 5, kStripHeight - 5), clBlue);
    EXPECT_EQ(strip.Pixel(cell + 8, kStripHeight - 15), clRed);
    EXPECT_EQ(strip.Pixel(10 + (cell - 20) / 2, kStripHeight - 15), clWhite); // frame 0's thumbnail
    EXPECT_EQ(strip.Pixel(3 * cell + 2, 5), ColorToRGB(core.Strip().FillColor));

    // Twelve frames: the position is held at count - FrCount, and going to a
    // frame out of view scrolls it in.
    MakeFrames(12);
    core.DrawFrames(100);
    EXPECT_EQ(core.Strip().OldPos, 4);
    core.SetScroll();
    EXPECT_EQ(core.Strip().FramesScroll.Max, 4);
    core.SetFrameIndex(0);
    EXPECT_EQ(core.Strip().OldPos, 0);
    core.SetFrameIndex(10);
    EXPECT_EQ(core.Strip().OldPos, 3);
    core.FramesScrollBarChange(2);
    EXPECT_EQ(core.Strip().OldPos, 2);
    // A click on the second visible cell goes to frame 3 and selects it alone.
    Click(1);
    EXPECT_EQ(core.FrameIndex(), 3);
    EXPECT_EQ(Sel(), TQFrInt{3});
    EXPECT_EQ(core.Strip().OldPos, 2);

    // A strip lower than its labels still draws, one-pixel cells at the least.
    core.SetStripSize(300, 4);
    EXPECT_GE(core.Strip().ImgH, 1);
    EXPECT_EQ(core.Strip().FramesBMP.Height(), 4);
}

TEST_F(EditorStripTest, ShiftAndCtrlClicksExtendAndToggleTheSelection)
{
    MakeFrames(8);
    StripWithCells(10);
    const auto select2and4 = [&] {
        Click(2);
        Click(4, ssCtrl);
        ASSERT_EQ(Sel(), (TQFrInt{4, 2}));
    };

    select2and4();
    Click(7, ssShift);
    EXPECT_EQ(Sel(), (TQFrInt{7, 6, 5, 4, 2}));
    EXPECT_EQ(core.FrameIndex(), 7);

    select2and4();
    Click(0, ssShift);
    EXPECT_EQ(Sel(), (TQFrInt{4, 2, 1, 0}));

    select2and4();
    Click(3, ssShift);
    EXPECT_EQ(Sel(), (TQFrInt{4, 2}));
    EXPECT_EQ(core.FrameIndex(), 3);

    // Ctrl with Shift acts as Ctrl: frame 3 is toggled in, then out.
    Click(3, ssCtrl | ssShift);
    EXPECT_EQ(Sel(), (TQFrInt{4, 3, 2}));
    Click(3, ssCtrl);
    EXPECT_EQ(Sel(), (TQFrInt{4, 2}));

    // A click past the last frame keeps the current frame and selects it alone.
    Click(9);
    EXPECT_EQ(core.FrameIndex(), 3);
    EXPECT_EQ(Sel(), TQFrInt{3});

    // Ctrl-click on the only selected frame empties the selection: nothing to move.
    Click(3, ssCtrl);
    EXPECT_TRUE(Sel().empty());
    EXPECT_FALSE(core.CanMoveLeft());
    EXPECT_FALSE(core.CanMoveRight());

    // While the preview plays, clicks leave the frame and the selection alone.
    core.Play();
    Click(1);
    EXPECT_EQ(core.FrameIndex(), 3);
    EXPECT_TRUE(Sel().empty());
    core.Stop();
}

TEST_F(EditorStripTest, DeletingTheLastTwoOfFiveLeavesTheLastRemainingFrameCurrent)
{
    MakeFrames(5);
    core.SetFrameIndex(4);
    core.Doc.BMPSel = {4, 3};
    core.Doc.IsFrOper = false;
    core.DeleteFrameButtonClick();
    EXPECT_EQ(Durations(), (std::vector<int>{100, 101, 102}));
    EXPECT_EQ(core.FrameIndex(), 2);
    EXPECT_EQ(Sel(), TQFrInt{2});
    EXPECT_EQ(core.Doc.OldFrame, 2);
    EXPECT_TRUE(core.Doc.IsFrOper);

    // Frames in the middle: the current frame keeps its number and shows the next frame.
    core.SetFrameIndex(1);
    core.Doc.BMPSel = {1, 0};
    core.DeleteFrameButtonClick();
    EXPECT_EQ(Durations(), std::vector<int>{102});
    EXPECT_EQ(core.FrameIndex(), 0);
}

TEST_F(EditorStripTest, CopiedFramesArePastedAfterTheCurrentOneInFrameOrderAndStaySelected)
{
    MakeFrames(6);
    core.Animation().Frames(3).SetTransparentColor(clWhite);
    core.Animation().Frames(3).SetDisposalMethod(TDisposalMethod::dmRestoreBackground);
    TBitmap copied;
    core.Hooks.CopyBitmap = [&](const TBitmap& b) { copied = b; };
    core.SetFrameIndex(5);
    core.Doc.BMPSel = {5, 1, 3}; // out of order, as a project file may hold it
    core.CopyFrameButtonClick();
    ASSERT_EQ(core.Doc.Buffer.Count(), 3);
    EXPECT_EQ(core.Doc.Buffer.Frames(0).AnimateInterval(), 101);
    EXPECT_EQ(core.Doc.Buffer.Frames(1).AnimateInterval(), 103);
    EXPECT_EQ(core.Doc.Buffer.Frames(2).AnimateInterval(), 105);
    EXPECT_EQ(copied.Width(), core.ImgWidth()); // the current frame went to the system clipboard

    core.SetFrameIndex(0);
    core.PasteFrameButtonClick();
    EXPECT_EQ(Durations(), (std::vector<int>{100, 101, 103, 105, 101, 102, 103, 104, 105}));
    EXPECT_EQ(core.FrameIndex(), 3);
    EXPECT_EQ(Sel(), (TQFrInt{3, 2, 1}));
    EXPECT_EQ(core.Animation().Frames(2).TransparentColor(), clWhite);
    EXPECT_EQ(core.Animation().Frames(2).DisposalMethod(), TDisposalMethod::dmRestoreBackground);
    EXPECT_EQ(core.Animation().Frames(1).Bitmap().Pixel(10, 10), core.Animation().Frames(4).Bitmap().Pixel(10, 10));
    EXPECT_TRUE(core.Doc.IsFrOper);

    // The clipboard survives and pastes again; cut takes the frames out.
    core.Doc.BMPSel = {8, 7};
    core.SetFrameIndex(8);
    core.CutFrameButtonClick();
    EXPECT_EQ(core.FrameCount(), 7);
    EXPECT_EQ(core.Doc.Buffer.Count(), 2);
    EXPECT_EQ(core.Doc.Buffer.Frames(0).AnimateInterval(), 104);
    EXPECT_EQ(core.FrameIndex(), 6);

    // A duplicate is the whole frame, transparency and disposal included.
    core.SetFrameIndex(2);
    core.DuplicateFrameButtonClick();
    EXPECT_EQ(core.FrameIndex(), 3);
    EXPECT_EQ(Sel(), TQFrInt{3});
    EXPECT_EQ(core.Animation().Frames(3).AnimateInterval(), 103);
    EXPECT_EQ(core.Animation().Frames(3).DisposalMethod(), TDisposalMethod::dmRestoreBackground);
}

TEST_F(EditorStripTest, MovesShiftTheSelectedFramesAndTheCurrentFrame)
{
    MakeFrames(5);
    core.SetFrameIndex(3);
    core.Doc.BMPSel = {3, 1};
    ASSERT_TRUE(core.CanMoveLeft());
    core.MoveLeftButtonClick();
    EXPECT_EQ(Durations(), (std::vector<int>{101, 100, 103, 102, 104}));
    EXPECT_EQ(Sel(), (TQFrInt{2, 0}));
    EXPECT_EQ(core.FrameIndex(), 2);
    EXPECT_EQ(core.Doc.OldFrame, 2);
    EXPECT_FALSE(core.CanMoveLeft());
    EXPECT_TRUE(core.Doc.IsFrOper);

    core.MoveRightButtonClick();
    EXPECT_EQ(Durations(), (std::vector<int>{100, 101, 102, 103, 104}));
    EXPECT_EQ(Sel(), (TQFrInt{3, 1}));
    EXPECT_EQ(core.FrameIndex(), 3);

    // Frame 0 current and unselected: it stays current.
    core.SetFrameIndex(0);
    core.Doc.BMPSel = {2};
    core.MoveLeftButtonClick();
    EXPECT_EQ(Durations(), (std::vector<int>{100, 102, 101, 103, 104}));
    EXPECT_EQ(core.FrameIndex(), 0);

    // The last frame selected: "Move Right" has nothing to do.
    core.Doc.BMPSel = {4, 2};
    EXPECT_FALSE(core.CanMoveRight());
    core.MoveRightButtonClick();
    EXPECT_EQ(Durations(), (std::vector<int>{100, 102, 101, 103, 104}));

    // Moving the current frame out of a two-cell strip scrolls it after the frame.
    StripWithCells(2);
    core.SetFrameIndex(1);
    core.Doc.BMPSel = {1};
    core.MoveRightButtonClick();
    EXPECT_EQ(core.FrameIndex(), 2);
    EXPECT_EQ(core.Strip().OldPos, 1);
}

TEST_F(EditorStripTest, SelectionEntriesNamingNoFrameAreIgnored)
{
    // A selection from before a redraw that shrank the animation.
    MakeFrames(3);
    core.SetFrameIndex(0);
    core.Doc.BMPSel = {9, 1};
    EXPECT_TRUE(core.CanMoveLeft());
    EXPECT_TRUE(core.CanMoveRight());
    core.Doc.BMPSel = {9, 7, 1};
    core.CopyFrameButtonClick();
    EXPECT_EQ(core.Doc.Buffer.Count(), 1);
    core.Doc.BMPSel = {9, 1};
    EXPECT_NO_THROW(core.DeleteFrameButtonClick());
    EXPECT_EQ(Durations(), (std::vector<int>{100, 102}));
}

TEST_F(EditorStripTest, RedrawDiscardsAddedFramesAndKeepsFigureStarts)
{
    MakeFrames(3);
    core.SetFrameIndex(2);
    AddFigure(20, 20);
    const int figure = core.Doc.FigureCount() - 1;
    ASSERT_EQ(core.Doc.Animation.Figures[static_cast<size_t>(figure)].Start, 2);
    const int needed = core.GetMaxNum();

    core.SetFrameIndex(0);
    core.AddFrameButtonClick();
    EXPECT_EQ(core.FrameCount(), needed + 1);
    EXPECT_EQ(core.Doc.Animation.Figures[static_cast<size_t>(figure)].Start, 2);

    core.Doc.RedrawEnabled = true;
    dialogs.QueueYesNo(true);
    core.RedrawButtonClick();
    ASSERT_EQ(dialogs.Questions().size(), 1);
    EXPECT_TRUE(dialogs.Questions().front().endsWith(core.Msg.QAfter));
    EXPECT_EQ(core.FrameCount(), needed);
    EXPECT_FALSE(core.Doc.IsFrOper);
    EXPECT_EQ(core.Doc.Animation.Figures[static_cast<size_t>(figure)].Start, 2);
    EXPECT_EQ(FramePixel(2, BoxCentre(*core.Doc.DrawArr.back())), kFill);
}

} // namespace
