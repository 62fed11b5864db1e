// The main window's "GIF from Images" and "Extract Frames" commands open the
// tool windows.
#include "editor/MainForm.h"
#include "editor/core/EditorCore.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"
#include "tools/ExtractForm.h"
#include "tools/FolderForm.h"
#include "tools/GIFFromImagesForm.h"

#include <QAction>
#include <QLineEdit>
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
