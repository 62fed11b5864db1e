// The main window's project commands and "Options" page: what the user clicks
// reaches the project, the controls show the project, and a project saved in
// one session comes back in the next.
#include "tests/editor/MainFormFixture.h"
#include "editor/core/EditorCore.h"
#include "gif/ZGIFImage.h"
#include "platform/Canvas.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

class MainFormProjectTest : public MainFormFixture {
protected:
    void Trigger(const QString& action) { Find<QAction>(action)->trigger(); }
    void Click(const QString& button) { Find<QAbstractButton>(button)->click(); }
    // Types a value into a box and leaves it.
    void Enter(const QString& spin, int value)
    {
        auto* box = Find<QSpinBox>(spin);
        box->setValue(value);
        emit box->editingFinished();
    }
    QString Label(const QString& name) { return Find<QLabel>(name)->text(); }
    QString Path(const QString& name) const { return folder + QLatin1Char('/') + name; }

    // A GIF of `frames` frames of the given size, each a different colour.
    QString MakeGIF(const QString& name, int width, int height, int frames)
    {
        TZGIFImage gif;
        for (int i = 0; i < frames; ++i) {
            TBitmap bitmap(width, height);
            bitmap.Canvas().Brush.Color = RGB(uint8_t(40 * i), 90, 200);
            bitmap.Canvas().FillRect(TRect(0, 0, width, height));
            gif.Frames(gif.AddFrame(bitmap)).SetAnimateInterval(70);
        }
        gif.SaveToFile(Path(name));
        return Path(name);
    }

    QString folder = TempDir();
};

} // namespace

TEST_F(MainFormProjectTest, ASavedProjectComesBackInTheNextSessionWithItsOptions)
{
    CreateAndShow();
    Click(QStringLiteral("InfinityCheck")); // off: "time(s)" can be set
    EXPECT_TRUE(Find<QSpinBox>(QStringLiteral("TimesSpin"))->isEnabled());
    Enter(QStringLiteral("TimesSpin"), 4);
    Enter(QStringLiteral("FrameDelaySpin"), 120);
    Enter(QStringLiteral("BackWidthSpin"), 300); // the aspect ratio keeps the height at 300
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("BackHeightSpin"))->value(), 300);
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(Find<QAction>(QStringLiteral("SaveAct"))->isEnabled());

    const QString file = Path(QStringLiteral("session.zembra"));
    dialogs.QueueFile(file);
    dialogs.QueueYesNo(false); // the frames are not redrawn first
    Trigger(QStringLiteral("SaveAsProjectAct"));
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Redraw frames to change animation?")});
    dialogs.ClearAsked();
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(QDir(Path(QStringLiteral("sessionFiles"))).exists());
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(Find<QAction>(QStringLiteral("SaveAct"))->isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zembra - [session.zembra] 1 frame(s) X:0 Y:0"));
    EXPECT_TRUE(form->close()); // saved: no question
    EXPECT_TRUE(dialogs.Questions().isEmpty());

    CreateAndShow();
    EXPECT_EQ(form->ProjectFile(), QFileInfo(file).absoluteFilePath());
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(Find<QCheckBox>(QStringLiteral("InfinityCheck"))->isChecked());
    EXPECT_TRUE(Find<QSpinBox>(QStringLiteral("TimesSpin"))->isEnabled());
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("TimesSpin"))->value(), 4);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("FrameDelaySpin"))->value(), 120);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("BackWidthSpin"))->value(), 300);
    EXPECT_EQ(form->EditorCore().ImgWidth(), 300);
    EXPECT_EQ(form->EditorCore().Animation().RepeatCount(), 4);
    EXPECT_TRUE(dialogs.Messages().isEmpty());

    // Ctrl+S on a project with a name writes it there without asking for a file.
    Enter(QStringLiteral("TimesSpin"), 5);
    dialogs.ClearAsked();
    Trigger(QStringLiteral("SaveAct"));
    for (const auto& asked : dialogs.Asked())
        EXPECT_NE(asked.Kind, TScriptedDialogs::TKind::SaveFile);
    EXPECT_FALSE(form->Modified());

    // A project named on the command line wins over the last one.
    const QString other = Path(QStringLiteral("other.zembra"));
    Trigger(QStringLiteral("NewProjectAct"));
    Enter(QStringLiteral("BackWidthSpin"), 150);
    dialogs.QueueFile(other);
    Trigger(QStringLiteral("SaveAsProjectAct"));
    form->close();
    CreateAndShow({file});
    EXPECT_EQ(form->ProjectFile(), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("TimesSpin"))->value(), 5);
}

