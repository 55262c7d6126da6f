// The single-instance guard: one first copy per name, hand-over to the first copy, and
// recovery from what a crashed copy leaves behind.
#include "windows/SingleInstanceGuard.h"

#include <QFile>
#include <QHostInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SingleInstanceGuardTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
};

// The pid of a process that has ended, so a lock naming it is stale.
qint64 deadProcessId()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    if (!process.waitForStarted())
        return -1;
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

TEST_F(SingleInstanceGuardTest, secondCopyWithTheSameNameHandsOverToTheFirst)
{
    SingleInstanceGuard first(QStringLiteral("vorlik"), folder.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy forward(&first, &SingleInstanceGuard::activationRequested);

    SingleInstanceGuard second(QStringLiteral("vorlik"), folder.path());
    EXPECT_FALSE(second.claim());
    EXPECT_FALSE(second.isFirst());
    EXPECT_TRUE(second.failure().isEmpty());
    EXPECT_TRUE(forward.wait(5000));
    EXPECT_EQ(forward.count(), 1);
}

// A program that starts itself again lets go of the guard first: the new copy is the first.
TEST_F(SingleInstanceGuardTest, aReleasedGuardIsTakenByTheNextCopy)
{
    SingleInstanceGuard first(QStringLiteral("vorlik"), folder.path());
    ASSERT_TRUE(first.claim());
    first.release();
    EXPECT_FALSE(first.isFirst());

    SingleInstanceGuard next(QStringLiteral("vorlik"), folder.path());
    EXPECT_TRUE(next.claim());
    EXPECT_TRUE(next.failure().isEmpty());
}

TEST_F(SingleInstanceGuardTest, everyLaterCopyIsTurnedAwayWhileTheFirstRuns)
{
    SingleInstanceGuard first(QStringLiteral("vorlik"), folder.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy forward(&first, &SingleInstanceGuard::activationRequested);
    for (int copy = 0; copy < 3; ++copy) {
        SingleInstanceGuard later(QStringLiteral("vorlik"), folder.path());
        EXPECT_FALSE(later.claim()) << "copy " << copy;
    }
    while (forward.count() < 3 && forward.wait(5000)) { }
    EXPECT_EQ(forward.count(), 3);
}

TEST_F(SingleInstanceGuardTest, differentNamesCoexist)
{
    SingleInstanceGuard host(QStringLiteral("guard-a"), folder.path());
    SingleInstanceGuard guest(QStringLiteral("guard-b"), folder.path());
    EXPECT_TRUE(host.claim());
    EXPECT_TRUE(guest.claim());
}

TEST_F(SingleInstanceGuardTest, endedFirstCopyLeavesTheGuardFree)
{
    {
        SingleInstanceGuard first(QStringLiteral("vorlik"), folder.path());
        ASSERT_TRUE(first.claim());
    }
    SingleInstanceGuard next(QStringLiteral("vorlik"), folder.path());
    EXPECT_TRUE(next.claim());
}

// The program starting itself again for another game lets its guard go first.
TEST_F(SingleInstanceGuardTest, aReleasedGuardLetsTheNextCopyBeFirstWhileTheProcessLives)
{
    SingleInstanceGuard first(QStringLiteral("vorlik"), folder.path());
    ASSERT_TRUE(first.claim());
    first.release();
    SingleInstanceGuard next(QStringLiteral("vorlik"), folder.path());
    EXPECT_TRUE(next.claim());
    EXPECT_FALSE(first.isFirst());
}

// Writes a lock file as a copy with process id `pid` would have left it.
void writeLock(const QString &path, qint64 pid)
{
    QFile lock(path);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n'
               + QSysInfo::machineHostName().toUtf8() + '\n');
}

TEST_F(SingleInstanceGuardTest, lockOfALiveProcessBlocks)
{
    SingleInstanceGuard probe(QStringLiteral("vorlik"), folder.path());
    writeLock(probe.lockPath(), QCoreApplication::applicationPid());
    EXPECT_FALSE(probe.claim());
    // Its holder does not answer: that is said, not taken for a second copy.
    EXPECT_FALSE(probe.failure().isEmpty());
}

// A folder that cannot hold the lock (here a file stands where the folder should be) is
// a failure with its reason, never a second copy nor a first one without a guard.
TEST_F(SingleInstanceGuardTest, aLockThatCannotBeMadeIsAFailure)
{
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SingleInstanceGuard guard(QStringLiteral("vorlik"), blocker + QStringLiteral("/guard"));
    EXPECT_FALSE(guard.claim());
    EXPECT_FALSE(guard.isFirst());
    EXPECT_TRUE(guard.failure().contains(QStringLiteral("lock file"))) << guard.failure().toStdString();
}

TEST_F(SingleInstanceGuardTest, staleLockAndSocketOfACrashedCopyDoNotBlock)
{
    SingleInstanceGuard crashed(QStringLiteral("vorlik"), folder.path());
    const qint64 pid = deadProcessId();
    ASSERT_GT(pid, 0);
    writeLock(crashed.lockPath(), pid);
    QFile socketLeftOver(crashed.socketPath());
    ASSERT_TRUE(socketLeftOver.open(QIODevice::WriteOnly));
    socketLeftOver.close();

    SingleInstanceGuard first(QStringLiteral("vorlik"), folder.path());
    ASSERT_TRUE(first.claim());
    // It listens again: a later copy reaches it.
    QSignalSpy forward(&first, &SingleInstanceGuard::activationRequested);
    SingleInstanceGuard later(QStringLiteral("vorlik"), folder.path());
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(forward.wait(5000));
}

TEST(SingleInstanceGuardName, environmentReplacesTheDefaultName)
{
    qunsetenv("QUARN_GUARD");
    EXPECT_EQ(SingleInstanceGuard::nameFromEnvironment(), QStringLiteral("vorlik"));
    qputenv("QUARN_GUARD", "test-guard");
    EXPECT_EQ(SingleInstanceGuard::nameFromEnvironment(), QStringLiteral("test-guard"));
    qputenv("QUARN_GUARD", "");
    EXPECT_EQ(SingleInstanceGuard::nameFromEnvironment(), QStringLiteral("vorlik"));
    qunsetenv("QUARN_GUARD");
}

}  // namespace
