// The "Options" page: background picture and GIF, frame size with the aspect
// ratio kept, loop, colour, cancelled GIF opening, composite indexes when the
// background GIF goes, and "Save Frame" by extension.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "gif/ZGIFImage.h"
#include "platform/ImageFiles.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TBitmap Filled(int width, int height, TColor color)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    TEditorCore::FillBitmap(bitmap, color, width, height);
    return bitmap;
}

// A GIF of `frames` frames of the given size, saved under `name` in `dir`.
QString MakeGif(const QString& dir, const QString& name, int frames, int width, int height, bool looping,
                int repeat)
{
    TZGIFImage gif;
    for (int i = 0; i < frames; ++i)
        gif.Frames(gif.AddFrame(Filled(width, height, RGB(uint8_t(40 * i), 0, 255)))).SetAnimateInterval(100);
    gif.SetLooping(looping);
    // A repeat count reaches the file only with the loop extension, i.e. when looping.
    gif.SetRepeatCount(uint16_t(repeat));
    const QString path = QDir(dir).filePath(name);
    gif.SaveToFile(path);
    return path;
}

class OptionsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core.SetRedrawQuestion(false);
        core.NewProject();
        page.Clear();
    }

    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
    QString dir = TempDir();
};

} // namespace

TEST_F(OptionsPageTest, PictureSetsTheFrameOnlyWithoutBackgroundGif)
{
    const QString picture = QDir(dir).filePath(QStringLiteral("back.png"));
    SavePngFile(Filled(400, 300, clRed), picture);

    page.PictureOpenButtonClick(picture);
    EXPECT_TRUE(core.Doc.Animation.IsBackBMP);
    EXPECT_EQ(core.Doc.ImgWidth, 400);
    EXPECT_EQ(core.Doc.ImgHeight, 300);
    EXPECT_EQ(page.BackWidth, 400);
    EXPECT_EQ(page.BackHeight, 300);
    EXPECT_EQ(core.FramePanelBMP().Width(), 400);
    EXPECT_EQ(page.PictureDimensions, QStringLiteral("400 x 300"));
    EXPECT_TRUE(core.Doc.IsModify);

    // With a 200 x 200 background GIF the frame keeps the GIF's size and the
    // picture is fitted into it at the top-left.
    page.PictureDeleteButtonClick();
    EXPECT_FALSE(core.Doc.Animation.IsBackBMP);
    page.GIFOpenButtonClick(MakeGif(dir, QStringLiteral("back.gif"), 2, 200, 200, true, 0));
    ASSERT_GE(core.Doc.BackNum, 0);
    EXPECT_EQ(core.Doc.ImgWidth, 200);
    page.PictureOpenButtonClick(picture);
    EXPECT_EQ(core.Doc.ImgWidth, 200);
    EXPECT_EQ(core.Doc.ImgHeight, 200);
    EXPECT_EQ(core.BMPRect().Width(), 200);
    EXPECT_EQ(core.BMPRect().Height(), 150);

    // Unknown extensions are refused before anything changes.
    dialogs.ClearAsked();
    page.PictureOpenButtonClick(QDir(dir).filePath(QStringLiteral("x.tif")));
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Invalid file format!")});
}

TEST_F(OptionsPageTest, FrameSizeKeepsTheAspectRatio)
{
    core.Doc.ImgWidth = 200;
    core.Doc.ImgHeight = 100;
    page.SetWH();
    page.SetProp();
    core.Doc.RedrawEnabled = false;

    page.BackWidthSpinExit(200); // the same width again: nothing to redraw
    EXPECT_FALSE(core.Doc.RedrawEnabled);

    page.BackWidthSpinExit(300);
    EXPECT_TRUE(core.Doc.RedrawEnabled);
    EXPECT_EQ(page.BackHeight, 150);
    EXPECT_EQ(core.Doc.ImgWidth, 300);
    EXPECT_EQ(core.Doc.ImgHeight, 150);
    EXPECT_EQ(core.FramePanelBMP().Width(), 300);
    EXPECT_EQ(core.FramePanelBMP().Height(), 150);

    // Ties round to even; the box clamps to 1..10000.
    page.BackHeightSpinExit(1); // 200 / 100 * 1 = 2
    EXPECT_EQ(page.BackWidth, 2);
    page.BackHeightSpinExit(9000);
    EXPECT_EQ(page.BackWidth, 10000);

    // Unchecked: each dimension is its own reference.
    page.ProportionalCheckClick(false);
    page.BackWidthSpinExit(50);
    EXPECT_EQ(core.Doc.ImgHeight, 9000);
    EXPECT_EQ(page.PropWidth, 50);
}

