// Start-up: the windows in their order, the visual style, the dialog seam's
// filters and scripted answers.
#include "app/ZembraApp.h"
#include "editor/ApplyForm.h"
#include "editor/SkyStyle.h"
#include "platform/Dialogs.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

TEST(Startup, CreatesTheMainWindowFirstThenTheToolWindowsItOwns)
{
    TScriptedDialogs dialogs;
    TZembraWindows windows = CreateWindows(dialogs, {}, TempDir());
    ASSERT_NE(windows.MainForm, nullptr);
    TMainForm* main = windows.MainForm.get();
    const TToolWindows& tools = windows.Tools;
    const std::vector<std::pair<QWidget*, const char*>> expected{
        {tools.ScreenForm, "Screen Record"},   {tools.DesktopForm, "Screen"},
        {tools.ApplyForm, "Frame Redrawing"},  {tools.ExtractForm, "Extract Frames"},
        {tools.AboutBox, "About Zembra"},      {tools.FolderForm, "Set Folder"},
        {tools.ToAVIForm, "Save AVI"},         {tools.GIFFromImagesForm, "GIF From Images"},
        {tools.ColorForm, "Color Selection"}};
    // Children are kept in creation order: the tool windows follow in the documented order.
    QList<QWidget*> created;
    for (QObject* child : main->children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->isWindow())
            created << widget;
    ASSERT_EQ(created.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(created[qsizetype(i)], expected[i].first) << i;
        EXPECT_EQ(expected[i].first->windowTitle(), QString::fromUtf8(expected[i].second)) << i;
        EXPECT_FALSE(expected[i].first->isVisible());
    }
    // Long operations of the main window go through the progress window.
    EXPECT_EQ(&main->Progress(), static_cast<TProgress*>(tools.ApplyForm));
}

TEST(Startup, TheSkyStyleApplies)
{
    const QString sheet = SkyStyleSheet();
    EXPECT_FALSE(sheet.isEmpty());
    const QString before = qApp->styleSheet();
    EXPECT_TRUE(ApplySkyStyle(*qApp));
    EXPECT_EQ(qApp->styleSheet(), sheet);
    qApp->setStyleSheet(before);
}

TEST(Startup, MessagesOfASecondCopyAndOfAMissingStyle)
{
    EXPECT_EQ(SecondInstanceMessage(), QString::fromUtf8("Программа уже запущена!"));
    EXPECT_FALSE(StyleFailureMessage().isEmpty());
}

TEST(FileFilters, WindowsFiltersBecomeQtFilters)
{
    EXPECT_EQ(ToQtFilters(QStringLiteral("Projects (*.zembra)|*.zembra|All Files (*.*)|*.*")),
              (QStringList{"Projects (*.zembra)", "All Files (*)"}));
    EXPECT_EQ(ToQtFilters(QStringLiteral("Graphic Files (*.jpg; *.jpeg; *.png; *.bmp)|*.jpg;*.jpeg;*.png;*.bmp|"
                                         "JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg")),
              (QStringList{"Graphic Files (*.jpg *.jpeg *.png *.bmp)", "JPEG (*.jpg *.jpeg)"}));
    // A trailing description without patterns is dropped; an empty filter gives none.
    EXPECT_EQ(ToQtFilters(QStringLiteral("GIF (*.gif)|*.gif|Broken")), QStringList{"GIF (*.gif)"});
    EXPECT_TRUE(ToQtFilters({}).isEmpty());
}

TEST(ScriptedDialogs, AnswersInOrderAndRecordsWhatWasAsked)
{
    TScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    dialogs.QueueFile(QStringLiteral("/tmp/out"), 1);
    dialogs.QueueFile(std::nullopt);

    EXPECT_TRUE(dialogs.AskYesNo(QStringLiteral("Save changes to the project?")));
    EXPECT_FALSE(dialogs.AskYesNo(QStringLiteral("Redraw frames to change animation?"))); // nothing queued: No

    TFileDialogRequest request;
    request.Filter = QStringLiteral("Projects (*.zembra)|*.zembra");
    request.DefaultExt = QStringLiteral("zembra");
    const auto saved = dialogs.SaveFile(request);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->FileName, QStringLiteral("/tmp/out.zembra")); // the default extension is added
    EXPECT_EQ(saved->FilterIndex, 1);
    EXPECT_FALSE(dialogs.OpenFile(request));
    EXPECT_FALSE(dialogs.OpenFile(request)); // nothing left: cancelled

    TFont font;
    EXPECT_FALSE(dialogs.ChooseFont(font));
    dialogs.ShowMessage(QStringLiteral("Help file not found!"));

    EXPECT_EQ(dialogs.Questions(), (QStringList{"Save changes to the project?", "Redraw frames to change animation?"}));
    EXPECT_EQ(dialogs.Messages(), QStringList{"Help file not found!"});
    EXPECT_EQ(dialogs.Asked().size(), 7u);
    EXPECT_EQ(dialogs.Asked()[2].File.Filter, request.Filter);
}
