// The headless rendering pass: backgrounds, GIF composites, "Redraw Frames",
// its cancel, and the fit rule.
#include "editor/core/PicSize.h"
#include "tests/editor/EditorCoreFixture.h"

namespace {

// A GIF of the given frames, each a solid rectangle of its colour.
struct TFrameSpec {
    TRect Rect;
    TColor Color;
    uint16_t Duration = 100;
    TDisposalMethod Disposal = TDisposalMethod::dmLeave;
};

TZGIFImage MakeGIF(const std::vector<TFrameSpec>& frames)
{
    TZGIFImage gif;
    for (const TFrameSpec& f : frames) {
        TBitmap b(f.Rect.Width(), f.Rect.Height());
        TEditorCore::FillBitmap(b, f.Color, f.Rect.Width(), f.Rect.Height());
        const int i = gif.AddFrame(b);
        gif.Frames(i).SetOrigin({f.Rect.Left, f.Rect.Top});
        gif.Frames(i).SetAnimateInterval(f.Duration);
        gif.Frames(i).SetDisposalMethod(f.Disposal);
    }
    return gif;
}

constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlueC = 0xFF0000;
constexpr TColor kRed = 0x0000FF;

} // namespace

TEST(PicSizeTest, FitsUpAndDownKeepingProportions)
{
    EXPECT_EQ(GetPicSize(200, 200, 1000, 100), (TSize{200, 20}));
    EXPECT_EQ(GetPicSize(200, 200, 50, 50), (TSize{200, 200}));
    EXPECT_EQ(GetPicSize(200, 200, 100, 400), (TSize{50, 200}));
    // Wide picture in a flat box: the height limits.
    EXPECT_EQ(GetPicSize(200, 50, 400, 200), (TSize{100, 50}));
    // Tall picture in a narrow box: the width limits.
    EXPECT_EQ(GetPicSize(50, 200, 200, 400), (TSize{50, 100}));
    // Halves round to even: 5/2*1 = 2.5 -> 2, 7/2*1 = 3.5 -> 4.
    EXPECT_EQ(GetPicSize(5, 100, 2, 1), (TSize{5, 2}));
    EXPECT_EQ(GetPicSize(7, 100, 2, 1), (TSize{7, 4}));
    // A side of 0 keeps the other side.
    EXPECT_EQ(GetPicSize(200, 200, 0, 0), (TSize{0, 200}));
}

TEST_F(EditorCoreTest, NewProjectIsOneWhiteLoopingFrame)
{
    ASSERT_EQ(core.FrameCount(), 1);
    TZGIFFrame& frame = core.Animation().Frames(0);
    EXPECT_EQ(frame.Bitmap().Width(), 200);
    EXPECT_EQ(frame.Bitmap().Height(), 200);
    EXPECT_EQ(frame.Bitmap().Pixel(100, 100), clWhite);
    EXPECT_EQ(frame.AnimateInterval(), 50);
    EXPECT_TRUE(core.Animation().Looping());
    EXPECT_EQ(core.Animation().RepeatCount(), 0);
    EXPECT_EQ(core.FrameIndex(), 0);
    EXPECT_FALSE(core.Doc.IsModify);
    // The canvas: white with the resize handle at the bottom-right corner.
    EXPECT_EQ(core.FramePanelBMP().Pixel(100, 100), clWhite);
    EXPECT_EQ(core.FramePanelBMP().Pixel(194, 194), clBlue);
    EXPECT_EQ(core.FramePanelBMP().Pixel(196, 196), clWhite);
}

TEST_F(EditorCoreTest, RedrawWithoutFiguresLeavesOneBackgroundFrame)
{
    core.Doc.Animation.BackColor = kGreen;
    EXPECT_EQ(core.GetMaxNum(), 0);
    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 1);
    EXPECT_EQ(FramePixel(0, {10, 10}), kGreen);
    EXPECT_FALSE(core.Doc.RedrawEnabled);
}

TEST_F(EditorCoreTest, BackgroundGIFAndLateFigureGiveSevenFrames)
{
    core.Doc.Animation.BackColor = kGreen;
    SetBackGIF(MakeGIF({{{0, 0, 200, 200}, kBlueC, 120}, {{0, 0, 200, 200}, kBlueC, 0}, {{0, 0, 200, 200}, kBlueC, 30}}));
    TDrawObject* obj = AddFigure(20, 20);
    TQFigure& fig = core.Doc.Animation.Figures[0];
    fig.All = false;
    fig.Start = 5;
    fig.Count = 2;
    core.Doc.AnInt = 70;

    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 7);
    const std::vector<int> durations{120, 10, 30, 70, 70, 70, 70};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(core.Animation().Frames(i).AnimateInterval(), durations[size_t(i)]) << "frame " << i;
    EXPECT_EQ(FramePixel(0, {100, 100}), kBlueC);
    EXPECT_EQ(FramePixel(3, {100, 100}), kGreen);
    const TPoint centre = BoxCentre(*obj);
    EXPECT_EQ(FramePixel(4, centre), kGreen);
    EXPECT_EQ(FramePixel(5, centre), kFill);
    EXPECT_EQ(FramePixel(6, centre), kFill);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(core.Animation().Frames(i).DisposalMethod(), TDisposalMethod::dmRestoreBackground);
}

