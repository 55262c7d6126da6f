// The connection half against a real in-process host on a free loopback port: start-up
// modes, login, presence and departure, just watching, removal (also from the seat menu),
// the "Game is full" path and the dispatch of every command to its handler.
#include "client/ConnectionHalf.h"

#include "ConnectionFakes.h"
#include "FullGameServer.h"
#include "WarningCounter.h"
#include "client/HostControl.h"
#include "client/SeatMenu.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"
#include "host/HostEngine.h"
#include "net/Catalogue.h"

#include <QAction>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kConnected = QStringLiteral("0+You are Connected.");

using Present = QList<Roster::Participant>;

// The host engine switched on by the connection half, as the program's own adapter does.
class EngineControl : public HostControl {
public:
    explicit EngineControl(HostEngine &engine)
        : m_engine(engine)
    {
    }
    bool listen(quint16 port) override { return m_engine.listen(port); }
    bool listenOnLoopback(quint16 port) override { return m_engine.listenOnLoopback(port); }
    bool isListening() const override { return m_engine.isListening(); }
    quint16 serverPort() const override { return m_engine.serverPort(); }
    QString errorString() const override { return m_engine.errorString(); }

private:
    HostEngine &m_engine;
};

// One participant: a connection half with recording halves around it.
struct Participant {
    Participant(ConnectionProbe &probe, HostEngine *host, quint16 port)
        : lines(probe)
        , sounds(probe)
        , handlers(probe)
    {
        QObject::connect(&game, &ClientGame::loginChanged, &probe, &ConnectionProbe::poke);
        QObject::connect(&game, &ClientGame::seatChanged, &probe, &ConnectionProbe::poke);
        QObject::connect(&game, &ClientGame::justWatchChanged, &probe, &ConnectionProbe::poke);
        QObject::connect(&roster, &Roster::changed, &probe, &ConnectionProbe::poke);
        half = std::make_unique<ConnectionHalf>(context, game, roster);
        ConnectionPeers peers;
        peers.board = &handlers;
        peers.chat = &handlers;
        peers.lines = &lines;
        peers.sounds = &sounds;
        peers.loadinifile = [this, &probe] {
            ++loads;
            loadSeenSlot = game.ownSlot();
            probe.poke();
        };
        half->setPeers(peers);
        if (host) {
            hostControl = std::make_unique<EngineControl>(*host);
            half->setHost(hostControl.get());
        }
        half->setPort(port);
    }

    bool hasConnected() const { return lines.has(kConnected); }

    std::unique_ptr<EngineControl> hostControl;
    ClientContext context;
    ClientGame game;
    Roster roster;
    RecordingLines lines;
    RecordingSounds sounds;
    RecordingHandlers handlers;
    int loads = 0;
    int loadSeenSlot = -1;
    std::unique_ptr<ConnectionHalf> half;
};

class ConnectionHalfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        host = std::make_unique<HostEngine>(folder.path());
    }

    // A solo start: the host listens on a free port and its own client logs in.
    Participant &startSolo()
    {
        hostClient = std::make_unique<Participant>(probe, host.get(), 0);
        hostClient->half->processparams({});
        EXPECT_TRUE(probe.waitUntil([this] { return hostClient->hasConnected(); }));
        return *hostClient;
    }

    std::unique_ptr<Participant> join(const QString &name, const QString &address = QStringLiteral("127.0.0.1"))
    {
        auto guest = std::make_unique<Participant>(probe, nullptr, host->serverPort());
        guest->half->processparams({name, address, QStringLiteral("false")});
        Participant *raw = guest.get();
        EXPECT_TRUE(probe.waitUntil([raw] { return raw->hasConnected(); })) << name.toStdString();
        return guest;
    }

    QTemporaryDir folder;
    ConnectionProbe probe;
    std::unique_ptr<HostEngine> host;
    std::unique_ptr<Participant> hostClient;
};

