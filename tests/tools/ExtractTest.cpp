// Frame extraction: names and formats of the files, all or the selected
// frames, the folder check, cancelling, and the window's controls.
#include "ToolsFixture.h"
#include "tools/ExtractForm.h"
#include "tools/FrameExtraction.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

class ExtractTest : public ToolsFixture {
protected:
    void SetUp() override
    {
        ToolsFixture::SetUp();
        TZGIFImage& animation = core.Animation();
        animation.Clear();
        for (const TColor color : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)})
            animation.AddFrame(Solid(12, 8, color));
    }

    QStringList Written(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    TExtractMessages msg;
};

TEST_F(ExtractTest, AllFramesInEveryFormat)
{
    struct Case {
        TExtractFormat Format;
        const char* Ext;
    };
    for (const Case c : {Case{TExtractFormat::Jpg, "jpg"}, Case{TExtractFormat::Png, "png"},
                         Case{TExtractFormat::Gif, "gif"}, Case{TExtractFormat::Bmp, "bmp"}}) {
        SCOPED_TRACE(c.Ext);
        const QString folder = TempDir() + QStringLiteral("/out/deeper"); // parents are made
        ASSERT_TRUE(ExtractFrames(core, {folder, c.Format, 90, false}, msg));
        const QString ext = QString::fromLatin1(c.Ext);
        EXPECT_EQ(Written(folder), QStringList({QStringLiteral("Image1.") + ext, QStringLiteral("Image2.") + ext,
                                                QStringLiteral("Image3.") + ext, QStringLiteral("Image4.") + ext}));
        const QString third = QDir(folder).filePath(QStringLiteral("Image3.") + ext);
        if (c.Format == TExtractFormat::Gif) {
            TZGIFImage gif;
            gif.LoadFromFile(third);
            ASSERT_EQ(gif.Count(), 1);
            EXPECT_EQ(gif.Frames(0).Bitmap().Pixel(2, 2), RGB(0, 0, 255));
        } else {
            const TBitmap picture = LoadImageFile(third);
            EXPECT_EQ(picture.Width(), 12);
            EXPECT_EQ(picture.Height(), 8);
            const TColor p = picture.Pixel(2, 2);
            EXPECT_LT(p & 0xFFFF, 0x1010u); // blue, also after JPEG
            EXPECT_GT(p >> 16, 0xE0u);
        }
    }
    EXPECT_FALSE(progress.IsApply());
    EXPECT_EQ(progress.Title(), QStringLiteral("Frame Extraction"));
}

TEST_F(ExtractTest, SelectedFramesOnly)
{
    const QString folder = TempDir();
    core.Doc.BMPSel = {2};
    ASSERT_TRUE(ExtractFrames(core, {folder, TExtractFormat::Png, 77, true}, msg));
    EXPECT_EQ(Written(folder), QStringList{QStringLiteral("Image3.png")});

    // Entries naming no frame are passed over.
    const QString other = TempDir();
    core.Doc.BMPSel = {9, 3, -1, 0};
    ASSERT_TRUE(ExtractFrames(core, {other, TExtractFormat::Bmp, 77, true}, msg));
    EXPECT_EQ(Written(other), QStringList({QStringLiteral("Image1.bmp"), QStringLiteral("Image4.bmp")}));

    // No selection: nothing is written, and that is no failure.
    const QString none = TempDir();
    core.Doc.BMPSel.clear();
    EXPECT_TRUE(ExtractFrames(core, {none, TExtractFormat::Png, 77, true}, msg));
    EXPECT_TRUE(Written(none).isEmpty());
}

TEST_F(ExtractTest, UnusableFolderAndCancel)
{
    const QString root = TempDir();
    QFile file(root + QStringLiteral("/taken"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(ExtractFrames(core, {root + QStringLiteral("/taken"), TExtractFormat::Png, 77, false}, msg));
    EXPECT_FALSE(ExtractFrames(core, {QString(), TExtractFormat::Png, 77, false}, msg));
    EXPECT_EQ(Written(root), QStringList{QStringLiteral("taken")});

    // A cancel after the second file keeps the files written.
    const QString folder = TempDir();
    progress.CancelAt(1);
    ASSERT_TRUE(ExtractFrames(core, {folder, TExtractFormat::Png, 77, false}, msg));
    EXPECT_EQ(Written(folder), QStringList({QStringLiteral("Image1.png"), QStringLiteral("Image2.png")}));
}

TEST_F(ExtractTest, WindowControls)
{
    TExtractForm form(nullptr);
    form.SetHost(Host());
    core.Doc.Options.ExtractFolder = TempDir();
    core.Doc.Options.ExtractQuality = 40;
    core.Doc.IsModify = false;
    form.PrepareShow();
    EXPECT_EQ(form.QualityLabel->text(), QStringLiteral("Quality: 40%"));
    EXPECT_EQ(form.FolderEdit->text(), core.Doc.Options.ExtractFolder);
    EXPECT_FALSE(core.Doc.IsModify); // filling the controls is no edit

    // Quality serves JPG only.
    form.FormatCombo->setCurrentIndex(1);
    EXPECT_FALSE(form.QualityTrack->isEnabled());
    EXPECT_FALSE(form.QualityLabel->isEnabled());
    EXPECT_TRUE(core.Doc.IsModify);
    form.FormatCombo->setCurrentIndex(0);
    EXPECT_TRUE(form.QualityTrack->isEnabled());
    form.QualityTrack->setValue(65);
    EXPECT_EQ(core.Doc.Options.ExtractQuality, 65);
    EXPECT_EQ(form.QualityLabel->text(), QStringLiteral("Quality: 65%"));

    // An unusable folder keeps the window open with a message.
    QFile file(core.Doc.Options.ExtractFolder + QStringLiteral("/taken"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    form.show();
    form.FolderEdit->setText(file.fileName());
    EXPECT_EQ(core.Doc.Options.ExtractFolder, file.fileName());
    form.ExtractButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Set a folder!")});
    EXPECT_TRUE(form.isVisible());

    const QString folder = TempDir();
    form.FolderEdit->setText(folder);
    form.FormatCombo->setCurrentIndex(2);
    form.ExtractButtonClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Written(folder).size(), 4);
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Image4.gif"))));
}
