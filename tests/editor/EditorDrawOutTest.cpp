// Figures dragged out after their toolbar button, and the arrow keys' nudges.
#include "tests/editor/EditorCoreFixture.h"
#include "tests/support/TestSupport.h"

#include "drawobjects/Pic.h"
#include "platform/ImageFiles.h"

#include <QDir>

namespace {

class DrawOutTest : public EditorCoreTest {
protected:
    void Drag(TPoint from, TPoint to, TShiftState keys = 0)
    {
        core.FramePanelMouseDown(TMouseButton::mbLeft, keys | ssLeft, from.X, from.Y);
        core.FramePanelMouseMove(keys | ssLeft, (from.X + to.X) / 2, (from.Y + to.Y) / 2);
        core.FramePanelMouseMove(keys | ssLeft, to.X, to.Y);
        core.FramePanelMouseUp(TMouseButton::mbLeft, keys, to.X, to.Y);
    }
    // The figure's box in frame pixels.
    static TRect Box(const TDrawObject& obj)
    {
        return {obj.Left + obj.Coord, obj.Top + obj.Coord, obj.Left + obj.Coord + obj.Width(),
                obj.Top + obj.Coord + obj.Height()};
    }
    TQFigure& Record(int n) { return core.Doc.Animation.Figures[static_cast<size_t>(n)]; }
};

} // namespace

TEST_F(DrawOutTest, DraggedOutFiguresTakeTheRectangleInOneStep)
{
    // A rectangle dragged from bottom-right to top-left.
    ASSERT_TRUE(core.FigureButtonClick(qfRectangle));
    EXPECT_EQ(core.DrawingKind(), qfRectangle);
    Drag({150, 120}, {40, 30});
    ASSERT_EQ(core.Doc.FigureCount(), 1);
    EXPECT_EQ(Box(*core.DrObj()), (TRect{40, 30, 150, 120}));
    EXPECT_FALSE(core.DrawingKind());
    EXPECT_FALSE(core.Gesture().IsSelRec);
    // Stored at the frame: a trip through the records gives the same box.
    core.GetAnim();
    EXPECT_EQ(Box(*core.DrObj()), (TRect{40, 30, 150, 120}));
    // Making and shaping are one step.
    EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo New Rectangle"));
    core.Undo();
    EXPECT_EQ(core.Doc.FigureCount(), 0);

    // An ellipse with Shift stays square, its side the longer drag.
    ASSERT_TRUE(core.FigureButtonClick(qfEllipse));
    Drag({100, 100}, {60, 170}, ssShift);
    EXPECT_EQ(Box(*core.DrObj()), (TRect{30, 100, 100, 170}));

    // A line from the press to the release, whichever way it runs.
    ASSERT_TRUE(core.FigureButtonClick(qfLine));
    Drag({20, 180}, {170, 40});
    const TDrawObject& line = *core.DrObj();
    ASSERT_EQ(line.BtnPoints.size(), 2u);
    EXPECT_EQ(line.BtnToFrame(line.BtnPoints[0]), (TPoint{20, 180}));
    EXPECT_EQ(line.BtnToFrame(line.BtnPoints[1]), (TPoint{170, 40}));
}

TEST_F(DrawOutTest, APictureIsStretchedIntoTheDraggedRectangle)
{
    const QString png = QDir(TempDir()).filePath(QStringLiteral("wide.png"));
    SavePngFile(Solid(80, 20, 0x00FF00), png);
    dialogs.QueueFile(png);
    ASSERT_TRUE(core.FigureButtonClick(qfPicture));
    Drag({10, 10}, {60, 110});
    auto* pic = dynamic_cast<TPic*>(core.DrObj());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(Box(*pic), (TRect{10, 10, 60, 110}));
    EXPECT_TRUE(pic->Stretch());
    core.RedrawAnimation();
    EXPECT_EQ(FramePixel(0, {12, 105}), 0x00FF00u);
}

TEST_F(DrawOutTest, AClickLeavesTheFigureAsTheButtonMadeIt)
{
    ASSERT_TRUE(core.QNewFigure(qfRectangle));
    const TRect plain = Box(*core.DrObj());
    core.Undo();

    ASSERT_TRUE(core.FigureButtonClick(qfRectangle));
    // A wobble below the threshold is still a click; on the figure it is an
    // ordinary press there (a zero move of the figure).
    core.SetPointerTolerance(6, 3);
    const TPoint at = BoxCentre(*core.DrObj());
    core.FramePanelMouseDown(TMouseButton::mbLeft, ssLeft, at.X, at.Y);
    core.FramePanelMouseMove(ssLeft, at.X + 2, at.Y + 1);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, at.X + 2, at.Y + 1);
    EXPECT_EQ(Box(*core.DrObj()), plain);
    EXPECT_EQ(core.QCount(), 1);
    EXPECT_FALSE(core.DrawingKind());
    // The next drag is an ordinary drag of the figure, not a new rectangle.
    Drag(at, {at.X + 20, at.Y});
    EXPECT_EQ(Box(*core.DrObj()).Left, plain.Left + 20);
    EXPECT_EQ(Box(*core.DrObj()).Width(), plain.Width());
}

TEST_F(DrawOutTest, NudgesMoveTheSelectionAndMergeWhileItStaysTheSame)
{
    TDrawObject* a = AddFigure(10, 10);
    TDrawObject* b = AddFigure(100, 100);
    const int steps = core.History().Stack().count();
    core.NudgeSelection(1, 0);
    core.NudgeSelection(1, 0);
    core.NudgeSelection(0, -10);
    EXPECT_EQ(b->Left, 102);
    EXPECT_EQ(b->Top, 90);
    EXPECT_EQ(a->Left, 10);
    EXPECT_EQ(core.History().Stack().count(), steps + 1);
    EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo Move"));
    // Stored at the frame like a drag.
    core.GetAnim();
    EXPECT_EQ(b->Left, 102);

    // Both selected: a new step that moves both.
    a->SetFocused(true);
    core.NudgeSelection(-1, 0);
    EXPECT_EQ(core.History().Stack().count(), steps + 2);
    core.GetAnim();
    EXPECT_EQ(core.Doc.DrawArr[0]->Left, 9);
    EXPECT_EQ(core.Doc.DrawArr[1]->Left, 101);

    core.Undo();
    core.Undo();
    EXPECT_EQ(core.Doc.DrawArr[1]->Left, 100);
    EXPECT_EQ(core.Doc.DrawArr[1]->Top, 100);

    // Nothing selected: nothing moves and no step is made.
    core.ClearAllDrawObjFocuses();
    core.CountFocusedDrawObjs();
    const int before = core.History().Stack().count();
    core.NudgeSelection(5, 5);
    EXPECT_EQ(core.History().Stack().count(), before);
}