TEST_F(ConnectionHalfTest, soloStartHostsAndLogsInAsSlotOneYou)
{
    auto &you = *(hostClient = std::make_unique<Participant>(probe, host.get(), 0));
    QSignalSpy started(you.half.get(), &ConnectionHalf::hostingStarted);
    you.half->processparams({});
    ASSERT_TRUE(probe.waitUntil([&you] { return you.hasConnected() && you.loads == 1; }));

    EXPECT_EQ(started.count(), 1);
    EXPECT_TRUE(host->isListening());
    EXPECT_EQ(you.game.ownSlot(), 1);
    EXPECT_TRUE(you.game.loggedIn());
    EXPECT_TRUE(you.game.hostFlag());
    EXPECT_EQ(you.context.playerName, QStringLiteral("You"));
    EXPECT_EQ(you.context.hostAddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(you.lines.lines(),
              (QStringList{QStringLiteral("0+Loading Solo Game..Please wait."), kConnected,
                           QStringLiteral("0+View Quick Instructions by clicking Ctrl-i")}));
    EXPECT_EQ(you.lines.colourOf(kConnected), kNoticeColour);
    EXPECT_EQ(you.game.seatName(1), QStringLiteral("You"));
    EXPECT_EQ(you.game.seatName(2), QStringLiteral("<Waiting>"));
    EXPECT_EQ(you.sounds.played, QStringList{QStringLiteral("entered")});
    EXPECT_FALSE(you.half->lobbyLinkStarted());
}

TEST_F(ConnectionHalfTest, secondClientJoinsSeatTwo)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));

    EXPECT_EQ(bob->game.ownSlot(), 2);
    EXPECT_FALSE(bob->game.hostFlag());
    EXPECT_EQ(bob->loads, 1);
    EXPECT_EQ(bob->loadSeenSlot, 2) << "settings are read once the own slot is known";
    EXPECT_TRUE(bob->half->lobbyLinkStarted());
    ASSERT_TRUE(probe.waitUntil([&] { return bob->game.seatName(1) == QStringLiteral("You"); }));
    EXPECT_EQ(bob->game.seatName(2), QStringLiteral("Bob"));
    EXPECT_EQ(bob->lines.lines().mid(0, 2),
              (QStringList{QStringLiteral("0+Press CONTROL-I in order to see QUICK INSTRUCTIONS!"),
                           QStringLiteral("0+Loading Multi-player Game.. Please Wait.")}));
    EXPECT_TRUE(bob->lines.has(QStringLiteral("0+You is Connected.")));

    ASSERT_TRUE(probe.waitUntil([&] { return you.lines.has(QStringLiteral("0+Bob is Connected.")); }));
    EXPECT_EQ(you.game.seatName(2), QStringLiteral("Bob"));
    EXPECT_EQ(you.roster.present(), (Present{{1, "You"}, {2, "Bob"}}));
    EXPECT_EQ(you.sounds.played.count(QStringLiteral("entered")), 2);
}

// The hosting copy listens on IPv4 and IPv6 alike; a joining copy takes an address of
// either kind or a host name.
TEST_F(ConnectionHalfTest, participantsJoinByIPv6AddressAndByHostName)
{
    QTcpServer probeIPv6;
    if (!probeIPv6.listen(QHostAddress::LocalHostIPv6, 0))
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    probeIPv6.close();
    startSolo();
    auto bob = join(QStringLiteral("Bob"), QStringLiteral("::1"));
    auto cy = join(QStringLiteral("Cy"), QStringLiteral("localhost"));
    EXPECT_EQ(bob->game.ownSlot(), 2);
    EXPECT_EQ(cy->game.ownSlot(), 3);
}

