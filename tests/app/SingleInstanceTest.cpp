// The single-instance lock, checked with a second process.
#include "platform/SingleInstance.h"
#include "tests/support/TestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Runs the probe in `folder` ("try": exit 0 = got the lock, 3 = refused).
int TryInOtherProcess(const QString& folder)
{
    QProcess probe;
    probe.start(QStringLiteral(ZEMBRA_LOCK_PROBE), {folder, QStringLiteral("try")});
    if (!probe.waitForFinished(10000))
        return -1;
    return probe.exitCode();
}

} // namespace

TEST(SingleInstance, ASecondProcessIsRefusedWhileTheFirstRuns)
{
    const QString folder = TempDir();
    TSingleInstance first(QStringLiteral("Zembra"), folder);
    ASSERT_EQ(first.TryAcquire(), TSingleInstance::TResult::Acquired);
    EXPECT_EQ(TryInOtherProcess(folder), 3);

    first.Release();
    EXPECT_EQ(TryInOtherProcess(folder), 0);
}

TEST(SingleInstance, TheLockGoesWithAProcessThatDies)
{
    const QString folder = TempDir();
    QProcess holder;
    holder.start(QStringLiteral(ZEMBRA_LOCK_PROBE), {folder, QStringLiteral("hold")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readAllStandardOutput().trimmed(), QByteArray("held"));

    TSingleInstance second(QStringLiteral("Zembra"), folder);
    EXPECT_EQ(second.TryAcquire(), TSingleInstance::TResult::AlreadyRunning);

    holder.kill(); // no clean-up runs in the holder
    holder.waitForFinished(10000);
    EXPECT_EQ(second.TryAcquire(), TSingleInstance::TResult::Acquired);
}

TEST(SingleInstance, ProgramsStartedByTheHolderDoNotKeepTheLock)
{
    const QString folder = TempDir();
    {
        TSingleInstance first(QStringLiteral("Zembra"), folder);
        ASSERT_EQ(first.TryAcquire(), TSingleInstance::TResult::Acquired);
        QProcess child; // e.g. a help viewer that outlives the editor
        child.start(QStringLiteral("sleep"), {QStringLiteral("5")});
        ASSERT_TRUE(child.waitForStarted());
        first.Release();
        EXPECT_EQ(TryInOtherProcess(folder), 0);
        child.kill();
        child.waitForFinished();
    }
}

TEST(SingleInstance, AnUnusableFolderIsReportedNotMistakenForARunningCopy)
{
    TSingleInstance instance(QStringLiteral("Zembra"), TempDir() + QStringLiteral("/missing"));
    EXPECT_EQ(instance.TryAcquire(), TSingleInstance::TResult::Unavailable);
    EXPECT_FALSE(instance.IsHeld());
}
