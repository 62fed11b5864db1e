// The main window's "GIF from Images" and "Extract Frames" commands open the
// tool windows; a new project starts the wizard afresh.
#include "editor/MainForm.h"
#include "editor/core/EditorCore.h"
#include "platform/ImageFiles.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"
#include "tools/ExtractForm.h"
#include "tools/FolderForm.h"
#include "tools/GIFFromImagesForm.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MainFormToolsTest, CommandsOpenTheToolWindows)
{
    TScriptedDialogs dialogs;
    TMainForm form(dialogs, {}, TempDir());
    form.show();
    auto* gifForm = new TGIFFromImagesForm(&form);
    auto* extractForm = new TExtractForm(&form);
    auto* folderForm = new TFolderForm(&form);
    TToolWindows tools;
    tools.GIFFromImagesForm = gifForm;
    tools.GIFFromImages = gifForm;
    tools.ExtractForm = extractForm;
    tools.Extract = extractForm;
    tools.FolderForm = folderForm;
    form.SetToolWindows(tools);
    const TToolHost host{&form.EditorCore(), &form.OptionsPage(), folderForm};
    gifForm->SetHost(host);
    extractForm->SetHost(host);

    form.findChild<QAction*>(QStringLiteral("GIFFromImagesAct"))->trigger();
    EXPECT_TRUE(gifForm->isVisible());
    EXPECT_FALSE(gifForm->isModal());
    EXPECT_EQ(gifForm->windowTitle(), QStringLiteral("GIF From Images - Step #1"));

    form.EditorCore().Doc.Options.ExtractFolder = TempDir();
    bool shown = false;
    QTimer::singleShot(0, extractForm, [&] {
        shown = extractForm->isVisible() && extractForm->isModal();
        EXPECT_EQ(extractForm->FolderEdit->text(), form.EditorCore().Doc.Options.ExtractFolder);
        extractForm->reject();
    });
    form.findChild<QAction*>(QStringLiteral("ExtractFramesAct"))->trigger();
    EXPECT_TRUE(shown);
}

TEST(MainFormToolsTest, NewProjectResetsTheWizardAndSetReadsTheTypedFolder)
{
    TScriptedDialogs dialogs;
    TMainForm form(dialogs, {}, TempDir());
    form.show();
    auto* gifForm = new TGIFFromImagesForm(&form);
    auto* folderForm = new TFolderForm(&form);
    TToolWindows tools;
    tools.GIFFromImagesForm = gifForm;
    tools.GIFFromImages = gifForm;
    tools.FolderForm = folderForm;
    form.SetToolWindows(tools);
    gifForm->SetHost(TToolHost{&form.EditorCore(), &form.OptionsPage(), folderForm});

    // Pictures gathered on step 2, then "New Project".
    const QString dir = TempDir();
    const QString picture = QDir(dir).filePath(QStringLiteral("p7.png"));
    SavePngFile(TBitmap(4, 4), picture);
    form.findChild<QAction*>(QStringLiteral("GIFFromImagesAct"))->trigger();
    gifForm->NextButtonClick();
    gifForm->AddButtonClick(QStringList{picture});
    ASSERT_EQ(gifForm->ImagesList->count(), 1);
    if (form.Modified())
        dialogs.QueueYesNo(false); // do not save
    form.findChild<QAction*>(QStringLiteral("NewProjectAct"))->trigger();
    EXPECT_EQ(gifForm->ImagesList->count(), 0);
    EXPECT_TRUE(gifForm->Files().isEmpty());
    EXPECT_EQ(gifForm->PageControl->currentWidget(), gifForm->SelectSheet);
    EXPECT_EQ(gifForm->windowTitle(), QStringLiteral("GIF From Images - Step #1"));

    // "Set" on the folder page, then Cancel: the folder typed is read.
    gifForm->FolderRadio->click();
    gifForm->NextButtonClick();
    gifForm->FolderEdit->setText(dir);
    QTimer::singleShot(0, folderForm, [folderForm] { folderForm->reject(); });
    gifForm->SetButton->click();
    ASSERT_EQ(gifForm->Files().size(), 1);
    EXPECT_TRUE(gifForm->Files().first().endsWith(QStringLiteral("p7.png")));
}