TEST_F(EditorCoreTest, FigureInAllFramesIsPaintedEverywhere)
{
    TDrawObject* obj = AddFigure(30, 30);
    TQFigure& fig = core.Doc.Animation.Figures[0];
    fig.Start = 3;
    fig.Count = 1; // All stays set
    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(FramePixel(i, BoxCentre(*obj)), kFill) << "frame " << i;
}

TEST_F(EditorCoreTest, TransparentCheckDecidesTheFramesKeyColour)
{
    core.Doc.Animation.BackColor = kGreen;
    AddFigure(10, 10);
    core.Doc.Animation.Figures[0].Count = 2;

    core.RedrawAnimation();
    for (int i = 0; i < core.FrameCount(); ++i)
        EXPECT_EQ(core.Animation().Frames(i).TransparentColor(), clNone);

    core.Doc.Options.BackTransparent = true;
    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(core.Animation().Frames(i).TransparentColor(), kGreen);
    EXPECT_TRUE(core.Animation().Transparent());

    // Past the background GIF a picture background keys on its own colour.
    TBitmap picture = Solid(20, 20, kRed);
    picture.SetPixel(0, 19, kBlueC); // bottom-left pixel
    core.Doc.Animation.BackBMP = picture;
    core.Doc.Animation.IsBackBMP = true;
    core.SetRectangles();
    core.RedrawAnimation();
    EXPECT_EQ(core.Animation().Frames(1).TransparentColor(), kBlueC);
    // The picture is stretched over the whole frame (20 x 20 into 200 x 200).
    EXPECT_EQ(FramePixel(1, {150, 20}), kRed);
}

TEST_F(EditorCoreTest, BesideAFittedPictureTheFrameShowsTheBackgroundColour)
{
    // A 100 x 20 picture fitted into the 200 x 200 frame covers 200 x 40.
    core.Doc.Animation.BackColor = kGreen;
    AddFigure(150, 150, 20, 20); // a frame to render
    TBitmap picture = Solid(100, 20, kRed);
    picture.SetPixel(0, 19, RGB(254, 100, 1)); // its key colour
    core.Doc.Animation.BackBMP = picture;
    core.Doc.Animation.IsBackBMP = true;
    core.SetRectangles();
    core.RedrawAnimation();
    EXPECT_EQ(FramePixel(0, {100, 20}), kRed);
    EXPECT_EQ(FramePixel(0, {100, 150}), kGreen) << "as the editor shows it";
    EXPECT_EQ(core.IBMP().Pixel(100, 150), kGreen);

    // A transparent frame keeps the picture's key there, so that it stays see-through.
    core.Doc.Options.BackTransparent = true;
    core.RedrawAnimation();
    EXPECT_EQ(FramePixel(0, {100, 150}), RGB(254, 100, 1));
    EXPECT_EQ(core.Animation().Frames(0).TransparentColor(), RGB(254, 100, 1));
}

TEST_F(EditorCoreTest, PartialGIFFramesBuildOnEachOtherWhateverTheirDisposal)
{
    SetBackGIF(MakeGIF({{{0, 0, 40, 40}, kRed, 10, TDisposalMethod::dmRestoreBackground},
                        {{0, 0, 10, 10}, kBlueC, 10, TDisposalMethod::dmRestorePrevious},
                        {{30, 30, 40, 40}, kGreen, 10, TDisposalMethod::dmRestoreBackground}}));
    ASSERT_EQ(core.Doc.BackNum, 0);
    const TGIFComposites& list = core.Doc.BMPGIF[0];
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2].Width(), 40);
    EXPECT_EQ(list[2].Pixel(20, 20), kRed);
    EXPECT_EQ(list[2].Pixel(5, 5), kBlueC);
    EXPECT_EQ(list[2].Pixel(35, 35), kGreen);
    EXPECT_EQ(list[1].Pixel(35, 35), kRed);
    EXPECT_TRUE(core.Doc.IsGIFDraw);
}

