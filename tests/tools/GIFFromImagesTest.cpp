// GIF from images: frames of the first picture's size with the pictures at the
// top-left, durations, cancelling and unreadable pictures with an earlier
// background GIF, the numbered-folder order, and the wizard's steps.
#include "ToolsFixture.h"
#include "tools/GIFFromImages.h"
#include "tools/GIFFromImagesForm.h"
#include "tools/NumberedImages.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QSpinBox>

namespace {

bool Near(TColor a, TColor b, int tolerance = 12)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

class GIFFromImagesTest : public ToolsFixture {};

TEST_F(GIFFromImagesTest, FramesTakeTheFirstPicturesSize)
{
    const QString dir = TempDir();
    const TColor back = core.Doc.Animation.BackColor;
    const QStringList files{WritePicture(dir, QStringLiteral("one.png"), 40, 20, RGB(255, 0, 0)),
                            WritePicture(dir, QStringLiteral("two.bmp"), 10, 30, RGB(0, 255, 0)),
                            WritePicture(dir, QStringLiteral("three.jpg"), 80, 20, RGB(0, 0, 255))};
    TGIFFromImages builder(core, page);
    builder.CreateGIF(files, 120);

    const TZGIFImage& gif = core.Doc.Animation.BackGIF;
    ASSERT_EQ(gif.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(gif.Frames(i).Width(), 40);
        EXPECT_EQ(gif.Frames(i).Height(), 20);
        EXPECT_EQ(gif.Frames(i).AnimateInterval(), 120);
    }
    // The tall picture is fitted to the height (7 x 20) at the left.
    const TBitmap& second = gif.Frames(1).Bitmap();
    EXPECT_EQ(second.Pixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(second.Pixel(6, 19), RGB(0, 255, 0));
    EXPECT_EQ(second.Pixel(8, 10), back);
    EXPECT_EQ(second.Pixel(39, 0), back);
    // The wide one is fitted to the width (40 x 10) at the top.
    const TBitmap& third = gif.Frames(2).Bitmap();
    EXPECT_TRUE(Near(third.Pixel(20, 5), RGB(0, 0, 255)));
    EXPECT_EQ(third.Pixel(20, 15), back);

    // The background GIF became the project's frames.
    EXPECT_GE(core.Doc.BackNum, 0);
    EXPECT_EQ(core.Doc.ImgWidth, 40);
    EXPECT_EQ(core.Doc.ImgHeight, 20);
    EXPECT_EQ(progress.Title(), QStringLiteral("Loading New Frames"));
    EXPECT_TRUE(core.Doc.RedrawEnabled);
    EXPECT_FALSE(progress.IsShowApply());
    EXPECT_FALSE(progress.IsApply());
}

TEST_F(GIFFromImagesTest, LongDurationsAreHeldAtTheLongest)
{
    const QString dir = TempDir();
    TGIFFromImages builder(core, page);
    builder.CreateGIF({WritePicture(dir, QStringLiteral("a.png"), 4, 4, clBlack)}, 1000000);
    ASSERT_EQ(core.Doc.Animation.BackGIF.Count(), 1);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Frames(0).AnimateInterval(), 65535);
}

TEST_F(GIFFromImagesTest, CancelPutsTheEarlierBackgroundBack)
{
    SetBackGIF(2, 30, 30);
    const QString dir = TempDir();
    const QStringList files{WritePicture(dir, QStringLiteral("a.png"), 8, 8, clBlack),
                            WritePicture(dir, QStringLiteral("b.png"), 8, 8, clBlack)};
    progress.CancelAt(0);
    TGIFFromImages(core, page).CreateGIF(files, 50);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 2);
    EXPECT_EQ(core.Doc.Animation.BackGIF.ScreenWidth(), 30);
    EXPECT_GE(core.Doc.BackNum, 0);
    EXPECT_EQ(core.Doc.ImgWidth, 30);
    EXPECT_EQ(progress.Title(), QStringLiteral("Loading Old Frames"));

    // Without an earlier background a cancel leaves none.
    core.NewProject();
    page.DeleteBack();
    progress.CancelAt(0);
    TGIFFromImages(core, page).CreateGIF(files, 50);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 0);
    EXPECT_EQ(core.Doc.BackNum, -1);
}

TEST_F(GIFFromImagesTest, UnreadablePictureKeepsTheEarlierBackground)
{
    SetBackGIF(2, 30, 30);
    const QString dir = TempDir();
    const QString bad = QDir(dir).filePath(QStringLiteral("bad.png"));
    Touch(bad);
    const QStringList files{WritePicture(dir, QStringLiteral("a.png"), 8, 8, clBlack), bad};
    EXPECT_THROW(TGIFFromImages(core, page).CreateGIF(files, 50), EImageFileError);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 2);
    EXPECT_GE(core.Doc.BackNum, 0);
    EXPECT_FALSE(progress.IsShowApply());
    EXPECT_FALSE(progress.IsApply());
}

