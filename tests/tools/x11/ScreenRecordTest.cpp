// Recording a rectangle of a real X11 screen through the "Screen Record"
// window: choosing the rectangle on the snapshot, the frames, stopping and
// closing, and "zembra record".
#include "cli/RecordCommand.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ScreenRecording.h"
#include "platform/ScreenGrab.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"
#include "tests/tools/x11/X11Screen.h"
#include "tools/DesktopForm.h"
#include "tools/ScreenForm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <set>

namespace {

template <typename Condition>
bool WaitFor(Condition condition, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return condition();
}

constexpr TRect PatternRect{TPatternWindow::Left, TPatternWindow::Top, TPatternWindow::Left + TPatternWindow::Size - 1,
                            TPatternWindow::Top + TPatternWindow::Size - 1};

class ScreenRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_X11_SCREEN();
        core.NewProject();
        main.setGeometry(300, 250, 200, 150); // away from the pattern
        main.show();
        form = new TScreenForm(&main);
        desktop = new TDesktopForm(&main);
        form->SetDesktopForm(desktop);
        form->SetHost(TToolHost{&core, &page, nullptr});
        pattern.show();
        form->show();
        ASSERT_TRUE(WaitFor([&] { return pattern.Counter() > 5 && form->isVisible(); }));
        Settle(200);
    }

    // Drags on the snapshot from one corner to the other, as the user does.
    void Drag(QPoint from, QPoint to)
    {
        form->SelectButtonClick();
        EXPECT_FALSE(main.isVisible());
        EXPECT_FALSE(form->isVisible());
        ASSERT_TRUE(WaitFor([&] { return desktop->isVisible(); }));
        Settle(50);
        QTest::mousePress(desktop, Qt::LeftButton, {}, from);
        QTest::mouseMove(desktop, (from + to) / 2);
        QTest::mouseMove(desktop, to);
        ASSERT_TRUE(desktop->IsDraw());
        lastImage = desktop->Image();
        QTest::mouseRelease(desktop, Qt::LeftButton, {}, to);
        EXPECT_FALSE(desktop->isVisible());
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->IsSelect());
    }

    void Record(int frames)
    {
        form->RecordButtonClick();
        ASSERT_TRUE(form->IsRecording());
        EXPECT_FALSE(form->SelectButton->isEnabled());
        EXPECT_FALSE(form->Spin->isEnabled());
        ASSERT_TRUE(WaitFor([&] { return form->RecordedFrames() >= frames; }));
    }

    // The recording became the project's background, as the stop button leaves it.
    void ExpectLoaded(int width, int height)
    {
        const TZGIFImage& back = core.Doc.Animation.BackGIF;
        EXPECT_FALSE(form->IsRecording());
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(main.isVisible());
        EXPECT_TRUE(form->SelectButton->isEnabled());
        EXPECT_TRUE(form->Spin->isEnabled());
        ASSERT_EQ(back.Count(), form->RecordedFrames());
        EXPECT_EQ(back.ScreenWidth(), width);
        EXPECT_EQ(back.ScreenHeight(), height);
        EXPECT_GE(core.Doc.BackNum, 0);
        EXPECT_EQ(core.Doc.ImgWidth, width);
        EXPECT_EQ(core.Doc.ImgHeight, height);
        EXPECT_TRUE(core.Doc.IsModify);
    }

    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
    QWidget main; // stands for the editor's window
    TPatternWindow pattern;
    TScreenForm* form = nullptr;
    TDesktopForm* desktop = nullptr;
    QImage lastImage; // the desktop window's picture just before the release
};

// Left edge of the moving block in a recorded frame, -1 when it is not seen.
int BlockLeft(TZGIFFrame& frame)
{
    TBitmap& bitmap = frame.Bitmap();
    const int y = TPatternWindow::Size / 2 + TPatternWindow::Block / 2;
    for (int x = 0; x < bitmap.Width(); ++x)
        if (bitmap.Pixel(x, y) == RGB(0, 0, 0))
            return x;
    return -1;
}

} // namespace

TEST_F(ScreenRecordTest, RecordsTheDraggedRectangleFrameByFrame)
{
    // Bottom-right to top-left: the frame follows the pointer in inverted colours.
    Drag({PatternRect.Right, PatternRect.Bottom}, {PatternRect.Left, PatternRect.Top});
    EXPECT_EQ(form->Rect(), PatternRect);
    const int midY = PatternRect.Top + 100; // below the block and the counter
    EXPECT_EQ(QColor(lastImage.pixel(PatternRect.Left, midY)), QColor(55, 55, 55));
    EXPECT_EQ(QColor(lastImage.pixel(PatternRect.Left + 5, midY)), QColor(200, 200, 200));
    // Top-left to bottom-right chooses the same area.
    Drag({PatternRect.Left, PatternRect.Top}, {PatternRect.Right, PatternRect.Bottom});
    EXPECT_EQ(form->Rect(), PatternRect);

    Record(6);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count() >= 6, true);
    form->RecordButtonClick();
    ExpectLoaded(TPatternWindow::Size, TPatternWindow::Size);

    TZGIFImage& back = core.Doc.Animation.BackGIF;
    std::set<int> positions;
    for (int i = 0; i < back.Count(); ++i) {
        TZGIFFrame& frame = back.Frames(i);
        EXPECT_EQ(frame.AnimateInterval(), 50);
        // Exactly the pattern's area: its grey reaches every corner.
        TBitmap& bitmap = frame.Bitmap();
        EXPECT_EQ(bitmap.Pixel(0, TPatternWindow::Size - 1), RGB(200, 200, 200)) << i;
        EXPECT_EQ(bitmap.Pixel(TPatternWindow::Size - 1, TPatternWindow::Size - 1), RGB(200, 200, 200)) << i;
        positions.insert(BlockLeft(frame));
    }
    positions.erase(-1);
    EXPECT_GE(positions.size(), 3u) << "the frames do not follow the moving block";
}