TEST_F(MainFormProjectTest, ABackgroundGIFBecomesTheFramesAndCanBeDeleted)
{
    CreateAndShow();
    const QString gif = MakeGIF(QStringLiteral("back.gif"), 120, 80, 3);
    dialogs.QueueFile(gif);
    dialogs.QueueYesNo(true); // "Redraw frames to change animation?"
    Trigger(QStringLiteral("OpenGIFAct"));
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Redraw frames to change animation?")});
    EXPECT_EQ(Label(QStringLiteral("GIFDimensionsLabel")), QStringLiteral("120 x 80"));
    EXPECT_EQ(Label(QStringLiteral("BackFramesCountLabel")), QStringLiteral("3 frame(s)"));
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("BackWidthSpin"))->value(), 120);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("BackHeightSpin"))->value(), 80);
    EXPECT_EQ(form->EditorCore().FrameCount(), 3);
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("3 frame(s)")));
    EXPECT_TRUE(form->Modified());

    // "Save GIF" writes the three frames.
    const QString out = Path(QStringLiteral("out.gif"));
    dialogs.QueueFile(out);
    Trigger(QStringLiteral("SaveGIFAct"));
    TZGIFImage written;
    written.LoadFromFile(out);
    EXPECT_EQ(written.Count(), 3);
    EXPECT_EQ(written.ScreenWidth(), 120);

    Click(QStringLiteral("GIFDeleteButton"));
    EXPECT_TRUE(Label(QStringLiteral("GIFDimensionsLabel")).isEmpty());
    EXPECT_TRUE(Label(QStringLiteral("BackFramesCountLabel")).isEmpty());
    EXPECT_EQ(form->EditorCore().Doc.BackNum, -1);
}

TEST_F(MainFormProjectTest, FilesThatCannotBeUsedAreReportedAndNothingIsLost)
{
    CreateAndShow();
    Enter(QStringLiteral("BackWidthSpin"), 240);

    // A picture that does not decode: the decoder's message, the frame unchanged.
    const QString bad = Path(QStringLiteral("bad.png"));
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
    }
    dialogs.QueueFile(bad);
    Click(QStringLiteral("PictureOpenButton"));
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_FALSE(dialogs.Messages().front().isEmpty());
    EXPECT_TRUE(Label(QStringLiteral("PictureDimensionsLabel")).isEmpty());
    EXPECT_EQ(form->EditorCore().ImgWidth(), 240);

    dialogs.ClearAsked();
    dialogs.QueueFile(Path(QStringLiteral("picture.tif")));
    Click(QStringLiteral("PictureOpenButton"));
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Invalid file format!")});

    // Saving into a folder that does not exist fails and says so; the work stays.
    dialogs.ClearAsked();
    dialogs.QueueFile(Path(QStringLiteral("missing/p.zembra")));
    Trigger(QStringLiteral("SaveAsProjectAct"));
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("The project is not saved!")});
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->ProjectFile().isEmpty());

    // A damaged project: the message names it, and the open project stays as it was.
    const QString damaged = Path(QStringLiteral("damaged.zembra"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(40, '\x7f'));
    }
    dialogs.ClearAsked();
    dialogs.QueueYesNo(false); // do not save the changes
    dialogs.QueueFile(damaged);
    Trigger(QStringLiteral("OpenProjectAct"));
    EXPECT_EQ(dialogs.Messages(),
              QStringList{QStringLiteral("The project does not open!\n") + QDir::toNativeSeparators(damaged)});
    EXPECT_TRUE(form->ProjectFile().isEmpty());
    EXPECT_EQ(form->EditorCore().FrameCount(), 1);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("BackWidthSpin"))->value(), 240);
    EXPECT_EQ(form->EditorCore().ImgWidth(), 240);
    EXPECT_TRUE(form->Modified());
}