TEST_F(ConnectionHalfTest, thirdClientSpiesAndEverybodyListsIt)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    auto cy = join(QStringLiteral("Cy"));

    EXPECT_EQ(cy->game.ownSlot(), 3);
    EXPECT_TRUE(cy->lines.has(QStringLiteral("0+You are spying.")));
    ASSERT_TRUE(probe.waitUntil([&] {
        return you.lines.has(QStringLiteral("0+Cy is spying.")) && bob->lines.has(QStringLiteral("0+Cy is spying."));
    }));
    for (const Participant *p : {&you, bob.get(), cy.get()})
        EXPECT_EQ(p->roster.spectators(), (Present{{3, "Cy"}}));
    EXPECT_TRUE(probe.waitUntil([&] {
        return cy->game.seatName(1) == QStringLiteral("You") && cy->game.seatName(2) == QStringLiteral("Bob");
    }));
}

TEST_F(ConnectionHalfTest, departuresAreAnnouncedAndSeatTwoFallsToTheComputer)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    auto cy = join(QStringLiteral("Cy"));
    ASSERT_TRUE(probe.waitUntil([&] { return you.roster.spectators().size() == 1; }));

    cy.reset();
    const QString cyLeft = QStringLiteral("0+Cy has left.");
    ASSERT_TRUE(probe.waitUntil([&] { return you.lines.has(cyLeft) && bob->lines.has(cyLeft); }));
    EXPECT_EQ(you.lines.colourOf(cyLeft), QColor(0, 0, 128));
    EXPECT_TRUE(you.roster.spectators().isEmpty());

    bob.reset();
    ASSERT_TRUE(probe.waitUntil([&] { return you.lines.has(QStringLiteral("0+Bob disconnected.")); }));
    EXPECT_EQ(you.game.seatName(2), QStringLiteral("Vumi"));
    EXPECT_EQ(you.roster.present(), (Present{{1, "You"}}));
    EXPECT_FALSE(you.game.seat(2)->justWatching);
}

TEST_F(ConnectionHalfTest, hostRemovesASpectator)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    auto cy = join(QStringLiteral("Cy"));
    QSignalSpy cyClosed(cy->half.get(), &ConnectionHalf::connectionClosed);
    QSignalSpy bobClosed(bob->half.get(), &ConnectionHalf::connectionClosed);

    you.half->kicking(3);
    EXPECT_TRUE(cyClosed.wait(5000));
    ASSERT_TRUE(probe.waitUntil([&] { return you.lines.has(QStringLiteral("0+Cy has left.")); }));
    EXPECT_EQ(bobClosed.count(), 0);
    EXPECT_TRUE(you.half->connected());
}

TEST_F(ConnectionHalfTest, aRemovalIsAskedFirstAndADeclinedOneSendsNothing)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    auto cy = join(QStringLiteral("Cy"));
    QSignalSpy cyClosed(cy->half.get(), &ConnectionHalf::connectionClosed);
    QStringList asked;
    bool answer = false;
    you.half->setRemovalConfirm([&](const QString &question) {
        asked << question;
        return answer;
    });

    you.half->kicking(3);
    // A chat round trip proves a removal sent above would have been handled by now.
    you.half->sendRequest(net::toHost::chat(1, QStringLiteral("ping"), QStringLiteral("clBlack")));
    ASSERT_TRUE(probe.waitUntil([&] { return cy->handlers.calls.size() == 1; }));
    EXPECT_EQ(cyClosed.count(), 0);
    EXPECT_EQ(asked, QStringList{QStringLiteral("Remove Cy from the game?")});

    answer = true;
    you.half->kicking(3);
    EXPECT_TRUE(cyClosed.wait(5000));
}

TEST_F(ConnectionHalfTest, onlyTheHostMayRemoveAndNobodyRemovesItself)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    auto cy = join(QStringLiteral("Cy"));
    QSignalSpy cyClosed(cy->half.get(), &ConnectionHalf::connectionClosed);
    QSignalSpy youClosed(you.half.get(), &ConnectionHalf::connectionClosed);

    bob->half->kicking(3);  // not the hosting process: nothing is sent
    you.half->kicking(1);  // the host's own slot: refused
    // A chat round trip proves the requests above would have been handled by now.
    you.half->sendRequest(net::toHost::chat(1, QStringLiteral("ping"), QStringLiteral("clBlack")));
    ASSERT_TRUE(probe.waitUntil([&] { return cy->handlers.calls.size() == 1; }));
    EXPECT_EQ(cyClosed.count(), 0);
    EXPECT_EQ(youClosed.count(), 0);
}

