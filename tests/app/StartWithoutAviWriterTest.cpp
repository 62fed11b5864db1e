// The program starts and keeps running when the AVI-writer control cannot be
// created: a copy of zembra in a folder without the library, with no
// registration, stays up until it is ended.
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

TEST(StartWithoutAviWriter, TheEditorStartsWithTheLibraryMovedAway)
{
    const QString dir = TempDir();
    const QString program = QDir(dir).filePath(QStringLiteral("zembra"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZEMBRA_PROGRAM), program));
    ASSERT_FALSE(QFile::exists(QDir(dir).filePath(QStringLiteral("libZembraAviWriter.so"))));
    for (const char* sub : {"home", "config", "run"})
        ASSERT_TRUE(QDir(dir).mkpath(QString::fromLatin1(sub)));
    QFile::setPermissions(QDir(dir).filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess zembra;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), QDir(dir).filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(dir).filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir(dir).filePath(QStringLiteral("run")));
    zembra.setProcessEnvironment(env);
    zembra.setProcessChannelMode(QProcess::MergedChannels);
    zembra.start(program, {});
    ASSERT_TRUE(zembra.waitForStarted(10000));
    EXPECT_FALSE(zembra.waitForFinished(4000)) << zembra.readAll().toStdString();
    EXPECT_EQ(zembra.state(), QProcess::Running);
    zembra.kill();
    zembra.waitForFinished(10000);
}
