// Folder helpers and the "Set Folder" dialog: where it opens, the new-folder
// checks with their messages, OK and Cancel on the caller's folder box.
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"
#include "tools/FolderForm.h"
#include "tools/FolderPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(FolderPathsTest, ForceFolderAndStartFolder)
{
    const QString root = TempDir();
    const QString deep = root + QStringLiteral("/a/b/c");
    EXPECT_TRUE(ForceFolder(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(ForceFolder(deep)); // already there
    EXPECT_FALSE(ForceFolder(QStringLiteral("  ")));

    // A file where the folder should be is not usable.
    QFile file(root + QStringLiteral("/file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(ForceFolder(root + QStringLiteral("/file")));
    EXPECT_FALSE(ForceFolder(root + QStringLiteral("/file/sub")));

    EXPECT_EQ(StartFolder(deep, QStringLiteral("/pics")), deep);
    EXPECT_EQ(StartFolder(root + QStringLiteral("/missing"), QStringLiteral("/pics")), QStringLiteral("/pics"));
    EXPECT_EQ(StartFolder(QString(), QStringLiteral("/pics")), QStringLiteral("/pics"));
}

TEST(FolderPathsTest, CreateSubfolderChecksTheName)
{
    const QString root = TempDir();
    QString created;
    EXPECT_EQ(CreateSubfolder(root, QStringLiteral("   "), &created), TNewFolderResult::EmptyName);
    EXPECT_EQ(CreateSubfolder(root, QString(), &created), TNewFolderResult::EmptyName);
    // Leading blanks are part of the name.
    EXPECT_EQ(CreateSubfolder(root, QStringLiteral("  new"), &created), TNewFolderResult::Created);
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/  new")).isDir());
    EXPECT_EQ(created, root + QStringLiteral("/  new"));
    // Existing folder, missing parent, a path instead of a name.
    EXPECT_EQ(CreateSubfolder(root, QStringLiteral("  new")), TNewFolderResult::Failed);
    EXPECT_EQ(CreateSubfolder(root + QStringLiteral("/none"), QStringLiteral("x")), TNewFolderResult::Failed);
    EXPECT_EQ(CreateSubfolder(root, QStringLiteral("x/y")), TNewFolderResult::Failed);
    EXPECT_FALSE(QFileInfo(root + QStringLiteral("/x")).exists());
}

TEST(FolderFormTest, CreateButtonMessagesAndSelection)
{
    TScriptedDialogs dialogs;
    TFolderForm form(nullptr);
    form.SetDialogs(&dialogs);
    const QString root = TempDir();
    form.SetPath(root);
    EXPECT_EQ(form.SelectedFolder(), QDir::cleanPath(root));

    form.NewFolderEdit->setText(QStringLiteral("  "));
    form.CreateButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Set a new folder!")});

    form.NewFolderEdit->setText(QStringLiteral("made"));
    form.CreateButtonClick();
    EXPECT_EQ(dialogs.Messages().size(), 1);
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/made")).isDir());
    EXPECT_EQ(form.SelectedFolder(), root + QStringLiteral("/made"));
    EXPECT_TRUE(form.NewFolderEdit->text().isEmpty());

    // The same name again fails and the box keeps the name.
    form.SetPath(root);
    form.NewFolderEdit->setText(QStringLiteral("made"));
    form.CreateButtonClick();
    EXPECT_EQ(dialogs.Messages().last(), QStringLiteral("The folder is not created!"));
    EXPECT_EQ(form.NewFolderEdit->text(), QStringLiteral("made"));
}

TEST(FolderFormTest, OkWritesTheFolderCancelLeavesTheBox)
{
    TFolderForm form(nullptr);
    const QString root = TempDir();
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("sub")));
    QLineEdit edit;
    edit.setText(root);

    QTimer::singleShot(0, &form, [&] {
        form.SetPath(root + QStringLiteral("/sub"));
        form.OKButton->click();
    });
    EXPECT_TRUE(form.SetFolder(edit));
    EXPECT_EQ(edit.text(), root + QStringLiteral("/sub"));

    QTimer::singleShot(0, &form, [&] {
        form.SetPath(root);
        form.CancelButton->click();
    });
    EXPECT_FALSE(form.SetFolder(edit));
    EXPECT_EQ(edit.text(), root + QStringLiteral("/sub"));

    // A box naming no folder opens the dialog elsewhere (the Pictures folder).
    edit.setText(root + QStringLiteral("/missing"));
    QString opened;
    QTimer::singleShot(0, &form, [&] {
        opened = form.SelectedFolder();
        form.CancelButton->click();
    });
    form.SetFolder(edit);
    EXPECT_NE(opened, root + QStringLiteral("/missing"));
    EXPECT_EQ(edit.text(), root + QStringLiteral("/missing"));
}
