// New figures of every toolbar kind, "Image" figures from each kind of file,
// and lines attached to figures during group drags.
#include "tests/editor/EditorCoreFixture.h"
#include "tests/support/TestSupport.h"

#include "drawobjects/Line.h"
#include "drawobjects/Pic.h"
#include "drawobjects/Rectangle.h"
#include "drawobjects/SolidPoint.h"
#include "platform/ImageFiles.h"

#include <QDir>
#include <QFile>

namespace {

class FiguresTest : public EditorCoreTest {
protected:
    QString WritePng(int width, int height, TColor color)
    {
        const QString path = QDir(TempDir()).filePath(QStringLiteral("picture.png"));
        SavePngFile(Solid(width, height, color), path);
        return path;
    }
    QString WriteGif(int frames)
    {
        TZGIFImage gif;
        for (int i = 0; i < frames; ++i) {
            gif.AddFrame(Solid(60, 30, i % 2 ? 0x00FF00 : 0xFF0000));
            gif.Frames(i).SetAnimateInterval(100);
        }
        const QString path = QDir(TempDir()).filePath(QStringLiteral("picture.gif"));
        gif.SaveToFile(path);
        return path;
    }
};

} // namespace

TEST_F(FiguresTest, EveryToolbarKindMakesASelectedFigure)
{
    const TQFigName kinds[] = {qfPoint,   qfLine,    qfLLine, qfZLine, qfBezier, qfRectangle, qfDiamond,
                               qfEllipse, qfStar,    qfPolygon, qfArrow, qfText, qfTextBezier};
    int n = 0;
    for (TQFigName kind : kinds) {
        ASSERT_TRUE(core.QNewFigure(kind)) << int(kind);
        ++n;
        EXPECT_EQ(core.Doc.FigureCount(), n);
        EXPECT_EQ(core.Doc.Animation.Figures.back().Name, kind);
        EXPECT_EQ(core.Doc.DrawArr.back().get(), core.DrObj());
        EXPECT_EQ(core.QCount(), 1);
        EXPECT_EQ(core.DrObj()->FigNum, n - 1);
    }
    // Only the newest is selected; the earlier figures were stored and deselected.
    for (int i = 0; i + 1 < n; ++i)
        EXPECT_FALSE(core.Doc.DrawArr[size_t(i)]->Focused());
    // A point takes at least a 3-pixel pen and is twice that wide.
    auto* point = dynamic_cast<TSolidPoint*>(core.Doc.DrawArr[0].get());
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->Pen().Width, 3);
    EXPECT_EQ(point->Width(), 6);
    EXPECT_EQ(point->Height(), 6);
    // Every figure survives a redraw and a trip to another frame.
    core.AddFrames(0);
    core.RedrawAnimation();
    EXPECT_EQ(core.FrameCount(), 1);
    EXPECT_EQ(core.Doc.FigureCount(), n);
}

TEST_F(FiguresTest, ImageFromAStillPictureIsFittedIntoTheDefaultSize)
{
    const QString png = WritePng(80, 20, 0x00FF00);
    dialogs.QueueFile(png);
    ASSERT_TRUE(core.QNewFigure(qfPicture));
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].File.Filter, TEditorCore::PictureFigureFilter);
    auto* pic = dynamic_cast<TPic*>(core.DrObj());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GNum, -1);
    EXPECT_TRUE(pic->Stretch());
    EXPECT_EQ(pic->Width(), 100); // 80 x 20 fitted into 100 x 100
    EXPECT_EQ(pic->Height(), 25);
    core.RedrawAnimation();
    EXPECT_EQ(FramePixel(0, BoxCentre(*pic)), 0x00FF00u);
}