TEST_F(OptionsPageTest, InfinitelyDisablesTimesAndLoopsForever)
{
    page.InfinityCheckClick(false);
    page.TimesSpinExit(3);
    EXPECT_TRUE(page.TimesEnabled());
    EXPECT_FALSE(core.Animation().Looping());
    EXPECT_EQ(core.Animation().RepeatCount(), 3);

    page.InfinityCheckClick(true);
    EXPECT_FALSE(page.TimesEnabled());
    EXPECT_TRUE(core.Animation().Looping());
    EXPECT_EQ(core.Animation().RepeatCount(), 0);
    EXPECT_TRUE(core.Doc.RedrawEnabled);
}

TEST_F(OptionsPageTest, CancelledGifOpeningRestoresTheOldGif)
{
    page.GIFOpenButtonClick(MakeGif(dir, QStringLiteral("old.gif"), 2, 60, 40, true, 4));
    ASSERT_EQ(core.Doc.BackNum, 0);
    EXPECT_EQ(page.BackFramesCount, QStringLiteral("2 frame(s)"));
    EXPECT_TRUE(core.Doc.Options.InfiniteLoop);
    EXPECT_EQ(core.Doc.Options.RepeatCount, 4);

    // The new GIF's composition is cancelled at its third frame; the old one
    // (two frames) is composed again without being cancelled.
    progress.CancelAt(3);
    page.GIFOpenButtonClick(MakeGif(dir, QStringLiteral("new.gif"), 5, 80, 80, true, 0));
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 2);
    ASSERT_EQ(core.Doc.BackNum, 0);
    ASSERT_EQ(core.Doc.BMPGIF.size(), 1u);
    EXPECT_EQ(core.Doc.BMPGIF[0].size(), 2u);
    EXPECT_FALSE(core.Doc.BMPGIF[0][1].Empty());
    EXPECT_EQ(core.Doc.ImgWidth, 60);
    EXPECT_EQ(page.GIFDimensions, QStringLiteral("60 x 40"));
    EXPECT_TRUE(core.Doc.Options.InfiniteLoop);
    EXPECT_EQ(core.Doc.Options.RepeatCount, 4);

    // Cancelled again with no old GIF: no background GIF, the modified flag as before.
    page.GIFDeleteButtonClick();
    core.Doc.IsModify = false;
    progress.CancelAt(1);
    page.GIFOpenButtonClick(MakeGif(dir, QStringLiteral("third.gif"), 3, 10, 10, true, 0));
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 0);
    EXPECT_EQ(core.Doc.BackNum, -1);
    EXPECT_TRUE(core.Doc.BMPGIF.empty());
    EXPECT_FALSE(core.Doc.IsModify);
    EXPECT_TRUE(page.GIFPreview.Empty());
}

TEST_F(OptionsPageTest, DeletingTheBackgroundGifLowersLaterCompositeIndexes)
{
    // Composite lists: a figure's GIF, the background GIF, a later figure's GIF.
    const QString back = MakeGif(dir, QStringLiteral("back.gif"), 2, 20, 20, true, 0);
    TZGIFImage figureGif;
    figureGif.LoadFromFile(MakeGif(dir, QStringLiteral("fig.gif"), 1, 8, 8, true, 0));
    ASSERT_EQ(core.AddBMPArr(figureGif), 0);
    page.GIFOpenButtonClick(back);
    ASSERT_EQ(core.Doc.BackNum, 1);
    ASSERT_EQ(core.AddBMPArr(figureGif), 2);

    TQFigure fig;
    fig.Name = qfPicture;
    fig.All = true;
    fig.Frames.push_back({0, {TQPropValue::OfBitmap(true, 0, 0)}});
    fig.Frames.push_back({3, {TQPropValue::OfBitmap(true, 1, 2)}});
    core.Doc.Animation.Figures.push_back(fig);

    page.GIFDeleteButtonClick();
    EXPECT_EQ(core.Doc.BackNum, -1);
    EXPECT_EQ(core.Doc.BMPGIF.size(), 2u);
    const auto& frames = core.Doc.Animation.Figures[0].Frames;
    EXPECT_EQ(frames[0].Change[0].FNum, 0); // added before the background: unchanged
    EXPECT_EQ(frames[1].Change[0].FNum, 1); // added after it: one lower
    EXPECT_EQ(frames[1].Change[0].Bitmap, 1);
    EXPECT_TRUE(page.GIFDimensions.isEmpty());
    EXPECT_TRUE(page.BackFramesCount.isEmpty());
}