TEST(NumberedImagesTest, FolderOrderFollowsTheNumbers)
{
    EXPECT_EQ(NameNumber(QStringLiteral("a10.png")), 10);
    EXPECT_EQ(NameNumber(QStringLiteral("x1y2.j3pg")), 123);
    EXPECT_EQ(NameNumber(QStringLiteral("007.bmp")), 7);
    EXPECT_EQ(NameNumber(QStringLiteral("b.png")), std::nullopt);
    EXPECT_EQ(NameNumber(QStringLiteral("a99999999999.png")), std::nullopt);

    const QString dir = TempDir();
    for (const char* name : {"a10.png", "a9.png", "b.png", "c5.txt", "007.bmp", "a99999999999.png", "z2.JPEG"})
        Touch(QDir(dir).filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(QDir(dir).mkdir(QStringLiteral("d1.png"))); // a folder is no picture

    THeadlessProgress progress;
    const TGIFFromImagesMessages msg;
    const auto names = LoadNumberedImages(dir, progress, msg);
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, QStringList({QStringLiteral("z2.JPEG"), QStringLiteral("007.bmp"), QStringLiteral("a9.png"),
                                   QStringLiteral("a10.png")}));

    // Cancelled while the folder is read.
    THeadlessProgress cancelled;
    cancelled.CancelAt(100);
    EXPECT_FALSE(LoadNumberedImages(dir, cancelled, msg));
}

TEST_F(GIFFromImagesTest, WizardStepsAndFolderOfNumberedImages)
{
    TGIFFromImagesForm form(nullptr);
    form.SetHost(Host());
    form.Init();
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("GIF From Images - Step #1"));
    EXPECT_FALSE(form.PreviousButton->isEnabled());

    // Individual images: Next with an empty list asks for images and stays.
    form.NextButtonClick();
    EXPECT_EQ(form.PageControl->currentWidget(), form.ImagesSheet);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("GIF From Images - Step #2"));
    form.NextButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Add images!")});
    EXPECT_TRUE(form.isVisible());

    const QString dir = TempDir();
    form.AddButtonClick(QStringList{WritePicture(dir, QStringLiteral("p.png"), 6, 6, clBlack),
                                    QDir(dir).filePath(QStringLiteral("q.gif"))});
    EXPECT_EQ(dialogs.Messages().last(), QStringLiteral("Only JPG, JPEG, PNG and BMP are added!"));
    EXPECT_EQ(form.ImagesList->count(), 1);
    form.DeleteButtonClick();
    EXPECT_EQ(dialogs.Messages().last(), QStringLiteral("Choose images!"));
    form.ImagesList->item(0)->setSelected(true);
    EXPECT_TRUE(form.DeleteButton->isEnabled());
    form.DeleteButtonClick();
    EXPECT_EQ(form.ImagesList->count(), 0);
    EXPECT_FALSE(form.ClearButton->isEnabled());

    // Back to step 1, the folder source; the choice is a project setting.
    form.PreviousButtonClick();
    form.FolderRadio->click();
    EXPECT_EQ(core.Doc.Options.ImagesSource, 1);
    EXPECT_TRUE(core.Doc.IsModify);
    form.Spin->setValue(70);
    emit form.Spin->editingFinished();
    EXPECT_EQ(core.Doc.Options.ImagesDelay, 70);
    form.NextButtonClick();
    EXPECT_EQ(form.PageControl->currentWidget(), form.FolderSheet);

    const QString numbered = TempDir();
    WritePicture(numbered, QStringLiteral("f10.png"), 20, 10, RGB(0, 0, 255));
    WritePicture(numbered, QStringLiteral("f9.png"), 20, 10, RGB(255, 0, 0));
    form.FolderEdit->setText(numbered);
    EXPECT_EQ(core.Doc.Options.ImagesFolder, numbered);
    form.LoadFolder();
    ASSERT_EQ(form.Files().size(), 2);
    EXPECT_TRUE(form.Files().first().endsWith(QStringLiteral("f9.png")));

    form.NextButtonClick();
    EXPECT_FALSE(form.isVisible());
    const TZGIFImage& gif = core.Doc.Animation.BackGIF;
    ASSERT_EQ(gif.Count(), 2);
    EXPECT_EQ(gif.Frames(0).Bitmap().Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(gif.Frames(1).Bitmap().Pixel(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(gif.Frames(0).AnimateInterval(), 70);
    EXPECT_TRUE(form.Files().isEmpty());

    // A folder box naming something that cannot be a folder.
    form.FolderEdit->setText(QDir(numbered).filePath(QStringLiteral("f9.png")));
    form.LoadFolder();
    EXPECT_EQ(dialogs.Messages().last(), QStringLiteral("Set a folder!"));
}