TEST_F(FiguresTest, ImageFromAGIFIsComposedAndKeepsItsFrames)
{
    dialogs.QueueFile(WriteGif(3));
    ASSERT_TRUE(core.QNewFigure(qfPicture));
    auto* pic = dynamic_cast<TPic*>(core.DrObj());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->BitNum, 0);
    EXPECT_EQ(pic->GNum, 0);
    ASSERT_EQ(core.Doc.BMPGIF.size(), 1u);
    EXPECT_EQ(core.Doc.BMPGIF[0].size(), 3u);
    EXPECT_EQ(pic->Width(), 100);
    EXPECT_EQ(pic->Height(), 50);
    EXPECT_EQ(progress.Title(), QStringLiteral("Loading Frames"));
    EXPECT_FALSE(progress.IsApply());
}

TEST_F(FiguresTest, ImageRefusalsLeaveNoFigure)
{
    // Cancelled file dialog.
    EXPECT_FALSE(core.QNewFigure(qfPicture));
    // Unknown extension.
    const QString tif = QDir(TempDir()).filePath(QStringLiteral("picture.tif"));
    QFile(WritePng(10, 10, clWhite)).copy(tif);
    dialogs.QueueFile(tif);
    EXPECT_FALSE(core.QNewFigure(qfPicture));
    // A picture that does not decode.
    const QString broken = QDir(TempDir()).filePath(QStringLiteral("broken.png"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x89PNG\r\n\x1a\n garbage");
    }
    dialogs.QueueFile(broken);
    EXPECT_FALSE(core.QNewFigure(qfPicture));
    const QString brokenGif = QDir(TempDir()).filePath(QStringLiteral("broken.gif"));
    {
        QFile f(brokenGif);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("GIF89a\x10");
    }
    dialogs.QueueFile(brokenGif);
    EXPECT_FALSE(core.QNewFigure(qfPicture));

    EXPECT_EQ(core.Doc.FigureCount(), 0);
    EXPECT_TRUE(core.Doc.DrawArr.empty());
    EXPECT_EQ(core.QCount(), 0);
    const QStringList messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], QStringLiteral("Invalid file format!"));
    core.RedrawAnimation(); // nothing left behind trips the redraw
    EXPECT_EQ(core.FrameCount(), 1);
}

TEST_F(FiguresTest, ALineTiedToAnUnselectedFigureStaysOutOfAGroupDrag)
{
    auto* a = dynamic_cast<TRectangle*>(AddFigure(10, 10));
    auto* b = dynamic_cast<TRectangle*>(AddFigure(120, 120));
    auto* line = dynamic_cast<TLine*>(AddFigure(60, 60, 30, 30, qfLine));
    ASSERT_TRUE(a && b && line);
    line->SetConnection1(a);
    const TPoint lineStart{line->Left, line->Top};

    // Line and b selected, a not: the line is left where it is.
    core.ClearAllDrawObjFocuses();
    line->SetFocused(true);
    b->SetFocused(true);
    core.CountFocusedDrawObjs();
    const TPoint inB = BoxCentre(*b);
    core.FramePanelMouseDown(TMouseButton::mbLeft, ssLeft, inB.X, inB.Y);
    ASSERT_TRUE(core.Gesture().IsMouseDown);
    EXPECT_EQ(core.Gesture().DragList.size(), 1u);
    core.FramePanelMouseMove(ssLeft, inB.X - 30, inB.Y + 20);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, inB.X - 30, inB.Y + 20);
    EXPECT_EQ(b->Left, 90);
    EXPECT_EQ(line->Left, lineStart.X);
    EXPECT_EQ(line->Top, lineStart.Y);

    // With its figure selected too, the line goes along.
    a->SetFocused(true);
    core.CountFocusedDrawObjs();
    const TPoint inA = BoxCentre(*a);
    core.FramePanelMouseDown(TMouseButton::mbLeft, ssLeft, inA.X, inA.Y);
    EXPECT_EQ(core.Gesture().DragList.size(), 3u);
    core.FramePanelMouseMove(ssLeft, inA.X + 10, inA.Y + 10);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, inA.X + 10, inA.Y + 10);
    EXPECT_EQ(a->Left, 20);
    EXPECT_NE(TPoint(line->Left, line->Top), lineStart);
}
