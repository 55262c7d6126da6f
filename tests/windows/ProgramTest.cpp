// The built `quarn` program in separate processes: a solo host, a joining player, a
// spectator, a second copy under the host's guard, and every copy ending with the host.
// The copies report through their info logging; the test waits on their output.
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kTimeoutMs = 20000;

// A free loopback port: taken from the system, then released for the program to use.
quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::Any, 0))
        return 0;
    return probe.serverPort();
}

class Copy {
public:
    Copy(const QString &folder, const QString &guard, quint16 port, const QStringList &arguments)
    {
        QDir().mkpath(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUARN_GUARD"), guard);
        environment.insert(QStringLiteral("QUARN_PORT"), QString::number(port));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("quarn.*.info=true"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process, &QProcess::readyRead, &process, [this] { output += process.readAll(); });
        process.start(QStringLiteral(QUARN_BINARY), arguments);
    }

    ~Copy()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // Waits until the output holds `text` (false when the copy ends or stays silent).
    bool waitFor(const QByteArray &text)
    {
        QSignalSpy more(&process, &QProcess::readyRead);
        while (!output.contains(text)) {
            if (process.state() == QProcess::NotRunning || !more.wait(kTimeoutMs))
                return output.contains(text);
        }
        return true;
    }

    bool waitForEnd()
    {
        if (process.state() == QProcess::NotRunning)
            return true;
        QSignalSpy finished(&process, &QProcess::finished);
        return finished.wait(kTimeoutMs);
    }

    QProcess process;
    QByteArray output;
};

class ProgramTest : public ::testing::Test {
protected:
    QString folder(const char *name) const { return work.filePath(QLatin1String(name)); }
    QString guard(const char *name) const
    {
        return QStringLiteral("quarn-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(name));
    }

    QTemporaryDir work;
    quint16 port = freePort();
};

TEST_F(ProgramTest, soloHostJoinSpectatorSecondCopyAndEndWithTheHost)
{
    ASSERT_NE(port, 0);
    Copy host(folder("host"), guard("host"), port, {});
    ASSERT_TRUE(host.waitFor("logged in as slot 1 name \"You\"")) << host.output.toStdString();
    EXPECT_TRUE(host.output.contains("hosting on port " + QByteArray::number(port)));

    Copy bob(folder("bob"), guard("bob"), port,
             {QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(bob.waitFor("logged in as slot 2 name \"Bob\"")) << bob.output.toStdString();

    Copy cy(folder("cy"), guard("cy"), port,
            {QStringLiteral("Cy"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(cy.waitFor("logged in as slot 3 name \"Cy\"")) << cy.output.toStdString();
    EXPECT_TRUE(host.waitFor("present: slot 3 name \"Cy\""));

    // A second copy under the host's guard: the host comes forward, the copy ends at once.
    Copy second(folder("second"), guard("host"), port, {});
    ASSERT_TRUE(second.waitForEnd());
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_FALSE(second.output.contains("hosting")) << second.output.toStdString();
    EXPECT_TRUE(host.waitFor("asked this one to come forward"));

    // Closing the host's window (here by the termination signal) ends everybody.
    host.process.terminate();
    ASSERT_TRUE(host.waitForEnd());
    EXPECT_EQ(host.process.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(host.output.contains("main window closes"));
    ASSERT_TRUE(bob.waitForEnd());
    ASSERT_TRUE(cy.waitForEnd());
    EXPECT_TRUE(bob.output.contains("main window closes"));
    EXPECT_TRUE(cy.output.contains("main window closes"));
    EXPECT_FALSE(QFile::exists(QDir(folder("host")).filePath(QStringLiteral("English"))))
        << "the word list is deleted at exit";
}

TEST_F(ProgramTest, oneOrTwoArgumentsStartNoGame)
{
    Copy ann(folder("ann"), guard("ann"), port, {QStringLiteral("Ann")});
    // Nothing connects; the termination signal ends the idle copy the ordinary way.
    ASSERT_TRUE(ann.waitFor("main window shown")) << ann.output.toStdString();
    ann.process.terminate();
    ASSERT_TRUE(ann.waitForEnd());
    EXPECT_EQ(ann.process.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(ann.output.contains("hosting"));
    EXPECT_FALSE(ann.output.contains("joining"));
}

}  // namespace