TEST_F(ConnectionHalfTest, justWatchRoundTripFollowsTheHostsAnswer)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    QSignalSpy checked(&bob->game, &ClientGame::justWatchChanged);

    bob->half->JustWatch1Click();
    EXPECT_FALSE(bob->game.justWatchChecked()) << "the check mark waits for the host";
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_TRUE(checked.last().at(0).toBool());
    EXPECT_TRUE(bob->game.justWatchChecked());
    const QString watching = QStringLiteral("0+Bob is just watching");
    ASSERT_TRUE(probe.waitUntil([&] { return you.lines.has(watching) && you.game.seat(2)->justWatching; }));
    EXPECT_EQ(you.lines.colourOf(watching), QColor(0, 128, 0));
    EXPECT_FALSE(you.game.justWatchChecked()) << "another seat's mark is not ours";

    bob->half->JustWatch1Click();
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_FALSE(bob->game.justWatchChecked());
    ASSERT_TRUE(probe.waitUntil([&] { return you.lines.has(QStringLiteral("0+Bob is now playing again")); }));
    EXPECT_FALSE(you.game.seat(2)->justWatching);
}

TEST_F(ConnectionHalfTest, theHostsSeatMenuSetsAnotherSeatToJustWatchAndRemovesIt)
{
    Participant &you = startSolo();
    auto bob = join(QStringLiteral("Bob"));
    ASSERT_TRUE(probe.waitUntil([&] { return you.roster.isPresent(2); }));
    SeatMenu menu(you.game, you.roster, *you.half);
    QSignalSpy checked(&bob->game, &ClientGame::justWatchChanged);

    menu.label_playername2ContextPopup(2);
    menu.setToJustWatchAction()->trigger();
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_TRUE(bob->game.justWatchChecked());
    menu.unsetJustWatchAction()->trigger();
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_FALSE(bob->game.justWatchChecked());

    QSignalSpy bobClosed(bob->half.get(), &ConnectionHalf::connectionClosed);
    menu.removeFromGameAction()->trigger();
    EXPECT_TRUE(bobClosed.wait(5000));
}

TEST_F(ConnectionHalfTest, spectatorsJustWatchIsIgnored)
{
    startSolo();
    auto bob = join(QStringLiteral("Bob"));
    auto cy = join(QStringLiteral("Cy"));
    QSignalSpy checked(&cy->game, &ClientGame::justWatchChanged);
    cy->half->JustWatch1Click();
    // Bob's request goes after Cy's; once Bob's answer is in, Cy's would have been too.
    QSignalSpy bobChecked(&bob->game, &ClientGame::justWatchChanged);
    bob->half->JustWatch1Click();
    ASSERT_TRUE(bobChecked.wait(5000));
    ASSERT_TRUE(probe.waitUntil([&] { return cy->lines.has(QStringLiteral("0+Bob is just watching")); }));
    EXPECT_EQ(checked.count(), 0);
    EXPECT_FALSE(cy->game.justWatchChecked());
}

// Which arguments make which mode is StartModeTest's; here, what each mode starts.
TEST_F(ConnectionHalfTest, anIncompleteCommandLineGivesTheNoticesAndNothingMore)
{
    Participant ann(probe, host.get(), 0);
    QSignalSpy started(ann.half.get(), &ConnectionHalf::hostingStarted);
    ann.half->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1")});
    EXPECT_EQ(ann.lines.lines(),
              (QStringList{QStringLiteral("0+Press CONTROL-I in order to see QUICK INSTRUCTIONS!"),
                           QStringLiteral("0+Loading Multi-player Game.. Please Wait.")}));
    EXPECT_EQ(ann.context.playerName, QStringLiteral("Ann"));
    EXPECT_FALSE(ann.half->connected());
    EXPECT_FALSE(ann.half->lobbyLinkStarted());
    EXPECT_FALSE(ann.game.hostFlag());
    EXPECT_EQ(started.count(), 0);
    EXPECT_FALSE(host->isListening());
}