TEST_F(EditorCoreTest, MissingOrIncompleteCompositesDrawTheBackgroundColour)
{
    core.Doc.Animation.BackColor = kGreen;
    const TZGIFImage gif = MakeGIF({{{0, 0, 200, 200}, kRed}, {{0, 0, 200, 200}, kRed}, {{0, 0, 200, 200}, kRed}});

    // Composition cancelled after the first frame: the other slots stay empty.
    core.Doc.Animation.BackGIF = gif;
    progress.ApplyStart(3, {});
    progress.CancelAt(1);
    core.Doc.BackNum = core.AddBMPArr(core.Doc.Animation.BackGIF);
    progress.CancelAt(-1);
    ASSERT_EQ(core.Doc.BackNum, 0);
    EXPECT_TRUE(core.Doc.BMPGIF[0][2].Empty());
    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 3);
    EXPECT_EQ(FramePixel(0, {5, 5}), kRed);
    EXPECT_EQ(FramePixel(2, {5, 5}), kGreen);

    // No composites at all.
    core.DelBMPArr(core.Doc.BackNum);
    core.Doc.BackNum = -1;
    core.RedrawAnimation();
    ASSERT_EQ(core.FrameCount(), 3);
    EXPECT_EQ(FramePixel(0, {5, 5}), kGreen);
    core.SetFrameIndex(1);
    EXPECT_EQ(core.FramePanelBMP().Pixel(5, 5), kGreen);
}

TEST_F(EditorCoreTest, EmptyGIFComposesNothingAndKeepsEditsStored)
{
    TZGIFImage empty;
    EXPECT_EQ(core.AddBMPArr(empty), -1);
    EXPECT_TRUE(core.Doc.IsGIFDraw);
    EXPECT_TRUE(core.Doc.BMPGIF.empty());
}

TEST_F(EditorCoreTest, CancelHalfWayLeavesOneBackgroundFrame)
{
    AddFigure(10, 10);
    core.Doc.Animation.Figures[0].Count = 40;
    progress.CancelAt(20);
    core.RedrawAnimation();
    EXPECT_GT(progress.ProgressCalls(), 0);
    EXPECT_LE(progress.ProgressCalls(), 25); // the pass stopped soon after the cancel
    ASSERT_EQ(core.FrameCount(), 1);
    EXPECT_EQ(FramePixel(0, {100, 100}), clWhite);
    EXPECT_EQ(progress.Title(), QStringLiteral("Frame Redrawing"));
}

TEST_F(EditorCoreTest, RedrawReturnsToTheFrameShownBefore)
{
    AddFigure(10, 10);
    core.Doc.Animation.Figures[0].Count = 6;
    core.RedrawAnimation();
    core.SetFrameIndex(4);
    core.Doc.Animation.Figures[0].Count = 3;
    core.RedrawAnimation();
    EXPECT_EQ(core.FrameCount(), 3);
    EXPECT_EQ(core.FrameIndex(), 0); // frame 5 is gone: back to the first
    core.Doc.Animation.Figures[0].Count = 6;
    core.RedrawAnimation();
    core.SetFrameIndex(2);
    core.RedrawAnimation();
    EXPECT_EQ(core.FrameIndex(), 2);
}

TEST_F(EditorCoreTest, RedrawQuestionOnlyWhenSomethingChanged)
{
    core.ConfirmRedraw();
    EXPECT_TRUE(dialogs.Questions().isEmpty()); // nothing to redraw

    AddFigure(10, 10);
    ASSERT_TRUE(core.Doc.RedrawEnabled);
    core.Doc.IsFrOper = true;
    dialogs.QueueYesNo(true);
    core.ConfirmRedraw();
    ASSERT_EQ(dialogs.Questions().size(), 1);
    EXPECT_EQ(dialogs.Questions()[0],
              QStringLiteral("Redraw frames to change animation?\r\nAfter redrawing, operations with frames will disappear."));
    EXPECT_FALSE(core.Doc.RedrawEnabled);
    EXPECT_FALSE(core.Doc.IsFrOper);
    EXPECT_EQ(FramePixel(0, BoxCentre(*core.Doc.DrawArr[0])), kFill);
}

TEST_F(EditorCoreTest, LoopSettingsReachTheAnimation)
{
    core.Doc.Options.RepeatCount = 7;
    core.Doc.Options.InfiniteLoop = false;
    core.RedrawAnimation();
    EXPECT_FALSE(core.Animation().Looping());
    EXPECT_EQ(core.Animation().RepeatCount(), 7);
    core.Doc.Options.InfiniteLoop = true;
    core.RedrawAnimation();
    EXPECT_TRUE(core.Animation().Looping());
    EXPECT_EQ(core.Animation().RepeatCount(), 0);
}
