// Closing the main window with unsaved changes: "No" closes, "Yes" without a
// completed save keeps the window open.
#include "editor/MainForm.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(MainFormCloseTest, YesWithoutASaveKeepsTheWindowOpen)
{
    TScriptedDialogs dialogs;
    TMainForm form(dialogs, {}, TempDir());
    form.show();
    form.SetModifyTrue();

    dialogs.QueueYesNo(true);
    dialogs.QueueFile(std::nullopt); // "Save Project As" cancelled
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Save changes to the project?")});

    dialogs.QueueYesNo(false);
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
}