TEST_F(ConnectionHalfTest, hostModeHostsUnderTheGivenNameAndIgnoresTheAddress)
{
    Participant ann(probe, host.get(), 0);
    ann.half->processparams({QStringLiteral("Ann"), QStringLiteral("192.0.2.1"), QStringLiteral("true")});
    EXPECT_TRUE(ann.game.hostFlag());
    EXPECT_TRUE(host->isListening());
    EXPECT_TRUE(ann.half->lobbyLinkStarted());
    ASSERT_TRUE(probe.waitUntil([&] { return ann.hasConnected(); }));
    EXPECT_EQ(ann.game.seatName(1), QStringLiteral("Ann"));
}

TEST_F(ConnectionHalfTest, hostingOnATakenPortGivesANoticeAndNoConnection)
{
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::Any, 0));
    Participant ann(probe, host.get(), squatter.serverPort());
    QSignalSpy started(ann.half.get(), &ConnectionHalf::hostingStarted);
    ann.half->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")});
    const auto said = [&ann](const QString &text) {
        return std::any_of(ann.lines.notices.begin(), ann.lines.notices.end(),
                           [&text](const auto &notice) { return notice.line.contains(text); });
    };
    EXPECT_TRUE(said(QStringLiteral("0+Could not start the game on port ")));
    // What to do about it: another copy may hold the port, and another one can be chosen.
    EXPECT_TRUE(said(QStringLiteral("QUARN_PORT")));
    EXPECT_FALSE(ann.game.hostFlag());
    EXPECT_FALSE(ann.half->connected());
    EXPECT_EQ(started.count(), 0);
}

// A second user's solo game on the same machine: its host moves to a free loopback port
// and its client follows it there.
TEST_F(ConnectionHalfTest, aSoloGameWhosePortIsTakenStartsOnAnotherPort)
{
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, 0));
    auto &you = *(hostClient = std::make_unique<Participant>(probe, host.get(), squatter.serverPort()));
    you.half->processparams({});
    ASSERT_TRUE(probe.waitUntil([&you] { return you.hasConnected(); }));
    EXPECT_NE(host->serverPort(), squatter.serverPort());
    EXPECT_EQ(you.game.ownSlot(), 1);
}

TEST_F(ConnectionHalfTest, aJoiningAddressCarriesItsOwnPort)
{
    startSolo();
    Participant bob(probe, nullptr, 1);  // the default port is not the host's
    bob.half->processparams({QStringLiteral("Bob"), QStringLiteral("127.0.0.1:") + QString::number(host->serverPort()),
                             QStringLiteral("false")});
    ASSERT_TRUE(probe.waitUntil([&bob] { return bob.hasConnected(); }));
    EXPECT_EQ(bob.context.hostAddress, QStringLiteral("127.0.0.1"));
}

TEST_F(ConnectionHalfTest, anAddressThatCannotBeJoinedGivesANoticeAndNoConnection)
{
    Participant bob(probe, nullptr, 7772);
    bob.half->processparams({QStringLiteral("Bob"), QStringLiteral("quarn://host/x"), QStringLiteral("false")});
    ASSERT_EQ(bob.lines.notices.size(), 3);
    EXPECT_TRUE(bob.lines.notices.at(2).line.startsWith(QStringLiteral("0+Cannot join the game at quarn://host/x: ")));
    EXPECT_FALSE(bob.half->connected());
    EXPECT_FALSE(bob.half->lobbyLinkStarted());
}

