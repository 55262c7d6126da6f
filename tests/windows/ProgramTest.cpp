// The built `quarn` program in separate processes: a solo host, a joining player, a
// spectator, a second copy under the host's guard, and every copy ending with the host;
// a termination signal while a start-up box is open; a guard folder another user made;
// a hosted game's mapping at the tests' fake router, deleted when the program ends.
// The copies report through their info logging; the test waits on their output.
#include "portmap/FakeIgd.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

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
    using Adjust = std::function<void(QProcessEnvironment &)>;

    // `binary` empty = the built program where it was built.
    Copy(const QString &folder, const QString &guard, quint16 port, const QStringList &arguments,
         const Adjust &adjust = {}, const QString &binary = {})
    {
        QDir().mkpath(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUARN_GUARD"), guard);
        environment.insert(QStringLiteral("QUARN_PORT"), QString::number(port));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("quarn.*.info=true"));
        if (adjust)
            adjust(environment);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process, &QProcess::readyRead, &process, [this] { output += process.readAll(); });
        process.start(binary.isEmpty() ? QStringLiteral(QUARN_BINARY) : binary, arguments);
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

    // The program in a folder of its own, where it keeps its settings and its tally.
    QString programIn(const char *name) const
    {
        const QString target = QDir(folder(name)).filePath(QStringLiteral("quarn"));
        QDir().mkpath(folder(name));
        if (::link(QUARN_BINARY, QFile::encodeName(target).constData()) != 0)
            QFile::copy(QStringLiteral(QUARN_BINARY), target);
        return target;
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

// The tally cannot be restored, so its box is up before the main window is shown; a
// termination signal closes the box and ends the program as "Exit" does.
TEST_F(ProgramTest, aTerminationSignalClosesAStartUpBoxAndEndsTheProgram)
{
    const QString binary = programIn("program");
    QFile tally(QDir(folder("program")).filePath(QStringLiteral("quarntally.tld")));
    ASSERT_TRUE(tally.open(QIODevice::WriteOnly));
    tally.write(QByteArray("not a tally at all\n").repeated(20));
    tally.close();

    Copy ann(folder("ann"), guard("box"), port, {QStringLiteral("Ann")}, {}, binary);
    ASSERT_TRUE(ann.waitFor("a box is open")) << ann.output.toStdString();
    ann.process.terminate();
    ASSERT_TRUE(ann.waitForEnd()) << ann.output.toStdString();
    EXPECT_EQ(ann.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ann.process.exitCode(), 0);
    EXPECT_TRUE(ann.output.contains("main window closes")) << ann.output.toStdString();
    EXPECT_FALSE(ann.output.contains("main window shown"));
    EXPECT_FALSE(QFile::exists(QDir(folder("ann")).filePath(QStringLiteral("English"))));
}

// Without a runtime folder the guard lives in "quarn-<uid>" in the temporary folder; one
// that somebody else could write is refused, and the program says so and fails.
TEST_F(ProgramTest, aGuardThatCannotBeTakenIsReported)
{
    const QString shared = folder("shared");
    const QString planted = QDir(shared).filePath(QStringLiteral("quarn-%1").arg(::geteuid()));
    ASSERT_TRUE(QDir().mkpath(planted));
    ASSERT_EQ(::chmod(QFile::encodeName(planted).constData(), 0777), 0);
    const auto sharedTemporary = [&shared](QProcessEnvironment &environment) {
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("TMPDIR"), shared);
    };

    Copy ann(folder("ann"), guard("planted"), port, {QStringLiteral("Ann")}, sharedTemporary);
    ASSERT_TRUE(ann.waitForEnd()) << ann.output.toStdString();
    EXPECT_EQ(ann.process.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(ann.process.exitCode(), 0);
    EXPECT_TRUE(ann.output.contains("cannot start")) << ann.output.toStdString();
    EXPECT_FALSE(ann.output.contains("main window"));
}

// The copies ask the tests' fake UPnP gateway, and no NAT-PMP gateway, for their port.
void toFakeRouter(QProcessEnvironment &environment, const FakeIgd &igd)
{
    environment.insert(QStringLiteral("QUARN_NATPMP_GATEWAY"), QStringLiteral("off"));
    environment.insert(QStringLiteral("QUARN_UPNP_IGD"), QString::fromLatin1(igd.descriptionUrl()));
}

TEST_F(ProgramTest, aHostedGameIsMappedAtTheRouterUntilATerminationSignalEndsIt)
{
    ASSERT_NE(port, 0);
    FakeIgd igd;
    Copy ann(folder("ann"), guard("mapped"), port,
             {QStringLiteral("Ann"), QStringLiteral("0.0.0.0"), QStringLiteral("true")},
             [&igd](QProcessEnvironment &environment) { toFakeRouter(environment, igd); });
    QSignalSpy seen(&igd, &FakeIgd::actionSeen);
    while (igd.count("AddPortMapping") == 0)
        ASSERT_TRUE(seen.wait(kTimeoutMs)) << ann.output.toStdString();
    EXPECT_EQ(igd.actions.last().externalPort, port);
    ann.process.terminate();
    ASSERT_TRUE(ann.waitForEnd()) << ann.output.toStdString();
    EXPECT_EQ(ann.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(igd.count("DeletePortMapping"), 1) << ann.output.toStdString();
}

TEST_F(ProgramTest, aSoloGameNeverAsksTheRouter)
{
    ASSERT_NE(port, 0);
    FakeIgd igd;
    Copy solo(folder("solo"), guard("solo"), port, {},
              [&igd](QProcessEnvironment &environment) { toFakeRouter(environment, igd); });
    ASSERT_TRUE(solo.waitFor("logged in as slot 1")) << solo.output.toStdString();
    solo.process.terminate();
    ASSERT_TRUE(solo.waitForEnd());
    EXPECT_TRUE(igd.actions.isEmpty());
}

}  // namespace
