// The Save-AVI window over the real AVI-writer control: a blank file name,
// the compressor list of each pixel format, transparency over the background
// colour, the frame size rounded by the control, a cancel, the settings kept
// in the project, and a window without its control.
#include "ToolsFixture.h"
#include "editor/MainForm.h"
#include "editor/core/ZembraAviWriter.h"
#include "tests/support/AviProbe.h"
#include "tools/ToAVIForm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>

namespace {

class ToAVIFormTest : public ToolsFixture {
protected:
    // Frames of 250 x 190: the left half blue, the right half the transparent green.
    void MakeFrames(int count)
    {
        core.SetRedrawQuestion(false);
        core.Doc.ImgWidth = 250;
        core.Doc.ImgHeight = 190;
        core.Animation().Clear();
        for (int i = 0; i < count; ++i) {
            TBitmap b(250, 190, TPixelFormat::pf24bit);
            for (int y = 0; y < 190; ++y)
                for (int x = 0; x < 250; ++x)
                    b.SetPixel(x, y, x < 125 ? RGB(0, 0, 255) : RGB(0, 255, 0));
            const int n = core.Animation().AddFrame(b);
            core.Animation().Frames(n).SetTransparentColor(RGB(0, 255, 0));
        }
        core.Doc.Options.BackShapeColor = RGB(255, 0, 0);
    }

    TToAVIForm& Form()
    {
        if (!form) {
            form = std::make_unique<TToAVIForm>(nullptr);
            form->SetHost(Host());
        }
        return *form;
    }

    std::unique_ptr<TToAVIForm> form;
};

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

TEST_F(ToAVIFormTest, BlankFileNameAsksForOneAndWritesNothing)
{
    MakeFrames(2);
    const QString dir = TempDir();
    core.Doc.Options.AviFile = QStringLiteral("   ");
    ASSERT_TRUE(Form().PrepareShow()) << Form().ControlError().toStdString();
    EXPECT_EQ(Form().AVIFileEdit->text(), QStringLiteral("   "));
    Form().SaveButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Set AVI!")});
    EXPECT_EQ(progress.ProgressCalls(), 0);
    EXPECT_NE(Form().result(), QDialog::Accepted);
    EXPECT_TRUE(QDir(dir).entryList(QDir::Files).isEmpty());
}

TEST_F(ToAVIFormTest, EightBitsListsOnlyFullFramesAndFallsBackToTheFirstItem)
{
    core.Doc.Options.AviPixelFormat = 1; // "24"
    core.Doc.Options.AviCompressor = 1;  // MJPG
    ASSERT_TRUE(Form().PrepareShow());
    EXPECT_EQ(Items(Form().CompCombo), (QStringList{QStringLiteral("No"), QStringLiteral("MJPG")}));
    EXPECT_EQ(Form().CompCombo->currentIndex(), 1);
    EXPECT_EQ(Form().AviWriter()->PixelFormat(), pf24bit);
    core.Doc.IsModify = false;

    Form().PixelCombo->setCurrentIndex(0); // "8"
    Form().PixelComboChange();
    EXPECT_EQ(Items(Form().CompCombo), QStringList{QStringLiteral("No")});
    EXPECT_EQ(Form().CompCombo->currentIndex(), 0);
    EXPECT_EQ(Form().AviWriter()->PixelFormat(), pf8bit);
    EXPECT_EQ(core.Doc.Options.AviPixelFormat, 0);
    EXPECT_EQ(core.Doc.Options.AviCompressor, 0);
    EXPECT_TRUE(core.Doc.IsModify);

    // Opening again with nothing changed is no edit of the project.
    core.Doc.IsModify = false;
    ASSERT_TRUE(Form().PrepareShow());
    EXPECT_FALSE(core.Doc.IsModify);
}

TEST_F(ToAVIFormTest, TransparentPixelsShowTheBackgroundColourInFramesOfTheRoundedSize)
{
    MakeFrames(3);
    const QString file = QDir(TempDir()).filePath(QStringLiteral("clip.avi"));
    ASSERT_TRUE(Form().PrepareShow());
    Form().AVIFileEdit->setText(file);
    Form().TimeSpin->setValue(50);
    Form().SaveButtonClick();
    EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Form().result(), QDialog::Accepted);
    EXPECT_EQ(progress.Title(), QStringLiteral("Saving AVI"));

    const auto streams = Probe(file);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("width"), "240");
    EXPECT_EQ(streams[0].at("height"), "176");
    EXPECT_EQ(streams[0].at("nb_read_frames"), "3");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "20/1");
    const std::vector<uint8_t> px = DecodeVideo(file);
    ASSERT_EQ(px.size(), size_t(3 * 240 * 176 * 3));
    auto at = [&](int x, int y) {
        const size_t i = (size_t(y) * 240 + size_t(x)) * 3;
        return std::vector<uint8_t>(px.begin() + ptrdiff_t(i), px.begin() + ptrdiff_t(i) + 3); // B, G, R
    };
    EXPECT_EQ(at(10, 80), (std::vector<uint8_t>{255, 0, 0}));  // blue
    EXPECT_EQ(at(200, 80), (std::vector<uint8_t>{0, 0, 255})); // red where the frame is transparent
    EXPECT_FALSE(QFile::exists(QDir(TempDir()).filePath(QStringLiteral("AWTempclip.avi"))));
}

