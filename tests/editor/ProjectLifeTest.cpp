// The project life cycle: the save question, failed and cancelled saves that
// keep the work, the caption, and reopening the last project at start-up.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "gif/ZGIFImage.h"
#include "platform/Canvas.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

class ProjectLifeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core.SetRedrawQuestion(false);
        life.NewProject();
    }
    QString Path(const QString& name) const { return QDir(dir).filePath(name); }

    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
    TProjectLife life{core, page};
    QString dir = TempDir();
};

} // namespace

TEST_F(ProjectLifeTest, SavePromptAsksOnlyWhenModified)
{
    EXPECT_TRUE(life.CloseQuery());
    EXPECT_TRUE(dialogs.Questions().isEmpty());

    // "No": closes without saving.
    core.Doc.SetModify(true);
    dialogs.QueueYesNo(false);
    EXPECT_TRUE(life.CloseQuery());
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Save changes to the project?")});
    EXPECT_TRUE(dialogs.Asked().size() == 1);

    // "Yes" on a project with a file: saved, then closes.
    const QString file = Path(QStringLiteral("demo.zembra"));
    ASSERT_TRUE(life.SaveAsProjectButtonClick(file));
    core.Doc.SetModify(true);
    dialogs.QueueYesNo(true);
    EXPECT_TRUE(life.CloseQuery());
    EXPECT_FALSE(core.Doc.IsModify);
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(ProjectLifeTest, YesWithoutASaveKeepsTheWindowAndTheWork)
{
    // "Save Project As" cancelled.
    core.Doc.SetModify(true);
    dialogs.QueueYesNo(true);
    dialogs.QueueFile(std::nullopt);
    EXPECT_FALSE(life.CloseQuery());
    EXPECT_TRUE(core.Doc.IsModify);

    // New and Open do not throw the work away either.
    dialogs.QueueYesNo(true);
    dialogs.QueueFile(std::nullopt);
    core.Doc.ImgWidth = 321;
    life.NewProjectButtonClick();
    EXPECT_EQ(core.Doc.ImgWidth, 321);

    // A write that fails: "The project is not saved!", still modified.
    core.Doc.ProjFile = Path(QStringLiteral("missing/folder/demo.zembra"));
    dialogs.ClearAsked();
    dialogs.QueueYesNo(true);
    EXPECT_FALSE(life.CloseQuery());
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("The project is not saved!")});
    EXPECT_TRUE(core.Doc.IsModify);
}

TEST_F(ProjectLifeTest, CaptionNamesTheFileAndFrameCount)
{
    EXPECT_EQ(life.Caption(), QStringLiteral("Zembra 1 frame(s) X:0 Y:0"));
    ASSERT_TRUE(life.SaveAsProjectButtonClick(Path(QStringLiteral("demo.zembra"))));
    EXPECT_EQ(life.Caption(), QStringLiteral("Zembra - [demo.zembra] 1 frame(s) X:0 Y:0"));
    life.NewProjectButtonClick();
    EXPECT_EQ(life.Caption(), QStringLiteral("Zembra 1 frame(s) X:0 Y:0"));
}

