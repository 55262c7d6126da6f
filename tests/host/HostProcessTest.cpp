// The quarn-host program as a user runs it: it listens, plays the login with two
// participants, and on SIGTERM or SIGINT closes every connection and removes its word-list file.
#include "HostTestClient.h"

#include "net/Catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

QString hostBinary()
{
#ifdef QUARN_HOST_BINARY
    return QStringLiteral(QUARN_HOST_BINARY);
#else
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../host/quarn-host"));
#endif
}

class HostProcessTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(hostBinary()).isExecutable()) << hostBinary().toStdString();
        ASSERT_TRUE(dir.isValid());
        process.setWorkingDirectory(dir.path());
        process.setProcessChannelMode(QProcess::SeparateChannels);
    }

    void TearDown() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Starts quarn-host on a free port and returns the port it reports.
    quint16 start()
    {
        process.start(hostBinary(), {QStringLiteral("--port"), QStringLiteral("0")});
        const QRegularExpression listening(QStringLiteral("listening on port (\\d+)"));
        QRegularExpressionMatch match;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                output += process.readAllStandardError();
                match = listening.match(QString::fromUtf8(output));
                return match.hasMatch() || process.state() == QProcess::NotRunning;
            },
            10000));
        return match.hasMatch() ? static_cast<quint16>(match.captured(1).toUInt()) : 0;
    }

    QTemporaryDir dir;
    QProcess process;
    QByteArray output;
};

class HostProcessSignalTest : public HostProcessTest, public testing::WithParamInterface<int> { };

TEST_P(HostProcessSignalTest, PlaysTheLoginAndCleansUpOnTheSignal)
{
    const quint16 port = start();
    ASSERT_NE(port, 0) << output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("English"))));

    HostTestClient first(port);
    ASSERT_TRUE(first.login(QStringLiteral("Host")));
    EXPECT_EQ(first.slot(), 1);
    HostTestClient second(port);
    ASSERT_TRUE(second.login(QStringLiteral("Ann")));
    EXPECT_EQ(second.slot(), 2);
    EXPECT_TRUE(second.waitFor(net::toClient::existingplayers(1, QStringLiteral("Host")).chopped(1)));
    EXPECT_TRUE(first.waitFor(net::toClient::newplayerinfo(2, QStringLiteral("Ann")).chopped(1)));

    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), GetParam()), 0);
    ASSERT_TRUE(first.waitClosed());
    ASSERT_TRUE(second.waitClosed());
    ASSERT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("English"))));
}

INSTANTIATE_TEST_SUITE_P(Signals, HostProcessSignalTest, testing::Values(SIGTERM, SIGINT),
                         [](const testing::TestParamInfo<int> &info) {
                             return std::string(info.param == SIGTERM ? "Sigterm" : "Sigint");
                         });

TEST_F(HostProcessTest, RefusesABadPortAndExplainsItsOptions)
{
    process.start(hostBinary(), {QStringLiteral("--port"), QStringLiteral("seventy")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains("not a port number"));

    process.start(hostBinary(), {QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains("--port"));
}

}  // namespace
