// The desktop notifications on a private session bus of the test's own, with a
// notification service of its own (or none): what reaches the service, what replaces
// what, a click bringing the window forward, and a bus or service that is missing.
#include "client/NotificationServiceFake.h"

#include "client/DesktopNotifier.h"
#include "client/model/AttentionRules.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DesktopNotifierTest : public testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        // A session bus with no services to start on demand: the desktop's own
        // notification service is never started behind the test's back.
        ASSERT_TRUE(folder.isValid());
        QFile config(folder.filePath(QStringLiteral("session.conf")));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                           "<policy context=\"default\"><allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                           "<allow own=\"*\"/></policy></busconfig>")
                .arg(folder.path())
                .toUtf8());
        config.close();
        bus.start(daemon,
                  {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address")});
        ASSERT_TRUE(bus.waitForStarted());
        while (!bus.canReadLine())
            ASSERT_TRUE(bus.waitForReadyRead(10000)) << "the bus never said its address";
        address = QString::fromUtf8(bus.readLine()).trimmed();
        notifier = std::make_unique<DesktopNotifier>(
            &window, [this] { ++raised; }, address);
        game.logIn(1);
        game.setSeatName(1, QStringLiteral("Ann"));
        game.setSeatName(2, QStringLiteral("Bob <b>"));
        rules = std::make_unique<AttentionRules>(game, roster, *notifier, [this] { return active; });
    }

    void TearDown() override
    {
        rules.reset();
        notifier.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-service"));
        if (bus.state() != QProcess::NotRunning) {
            bus.kill();
            bus.waitForFinished();
        }
    }

    // Starts the service on the bus.
    void serve()
    {
        QDBusConnection connection = QDBusConnection::connectToBus(address, QStringLiteral("fake-service"));
        ASSERT_TRUE(connection.isConnected());
        ASSERT_TRUE(connection.registerObject(DesktopNotifier::kPath, &service,
                                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(connection.registerService(DesktopNotifier::kService));
    }

    QTemporaryDir folder;
    QProcess bus;
    QString address;
    NotificationServiceFake service;
    QWidget window;
    int raised = 0;
    bool active = false;
    ClientGame game;
    Roster roster;
    std::unique_ptr<DesktopNotifier> notifier;
    std::unique_ptr<AttentionRules> rules;
};

TEST_F(DesktopNotifierTest, ATurnWhileTheWindowIsBehindIsShownAndOneWhileItIsActiveIsNot)
{
    serve();
    QSignalSpy shown(notifier.get(), &DesktopNotifier::shown);
    active = true;
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    active = false;
    game.getnextplayer(QStringLiteral("1+5+"));

    ASSERT_TRUE(shown.wait());
    // The bus keeps the order: had the start been sent, it would have been shown first.
    ASSERT_EQ(service.shown.size(), 1) << "the start while the window was active is not shown";
    const NotificationServiceFake::Shown &first = service.shown.constFirst();
    EXPECT_EQ(first.app, QStringLiteral("Quarn"));
    EXPECT_EQ(first.summary, QStringLiteral("Your turn"));
    EXPECT_EQ(first.body, QStringLiteral("Bob &lt;b&gt; is waiting for your move.")) << "a name is never markup";
    EXPECT_TRUE(first.actions.contains(QStringLiteral("default")));
}

TEST_F(DesktopNotifierTest, ANewNotificationClosesThePreviousAndAClickOnItRaisesTheWindow)
{
    serve();
    QSignalSpy shown(notifier.get(), &DesktopNotifier::shown);
    game.getnextplayer(QStringLiteral("1+5+"));
    ASSERT_TRUE(shown.wait());
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    ASSERT_TRUE(shown.wait());
    EXPECT_EQ(service.closed, QList<uint>{1});

    // The service announces other programs' clicks as well: only ours raises the window.
    Q_EMIT service.ActionInvoked(1, QStringLiteral("default"));
    Q_EMIT service.ActionInvoked(2, QStringLiteral("default"));
    QTRY_COMPARE(raised, 1);
}

TEST_F(DesktopNotifierTest, ANotificationOvertakenBeforeItsIdCameIsClosedToo)
{
    serve();
    QSignalSpy shown(notifier.get(), &DesktopNotifier::shown);
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    game.getnextplayer(QStringLiteral("1+5+"));
    ASSERT_TRUE(shown.wait());
    EXPECT_EQ(shown.constLast().constFirst().toUInt(), 2u);
    QTRY_COMPARE(service.closed, QList<uint>{1});
}

TEST_F(DesktopNotifierTest, WithoutAServiceNothingFailsAndTheCallDoesNotWait)
{
    QSignalSpy notShown(notifier.get(), &DesktopNotifier::notShown);
    game.getnextplayer(QStringLiteral("1+5+"));
    EXPECT_EQ(notShown.count(), 0) << "the call returned before the bus answered";
    ASSERT_TRUE(notShown.wait());
    game.getnextplayer(QStringLiteral("1+5+"));
    ASSERT_TRUE(notShown.wait());
}

TEST_F(DesktopNotifierTest, WithoutABusNothingFails)
{
    DesktopNotifier nowhere(&window, {}, QStringLiteral("unix:path=/nonexistent/quarn-bus"));
    QSignalSpy notShown(&nowhere, &DesktopNotifier::notShown);
    nowhere.callAttention(QStringLiteral("Your turn"), QStringLiteral("Bob is waiting for your move."));
    nowhere.callAttention(QStringLiteral("Your turn"), QStringLiteral("Bob is waiting for your move."));
    EXPECT_EQ(notShown.count(), 2);
}

}  // namespace