TEST_F(ProjectLifeTest, ReopensTheLastProjectWithItsOptions)
{
    page.BackWidthSpinExit(300);
    page.InfinityCheckClick(false);
    page.TimesSpinExit(3);
    page.FrameDelaySpinExit(120);
    page.ProportionalCheckClick(false);
    dialogs.QueueColor(HalftonePalette()[9]);
    page.BackColorButtonClick();
    const QString file = Path(QStringLiteral("my.anim.zembra"));
    ASSERT_TRUE(life.SaveAsProjectButtonClick(file));
    EXPECT_TRUE(QDir(Path(QStringLiteral("myFiles"))).exists());

    TScriptedDialogs dialogs2;
    THeadlessProgress progress2;
    TEditorCore core2{dialogs2, progress2};
    TOptionsPage page2{core2};
    TProjectLife life2{core2, page2};
    ASSERT_TRUE(life2.OpenAtStart({}, file));
    EXPECT_EQ(QFileInfo(life2.ProjFile()).fileName(), QStringLiteral("my.anim.zembra"));
    EXPECT_FALSE(core2.Doc.IsModify);
    EXPECT_EQ(core2.Doc.ImgWidth, 300);
    EXPECT_EQ(page2.BackWidth, 300);
    EXPECT_EQ(page2.BackHeight, core.Doc.ImgHeight);
    EXPECT_FALSE(core2.Doc.Options.InfiniteLoop);
    EXPECT_EQ(core2.Doc.Options.RepeatCount, 3);
    EXPECT_EQ(page2.Options().FrameDelay, 120);
    EXPECT_FALSE(page2.Options().MaintainAspectRatio);
    EXPECT_EQ(core2.Doc.Animation.BackColor, HalftonePalette()[9]);
    EXPECT_EQ(page2.Options().BackShapeColor, HalftonePalette()[9]);
    EXPECT_TRUE(dialogs2.Messages().isEmpty());

    // A last project that no longer exists: a new project, no message.
    ASSERT_FALSE(life2.OpenAtStart({}, Path(QStringLiteral("gone.zembra"))));
    EXPECT_TRUE(life2.ProjFile().isEmpty());
    EXPECT_EQ(core2.Animation().Count(), 1);
    EXPECT_TRUE(dialogs2.Messages().isEmpty());

    // A damaged project from "Open Project": the message names it; the open
    // project stays as it was.
    const QString bad = Path(QStringLiteral("bad.zembra"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x06\x00\x00\x00Z", 5);
    f.close();
    QDir().mkpath(Path(QStringLiteral("badFiles")));
    life2.OpenProjectButtonClick(bad);
    EXPECT_EQ(dialogs2.Messages(),
              QStringList{QStringLiteral("The project does not open!\n") + QDir::toNativeSeparators(bad)});
    EXPECT_TRUE(life2.ProjFile().isEmpty());
    EXPECT_EQ(core2.Animation().Count(), 1);
}

TEST_F(ProjectLifeTest, AProjectThatDoesNotOpenLeavesTheOpenOneAsItWas)
{
    const QString good = Path(QStringLiteral("good.zembra"));
    page.BackWidthSpinExit(260);
    ASSERT_TRUE(life.SaveAsProjectButtonClick(good));
    page.BackHeightSpinExit(90); // an edit not saved yet
    ASSERT_TRUE(core.Doc.IsModify);
    const TSize size{core.Doc.ImgWidth, core.Doc.ImgHeight};
    ASSERT_EQ(size.cy, 90);

    const QString empty = Path(QStringLiteral("empty.zembra"));
    QFile(empty).open(QIODevice::WriteOnly);
    dialogs.QueueYesNo(false); // do not save the changes first
    life.OpenProjectButtonClick(empty);
    EXPECT_EQ(dialogs.Messages(),
              QStringList{QStringLiteral("The project does not open!\n") + QDir::toNativeSeparators(empty)});
    EXPECT_EQ(QFileInfo(life.ProjFile()).fileName(), QStringLiteral("good.zembra"));
    EXPECT_TRUE(core.Doc.IsModify);
    EXPECT_EQ(core.Doc.ImgWidth, size.cx);
    EXPECT_EQ(core.Doc.ImgHeight, size.cy);
    EXPECT_EQ(core.Animation().Count(), 1);
}

TEST_F(ProjectLifeTest, TheRedrawQuestionComesOncePerSave)
{
    // A never-saved project with a pending redraw: "Save" goes on to "Save As".
    core.SetRedrawQuestion(true);
    core.Doc.RedrawEnabled = true;
    core.Doc.SetModify(true);
    dialogs.QueueYesNo(false); // no redraw
    dialogs.QueueFile(std::nullopt);
    EXPECT_FALSE(life.SaveActExecute());
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Redraw frames to change animation?")});

    // The same on close: the save question, then one redraw question.
    dialogs.ClearAsked();
    core.Doc.SetModify(true);
    dialogs.QueueYesNo(true);  // save changes
    dialogs.QueueYesNo(false); // no redraw
    dialogs.QueueFile(Path(QStringLiteral("closed.zembra")));
    EXPECT_TRUE(life.CloseQuery());
    EXPECT_EQ(dialogs.Questions(), (QStringList{QStringLiteral("Save changes to the project?"),
                                                QStringLiteral("Redraw frames to change animation?")}));
}

TEST_F(ProjectLifeTest, ACommandLineProjectThatDoesNotOpenGivesANewProject)
{
    const QString last = Path(QStringLiteral("last.zembra"));
    page.BackWidthSpinExit(280);
    ASSERT_TRUE(life.SaveAsProjectButtonClick(last));
    const QString broken = Path(QStringLiteral("broken.zembra"));
    QFile(broken).open(QIODevice::WriteOnly);

    TScriptedDialogs dialogs2;
    THeadlessProgress progress2;
    TEditorCore core2{dialogs2, progress2};
    TOptionsPage page2{core2};
    TProjectLife life2{core2, page2};
    EXPECT_FALSE(life2.OpenAtStart(broken, last));
    EXPECT_TRUE(life2.ProjFile().isEmpty());
    EXPECT_EQ(core2.Doc.ImgWidth, 200);
    EXPECT_EQ(core2.Animation().Count(), 1);
    EXPECT_TRUE(dialogs2.Messages().isEmpty());
}

TEST_F(ProjectLifeTest, AReopenedBackgroundGIFLooksAsItDidWhenSaved)
{
    TZGIFImage gif;
    for (const TColor color : {clRed, clBlue}) {
        TBitmap bitmap(320, 240);
        bitmap.Canvas().Brush.Color = color;
        bitmap.Canvas().FillRect(TRect(0, 0, 320, 240));
        gif.AddFrame(bitmap);
    }
    const QString gifFile = Path(QStringLiteral("back.gif"));
    gif.SaveToFile(gifFile);
    page.GIFOpenButtonClick(gifFile);
    ASSERT_EQ(page.GIFDimensions, QStringLiteral("320 x 240"));
    const TBitmap saved = page.GIFPreview;
    ASSERT_EQ(saved.Pixel(319, 239), clRed);
    const QString file = Path(QStringLiteral("back.zembra"));
    ASSERT_TRUE(life.SaveAsProjectButtonClick(file));

    TScriptedDialogs dialogs2;
    THeadlessProgress progress2;
    TEditorCore core2{dialogs2, progress2};
    TOptionsPage page2{core2};
    TProjectLife life2{core2, page2};
    ASSERT_TRUE(life2.OpenAtStart(file, {}));
    EXPECT_EQ(page2.GIFDimensions, QStringLiteral("320 x 240"));
    EXPECT_EQ(page2.BackFramesCount, QStringLiteral("2 frame(s)"));
    ASSERT_EQ(page2.GIFPreview.Width(), saved.Width());
    ASSERT_EQ(page2.GIFPreview.Height(), saved.Height());
    // The whole frame, not shrunk into the 200 x 200 frame of a new project.
    EXPECT_EQ(page2.GIFPreview.Pixel(319, 239), clRed);
    EXPECT_EQ(core2.FramePanelBMP().Width(), 320);
}

TEST_F(ProjectLifeTest, TheEditorsViewIsSavedWithTheProjectAndComesBack)
{
    // A strip that shows a few of twelve frames, scrolled; a grid row; "Play" from frame 7.
    core.SetStripSize(200, 60);
    for (int i = 0; i < 11; ++i)
        core.AddFrameButtonClick();
    core.FramesScrollBarChange(5);
    core.SetQRow(3);
    core.SetFrameIndex(7);
    core.Play();
    core.Stop();
    const TEditorView saved = core.StoredView();
    ASSERT_GT(saved.ImgH, 0);
    ASSERT_GT(saved.FrCount, 0);
    ASSERT_EQ(saved.OldPos, 5);
    ASSERT_EQ(saved.OldIndex, 7);

    const QString file = Path(QStringLiteral("view.zembra"));
    ASSERT_TRUE(life.WriteProject(file));
    // After the signature and the version: SelCen, IsDel ... then FrCount, ImgH, OldPos ... QRow ... OldIndex.
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const auto intAt = [&](int offset) { return qFromLittleEndian<int32_t>(bytes.constData() + offset); };
    constexpr int kFlags = 4 + 2 * 6 + 4;
    constexpr int kInts = kFlags + 9;
    ASSERT_GT(bytes.size(), kInts + 11 * 4);
    EXPECT_EQ(bytes[kFlags + 1], char(1)); // IsDel
    EXPECT_EQ(intAt(kInts), saved.FrCount);
    EXPECT_EQ(intAt(kInts + 4), saved.ImgH);
    EXPECT_EQ(intAt(kInts + 8), 5);
    EXPECT_EQ(intAt(kInts + 7 * 4), 3);
    EXPECT_EQ(intAt(kInts + 10 * 4), 7);

    // Another editor opening the file takes the view back.
    TScriptedDialogs dialogs2;
    THeadlessProgress progress2;
    TEditorCore core2{dialogs2, progress2};
    TOptionsPage page2{core2};
    TProjectLife life2{core2, page2};
    ASSERT_TRUE(life2.OpenProject(file));
    const TEditorView opened = core2.StoredView();
    EXPECT_EQ(opened.OldPos, 5);
    EXPECT_EQ(opened.QRow, 3);
    EXPECT_EQ(opened.OldIndex, 7);
    EXPECT_TRUE(opened.IsDel);
    EXPECT_TRUE(opened.IsChGoTo);

    // A new project starts the grid and the panel guard afresh.
    core2.SetIsDel(false);
    life2.NewProject();
    EXPECT_EQ(core2.StoredView().QRow, 0);
    EXPECT_TRUE(core2.StoredView().IsDel);
}