TEST_F(ScreenRecordTest, AClickRecordsOnePixel)
{
    Drag({60, 50}, {60, 50});
    EXPECT_EQ(form->Rect(), TRect(60, 50, 60, 50));
    Record(1);
    form->RecordButtonClick();
    ExpectLoaded(1, 1);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Frames(0).Bitmap().Pixel(0, 0), RGB(200, 200, 200));
}

TEST_F(ScreenRecordTest, ClosingDuringRecordingLoadsTheFramesAsStopDoes)
{
    form->SetRect(PatternRect);
    form->Spin->setValue(30);
    Record(3);
    form->close();
    ExpectLoaded(TPatternWindow::Size, TPatternWindow::Size);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Frames(0).AnimateInterval(), 30);
    EXPECT_EQ(core.Doc.Options.RecordDelay, 30);
    // Closing again, idle, changes nothing.
    const int frames = core.Doc.Animation.BackGIF.Count();
    form->show();
    form->close();
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), frames);
}

TEST_F(ScreenRecordTest, FramesAreKeptEncodedAndLongIntervalsHeld)
{
    TZGIFImage gif;
    TBitmap grab;
    TBitmap pic;
    const int index = RecordFrame(gif, PatternRect, 100000, TPixelFormat::pf24bit, grab, pic);
    TZGIFFrame& frame = gif.Frames(index);
    EXPECT_EQ(frame.AnimateInterval(), 65535);
    EXPECT_FALSE(frame.HasBitmap());
    EXPECT_TRUE(frame.Item().Encoded());
    EXPECT_EQ(frame.Width(), TPatternWindow::Size);
    // An area partly off the screen keeps its size, black where there is no screen.
    const int partly = RecordFrame(gif, TRect(600, 400, 700, 500), 50, TPixelFormat::pf24bit, grab, pic);
    EXPECT_EQ(gif.Frames(partly).Width(), 101);
    EXPECT_EQ(gif.Frames(partly).Height(), 101);
    EXPECT_EQ(gif.Frames(partly).Bitmap().Pixel(100, 100), RGB(0, 0, 0));
    // A grab that fails leaves the GIF as it was.
    EXPECT_THROW(RecordFrame(gif, TRect(10, 10, 5, 5), 50, TPixelFormat::pf24bit, grab, pic), EScreenGrabError);
    EXPECT_EQ(gif.Count(), 2);
}

TEST_F(ScreenRecordTest, RecordCommandWritesTheFrames)
{
    const QString out = QDir(TempDir()).filePath(QStringLiteral("rec.gif"));
    EXPECT_EQ(RunRecordCommand({QStringLiteral("--rect"), QStringLiteral("40,30,120,120"), QStringLiteral("--interval"),
                                QStringLiteral("20"), QStringLiteral("--frames"), QStringLiteral("5"), out}),
              0);
    TZGIFImage gif;
    gif.LoadFromFile(out);
    ASSERT_EQ(gif.Count(), 5);
    EXPECT_EQ(gif.ScreenWidth(), 120);
    EXPECT_EQ(gif.ScreenHeight(), 120);
    std::set<int> positions;
    for (int i = 0; i < gif.Count(); ++i) {
        EXPECT_EQ(gif.Frames(i).AnimateInterval(), 20);
        positions.insert(BlockLeft(gif.Frames(i)));
    }
    EXPECT_GE(positions.size(), 2u);

    const QString bad = QDir(TempDir()).filePath(QStringLiteral("bad.gif"));
    EXPECT_EQ(RunRecordCommand({QStringLiteral("--rect"), QStringLiteral("600,400,100,100"), QStringLiteral("--interval"),
                                QStringLiteral("20"), QStringLiteral("--seconds"), QStringLiteral("1"), bad}),
              1);
    EXPECT_EQ(RunRecordCommand({QStringLiteral("--rect"), QStringLiteral("0,0,10,10"), QStringLiteral("--interval"),
                                QStringLiteral("20"), bad}),
              1);
    EXPECT_FALSE(QFile::exists(bad));
}