TEST_F(ConnectionHalfTest, aFailedJoinIsAnnouncedAndCanBeTriedAgain)
{
    QTcpServer vacated;
    ASSERT_TRUE(vacated.listen(QHostAddress::LocalHost, 0));
    const quint16 port = vacated.serverPort();
    vacated.close();  // nobody listens there now: "Connection refused"
    Participant ann(probe, nullptr, port);
    QSignalSpy failed(ann.half.get(), &ConnectionHalf::connectFailed);
    ann.half->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_FALSE(ann.half->connected());

    ASSERT_TRUE(host->listen(port, QHostAddress::LocalHost));
    ann.half->joinpress();
    ASSERT_TRUE(probe.waitUntil([&ann] { return ann.hasConnected(); }));
    EXPECT_EQ(ann.game.ownSlot(), 1);
}

TEST_F(ConnectionHalfTest, gameIsFullWaitsForTheUserBeforeClosing)
{
    FullGameServer fullHost;
    ASSERT_TRUE(fullHost.isListening());
    Participant ann(probe, nullptr, fullHost.serverPort());
    QSignalSpy full(ann.half.get(), &ConnectionHalf::gameFull);
    QSignalSpy closed(ann.half.get(), &ConnectionHalf::connectionClosed);
    ann.half->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(full.wait(5000));
    EXPECT_EQ(full.count(), 1);
    EXPECT_EQ(closed.count(), 0);
    EXPECT_FALSE(ann.game.loggedIn());
}

TEST_F(ConnectionHalfTest, closedConnectionEndsTheClient)
{
    startSolo();
    auto bob = join(QStringLiteral("Bob"));
    QSignalSpy closed(bob->half.get(), &ConnectionHalf::connectionClosed);
    host.reset();  // the hosting program ends
    EXPECT_TRUE(closed.wait(5000));
    EXPECT_EQ(closed.count(), 1);
}

// A host that sends faster than the client handles, without end, is cut off like a
// flooding participant is at the host: what waits in the client stays bounded.
TEST_F(ConnectionHalfTest, aFloodFromTheHostBeyondTheQueueBoundClosesTheConnection)
{
    QTcpServer floodingHost;
    ASSERT_TRUE(floodingHost.listen(QHostAddress::LocalHost, 0));
    const QByteArray line = net::toClient::chat(2, QStringLiteral("Bob"), QString(100, QLatin1Char('x')));
    QObject::connect(&floodingHost, &QTcpServer::newConnection, &floodingHost, [&] {
        QTcpSocket *socket = floodingHost.nextPendingConnection();
        socket->write(line.repeated(4000));  // about 500 KiB queued at once
    });
    Participant ann(probe, nullptr, floodingHost.serverPort());
    QSignalSpy closed(ann.half.get(), &ConnectionHalf::connectionClosed);
    ann.half->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_FALSE(ann.half->connected());
}

TEST_F(ConnectionHalfTest, requestsWaitForTheLogin)
{
    Participant ann(probe, nullptr, 0);
    ann.half->sendRequest(net::toHost::chat(1, QStringLiteral("hi"), QStringLiteral("clBlack")));
    ann.half->JustWatch1Click();
    ann.half->kicking(2);
    EXPECT_FALSE(ann.half->connected());
    EXPECT_TRUE(ann.lines.notices.isEmpty());
}

// --- dispatch ---------------------------------------------------------------------------

// A client that never connected, fed one message at a time.
class LoneClient {
protected:
    ConnectionProbe probe;
    Participant client{probe, nullptr, 0};
};

// Each message either reaches its board or chat handler with the rest of its fields, or
// shows one notice line.
struct MessageRow {
    const char *message;
    const char *call;  // empty: no handler is called
    const char *notice;  // empty: no line is shown
};

QStringList listOf(const char *text)
{
    return *text ? QStringList{QString::fromUtf8(text)} : QStringList();
}

class ConnectionMessageTest : public LoneClient, public ::testing::TestWithParam<MessageRow> { };

TEST_P(ConnectionMessageTest, commandReachesItsHandlerOrShowsItsNotice)
{
    client.half->dispatchMessage(QByteArray(GetParam().message));
    EXPECT_EQ(client.handlers.calls, listOf(GetParam().call));
    EXPECT_EQ(client.lines.lines(), listOf(GetParam().notice));
}