TEST_F(ToAVIFormTest, CancelLeavesNoFinishedFileAndClosesTheWindow)
{
    MakeFrames(30);
    const QString file = QDir(TempDir()).filePath(QStringLiteral("cancel.avi"));
    ASSERT_TRUE(Form().PrepareShow());
    Form().AVIFileEdit->setText(file);
    progress.CancelAt(10);
    Form().SaveButtonClick();
    EXPECT_EQ(progress.ProgressCalls(), 11);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(Form().result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.Messages().isEmpty());

    // The control is ready for the next export.
    progress.CancelAt(-1);
    Form().SaveButtonClick();
    EXPECT_EQ(Probe(file).at(0).at("nb_read_frames"), "30");
}

TEST_F(ToAVIFormTest, EditsGoIntoTheProjectAndComeBackWhenItOpens)
{
    ASSERT_TRUE(Form().PrepareShow());
    core.Doc.IsModify = false;
    Form().AVIFileEdit->setText(QStringLiteral("/video/a.avi"));
    EXPECT_TRUE(core.Doc.IsModify);
    Form().TimeSpin->setValue(120);
    Form().QualitySpin->setValue(7500);
    Form().PixelCombo->setCurrentIndex(2);
    Form().PixelComboChange();
    Form().CompCombo->setCurrentIndex(1);
    Form().CompComboChange();
    const TProjectOptions& o = core.Doc.Options;
    EXPECT_EQ(o.AviFile, QStringLiteral("/video/a.avi"));
    EXPECT_EQ(o.AviFrameTime, 120);
    EXPECT_EQ(o.AviQuality, 7500);
    EXPECT_EQ(o.AviPixelFormat, 2);
    EXPECT_EQ(o.AviCompressor, 1);

    // Another project's settings.
    core.Doc.Options = TProjectOptions::Defaults();
    ASSERT_TRUE(Form().PrepareShow());
    EXPECT_TRUE(Form().AVIFileEdit->text().isEmpty());
    EXPECT_EQ(Form().TimeSpin->value(), 50);
    EXPECT_EQ(Form().QualitySpin->value(), 10000);
    EXPECT_EQ(Form().PixelCombo->currentIndex(), 1);
    EXPECT_EQ(Form().CompCombo->currentIndex(), 0);
}

TEST(ToAVIFormWithoutControl, TheEditorWorksAndSaveAviShowsWhy)
{
    // Neither registered nor beside the test program.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(TempDir()));
    TScriptedDialogs dialogs;
    TMainForm form(dialogs, {}, TempDir());
    auto* aviForm = new TToAVIForm(&form);
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_EQ(aviForm->AviWriter(), nullptr);
    EXPECT_TRUE(aviForm->ControlError().startsWith(QStringLiteral("Class not registered")))
        << aviForm->ControlError().toStdString();

    TToolWindows tools;
    tools.ToAVIForm = aviForm;
    tools.ToAVI = aviForm;
    form.SetToolWindows(tools);
    aviForm->SetHost(TToolHost{&form.EditorCore(), &form.OptionsPage(), nullptr});
    form.show();
    form.findChild<QAction*>(QStringLiteral("SaveAVIAct"))->trigger();
    EXPECT_EQ(dialogs.Messages(), QStringList{aviForm->ControlError()});
    EXPECT_FALSE(aviForm->isVisible());
}

// A tool-window setting is a step of the history: typing a file name is one
// step, undo restores the setting, and undoing back to the saved state clears
// the modified mark.
TEST_F(ToAVIFormTest, SettingsAreUndoStepsAndTheCleanStateClearsTheMark)
{
    ASSERT_TRUE(Form().PrepareShow());
    ASSERT_FALSE(core.Doc.IsModify);
    const int steps = core.History().Stack().count();
    for (const char* typed : {"/v", "/vi", "/vid.avi"})
        Form().AVIFileEdit->setText(QString::fromLatin1(typed));
    Form().TimeSpin->setValue(120);
    ASSERT_EQ(core.History().Stack().count(), steps + 2);
    EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo AVI Frame Duration"));
    EXPECT_TRUE(core.Doc.IsModify);

    core.Undo();
    EXPECT_EQ(core.Doc.Options.AviFrameTime, 50);
    EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo AVI File"));
    core.Undo();
    EXPECT_TRUE(core.Doc.Options.AviFile.isEmpty());
    EXPECT_FALSE(core.Doc.IsModify); // back at the saved state
    core.Redo();
    EXPECT_EQ(core.Doc.Options.AviFile, QStringLiteral("/vid.avi"));
    EXPECT_TRUE(core.Doc.IsModify);

    // Choosing the item already chosen is no step and leaves the mark alone.
    core.Undo();
    Form().PixelCombo->setCurrentIndex(core.Doc.Options.AviPixelFormat);
    Form().PixelComboChange();
    EXPECT_FALSE(core.Doc.IsModify);
    Form().PixelCombo->setCurrentIndex(2);
    Form().PixelComboChange();
    EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo Pixel Format"));
    core.Undo();
    EXPECT_EQ(core.Doc.Options.AviPixelFormat, 1);
    EXPECT_FALSE(core.Doc.IsModify);
}