TEST_F(OptionsPageTest, BackgroundColourComesFromThePalette)
{
    const TColor chosen = HalftonePalette()[30];
    dialogs.QueueColor(chosen);
    core.Doc.IsModify = false;
    page.BackColorButtonClick();
    EXPECT_EQ(core.Doc.Animation.BackColor, chosen);
    EXPECT_EQ(page.Options().BackShapeColor, chosen);
    EXPECT_TRUE(core.Doc.IsModify);
    ASSERT_EQ(dialogs.Asked().back().Kind, TScriptedDialogs::TKind::Color);
    EXPECT_EQ(dialogs.Asked().back().Color, clWhite);

    // Cancel, or the colour already set: nothing to save.
    core.Doc.IsModify = false;
    dialogs.QueueColor(std::nullopt);
    page.BackColorButtonClick();
    EXPECT_EQ(core.Doc.Animation.BackColor, chosen);
    dialogs.QueueColor(chosen);
    page.BackColorButtonClick();
    EXPECT_FALSE(core.Doc.IsModify);
}

TEST_F(OptionsPageTest, ToolGIFPreviewIsDrawnAtItsNewFrameSize)
{
    // A tool fills the background GIF with frames of a new size (400 x 100).
    TZGIFImage& back = core.Doc.Animation.BackGIF;
    back.Clear();
    TBitmap frame = Filled(400, 100, clRed);
    frame.Canvas().Brush.Color = clBlue;
    frame.Canvas().FillRect({300, 0, 400, 100});
    back.AddFrame(frame);
    page.LoadBackGIF(QString());
    ASSERT_GE(core.Doc.BackNum, 0);
    EXPECT_EQ(core.Doc.ImgWidth, 400);
    ASSERT_EQ(page.GIFPreview.Width(), 400);
    ASSERT_EQ(page.GIFPreview.Height(), 100);
    // Not squeezed into the old 200 x 200 frame's rectangle.
    EXPECT_EQ(page.GIFPreview.Pixel(350, 50), clBlue);
    EXPECT_EQ(page.GIFPreview.Pixel(150, 50), clRed);
}

TEST_F(OptionsPageTest, SaveFrameWritesByExtension)
{
    const TBitmap frame = Filled(30, 20, clBlue);
    struct Case { const char* name; TImageFileKind kind; };
    for (const Case c : {Case{"a.JPEG", TImageFileKind::Jpeg}, Case{"b.jpg", TImageFileKind::Jpeg},
                         Case{"c.Png", TImageFileKind::Png}, Case{"d.bmp", TImageFileKind::Bmp},
                         Case{"e.GIF", TImageFileKind::Gif}}) {
        const QString path = QDir(dir).filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(TOptionsPage::SaveFrame(frame, path)) << c.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.name;
        EXPECT_EQ(DetectImageKind(file.readAll()), c.kind) << c.name;
    }
    const QString tif = QDir(dir).filePath(QStringLiteral("f.tif"));
    EXPECT_FALSE(TOptionsPage::SaveFrame(frame, tif));
    EXPECT_FALSE(QFile::exists(tif));

    // Through the command: the current frame, and the message for a bad name.
    page.SaveFrameButtonClick(tif);
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Invalid file format!")});
    const QString png = QDir(dir).filePath(QStringLiteral("frame.png"));
    page.SaveFrameButtonClick(png);
    const TBitmap saved = LoadImageFile(png);
    EXPECT_EQ(saved.Width(), 200);
    EXPECT_EQ(saved.Pixel(5, 5), clWhite);
}

TEST_F(OptionsPageTest, CurrentFrameDurationIsClampedTo16Bits)
{
    page.CurrentFrameDelaySpinExit(1000000);
    EXPECT_EQ(core.Animation().Frames(0).AnimateInterval(), 65535);
    EXPECT_TRUE(core.Doc.IsFrOper);
    page.CurrentFrameDelaySpinExit(70);
    EXPECT_EQ(core.Animation().Frames(0).AnimateInterval(), 70);
}
