// The main window as a desktop program: F1 finds the installed guide when
// there is no help file, Shift+F1 and the Help button's menu reach the about
// box, and a GIF given on the command line ("Open with Zembra") becomes the
// background of a new project.
#include "tests/editor/MainFormFixture.h"
#include "tests/editor/OpenedUrls.h"
#include "editor/core/EditorCore.h"
#include "gif/ZGIFImage.h"
#include "platform/Canvas.h"
#include "platform/InstallLayout.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class MainFormDesktopTest : public MainFormFixture {
protected:
    // F1 in a program installed in `bin`, with what exists around it.
    QList<QUrl> PressHelp()
    {
        const TOpenedUrls opened;
        Create();
        form->SetProgramFolder(bin);
        Find<QAction>(QStringLiteral("HelpAct"))->trigger();
        return opened.Urls;
    }
    QString prefix = TempDir();
    QString bin = prefix + QStringLiteral("/bin");
    QString guide = prefix + QStringLiteral("/share/zembra/guide/index.html");
};

} // namespace

TEST_F(MainFormDesktopTest, HelpOpensTheInstalledGuideUnlessAHelpFileIsBesideTheProgram)
{
    QDir().mkpath(bin);
    EXPECT_EQ(GuideIndexFile(bin), guide);
    EXPECT_TRUE(PressHelp().isEmpty());
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Help file not found!")});

    Touch(guide);
    EXPECT_EQ(PressHelp(), QList<QUrl>{QUrl::fromLocalFile(guide)});
    Touch(bin + QStringLiteral("/Zembra.chm"));
    EXPECT_EQ(PressHelp(), QList<QUrl>{QUrl::fromLocalFile(bin + QStringLiteral("/Zembra.chm"))});
    EXPECT_EQ(dialogs.Messages().size(), 1);
}

TEST_F(MainFormDesktopTest, ShiftF1AndTheHelpMenuShowTheAboutBox)
{
    Create();
    auto* about = new QDialog(form.get());
    TToolWindows tools;
    tools.AboutBox = about;
    form->SetToolWindows(tools);
    auto* action = Find<QAction>(QStringLiteral("AboutAct"));
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    auto* help = Find<QToolButton>(QStringLiteral("HelpButton"));
    ASSERT_NE(help->menu(), nullptr);
    EXPECT_TRUE(help->menu()->actions().contains(action));
    EXPECT_TRUE(help->menu()->actions().contains(Find<QAction>(QStringLiteral("HelpAct"))));
    action->trigger();
    EXPECT_TRUE(about->isVisible());
}

TEST_F(MainFormDesktopTest, AGIFOnTheCommandLineBecomesTheBackgroundOfANewProject)
{
    const QString gif = TempDir() + QStringLiteral("/clip.gif");
    TZGIFImage image;
    for (int i = 0; i < 3; ++i) {
        TBitmap bitmap(40, 30);
        bitmap.Canvas().Brush.Color = RGB(uint8_t(60 * i), 20, 200);
        bitmap.Canvas().FillRect(TRect(0, 0, 40, 30));
        image.AddFrame(bitmap);
    }
    image.SaveToFile(gif);
    // Named like a project, it is still read as the GIF it is.
    const QString renamed = TempDir() + QStringLiteral("/clip.zembra");
    ASSERT_TRUE(QFile::copy(gif, renamed));

    for (const QString& file : {gif, renamed}) {
        dialogs.QueueYesNo(true); // "Redraw frames to change animation?"
        CreateAndShow({file});
        EXPECT_TRUE(form->ProjectFile().isEmpty()) << file.toStdString();
        EXPECT_EQ(form->EditorCore().Doc.Animation.BackGIF.Count(), 3);
        EXPECT_EQ(form->EditorCore().FrameCount(), 3);
        EXPECT_TRUE(dialogs.Messages().isEmpty());
    }
}