INSTANTIATE_TEST_SUITE_P(
    BoardAndChat, ConnectionMessageTest,
    ::testing::Values(MessageRow{"CMD_chat+1+You chats: hi|clBlack", "chatReceived:1+You chats: hi|clBlack", ""},
                      MessageRow{"CMD_action+2+Bob waves|clRed", "chatReceived:2+Bob waves|clRed", ""},
                      MessageRow{"CMD_playasound+1+wave3+", "playasound:1+wave3+", ""},
                      MessageRow{"CMD_startgame+You+30+200+10000+", "startthegame:You+30+200+10000+", ""},
                      MessageRow{"CMD_nextplayer+2+5", "getnextplayer:2+5", ""},
                      MessageRow{"CMD_winner+1", "winner:1", ""},
                      MessageRow{"CMD_letters+1+1+5+2+7", "letters:1+1+5+2+7", ""},
                      MessageRow{"CMD_newletter+1+3+9", "newletter:1+3+9", ""},
                      MessageRow{"CMD_placemyletter+1+2+3+4", "placemyletter:1+2+3+4", ""},
                      MessageRow{"CMD_discardextra+1+2", "discardextra:1+2", ""},
                      MessageRow{"CMD_discardletter+2+4", "discardletter:2+4", ""},
                      MessageRow{"CMD_tradingmyletter+1+2+3+4+5", "tradingmyletter:1+2+3+4+5", ""},
                      MessageRow{"CMD_notvalid+1", "notvalid:1", ""},
                      MessageRow{"CMD_formedword+1+cat+5+12", "formedword:1+cat+5+12", ""},
                      MessageRow{"CMD_stoldletter+1+2+3+4+5", "stoldletter:1+2+3+4+5", ""},
                      MessageRow{"CMD_timeup+", "timeup:", ""},
                      MessageRow{"CMD_gamestats+30+200+5+0+0", "gamestats:30+200+5+0+0", ""},
                      MessageRow{"CMD_toomany+2", "toomany:2", ""},
                      MessageRow{"CMD_placetheletters+1+1+3+2+1+4", "placetheletters:1+1+3+2+1+4", ""},
                      MessageRow{"CMD_havewrongversion+Bob", "", "0+Bob has a different version of the game then you."},
                      MessageRow{"CMD_wrongversion+", "", "0+You have a differnt version of the game then the host."}));

class ConnectionBadInputTest : public LoneClient, public ::testing::TestWithParam<const char *> { };

// Each is dropped with one warning; an empty message is no message at all.
TEST_P(ConnectionBadInputTest, malformedOrUnknownMessageIsDroppedAndChangesNothing)
{
    WarningCounter warnings("quarn.client");
    client.half->dispatchMessage(QByteArray(GetParam()));
    EXPECT_EQ(warnings.count(), *GetParam() ? 1 : 0);
    EXPECT_TRUE(client.lines.notices.isEmpty());
    EXPECT_TRUE(client.handlers.calls.isEmpty());
    EXPECT_EQ(client.game.seatName(1), QStringLiteral("<Waiting>"));
    EXPECT_EQ(client.game.ownSlot(), 0);
    EXPECT_FALSE(client.game.loggedIn());
    EXPECT_TRUE(client.roster.present().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Messages, ConnectionBadInputTest,
                         ::testing::Values("", "+", "CMD_bogus+1+2", "cmd_chat+1+x", "CMD_sendlogininfo+x",
                                           "CMD_sendlogininfo+0", "CMD_sendlogininfo+12", "CMD_newplayerinfo+x+Bob",
                                           "CMD_newplayerinfo+0+Bob", "CMD_playerdisconnected+1x+Bob",
                                           "CMD_justwatching+x+1", "CMD_justwatching+3+1", "CMD_sendlogininfo",
                                           "CMD_existingplayers+10+Bob", "CMD_existingplayers+x+Bob",
                                           "CMD_justwatching+1+x", "CMD_playerdisconnected+0+Bob",
                                           "CMD_playerdisconnected+10+Bob"));

}  // namespace
