// The Qt side of the dialogs: a file dialog opens where its kind of file was
// last taken from, else in the Pictures folder.
#include "editor/QtDialogs.h"
#include "platform/KnownFolders.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtDialogs, FileDialogsStartWhereTheirKindOfFileWasLastTaken)
{
    TQtDialogs dialogs;
    const QString pictures = QStringLiteral("PNG (*.png)|*.png");
    const QString gifs = QStringLiteral("GIF (*.gif)|*.gif");
    const QString home = GetKnownFolderPath(TKnownFolder::Pictures);
    EXPECT_EQ(dialogs.StartFolder(pictures), home);

    const QString dir = TempDir();
    const QString file = QDir(dir).filePath(QStringLiteral("a.png"));
    QFile(file).open(QIODevice::WriteOnly);
    QTimer::singleShot(0, [file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(file);
        QMetaObject::invokeMethod(dialog, "accept"); // a protected slot
    });
    TFileDialogRequest request;
    request.Filter = pictures;
    request.MustExist = true;
    const auto chosen = dialogs.OpenFile(request);
    ASSERT_TRUE(chosen);

    const QString start = dialogs.StartFolder(pictures);
    EXPECT_EQ(QFileInfo(start).canonicalFilePath(), QFileInfo(dir).canonicalFilePath());
    EXPECT_EQ(dialogs.StartFolder(gifs), home) << "other kinds keep their own folder";
    QDir(dir).removeRecursively();
    EXPECT_EQ(dialogs.StartFolder(pictures), home) << "a folder that went";
}
