// quarn-host --map-port as a server's user runs it, against the fake gateway device: it
// prints the address to give, and on SIGTERM deletes the mapping before it exits.
#include "FakeIgd.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

#ifdef QUARN_HOST_BINARY
TEST(HostMapPort, TheHostPrintsTheAddressToGiveAndDeletesTheMappingOnSigterm)
{
    FakeIgd igd;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess host;
    host.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUARN_NATPMP_GATEWAY"), QStringLiteral("off"));
    environment.insert(QStringLiteral("QUARN_UPNP_IGD"), QString::fromLatin1(igd.descriptionUrl()));
    host.setProcessEnvironment(environment);
    host.start(QStringLiteral(QUARN_HOST_BINARY),
               {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--map-port")});

    QByteArray out;
    QByteArray err;
    const QRegularExpression link(QStringLiteral("quarn://203\\.0\\.113\\.9:(\\d+)"));
    QRegularExpressionMatch match;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            out += host.readAllStandardOutput();
            err += host.readAllStandardError();
            match = link.match(QString::fromUtf8(out));
            return match.hasMatch() || host.state() == QProcess::NotRunning;
        },
        10000));
    ASSERT_TRUE(match.hasMatch()) << out.toStdString() << err.toStdString();
    const QRegularExpressionMatch listening =
        QRegularExpression(QStringLiteral("listening on port (\\d+)")).match(QString::fromUtf8(err));
    ASSERT_TRUE(listening.hasMatch());
    EXPECT_EQ(match.captured(1), listening.captured(1));
    ASSERT_EQ(igd.count("AddPortMapping"), 1);

    ASSERT_EQ(::kill(pid_t(host.processId()), SIGTERM), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(host.exitCode(), 0);
    ASSERT_EQ(igd.count("DeletePortMapping"), 1);
    EXPECT_EQ(QString::number(igd.actions.last().externalPort), match.captured(1));
}
#endif

}  // namespace
