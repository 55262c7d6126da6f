// The host over real loopback sockets: accept and slots, the full notice, login and
// catch-up, relays, removal, departure, the one-message-per-tick queue, split reads,
// and the peers that try to impersonate, flood or stall the host while others play on.
#include "HostTestClient.h"

#include "host/ChatRateLimit.h"
#include "host/GameRules.h"
#include "host/HostEngine.h"
#include "host/HostNetwork.h"
#include "host/SeatTable.h"
#include "host/TurnClock.h"
#include "net/Catalogue.h"
#include "net/MessageFramer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <sys/socket.h>

namespace {

using namespace net::toClient;
using Messages = QList<QByteArray>;

// A catalogue message as the client's framer hands it out: terminator removed.
QByteArray bare(const QByteArray &message)
{
    return message.chopped(1);
}

class HostNetworkTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.listen(0)) << engine.errorString().toStdString(); }
    void TearDown() override { engine.clock().stop(); }

    std::unique_ptr<HostTestClient> connectOne()
    {
        auto client = std::make_unique<HostTestClient>(engine.serverPort());
        client->waitForSlot();
        return client;
    }

    std::unique_ptr<HostTestClient> join(const QString &name)
    {
        auto client = connectOne();
        EXPECT_TRUE(client->login(name)) << name.toStdString();
        return client;
    }

    // Host, Ann and Bob logged in at slots 1, 2, 3, their messages so far forgotten.
    void threePresent()
    {
        host = join(QStringLiteral("Host"));
        ann = join(QStringLiteral("Ann"));
        bob = join(QStringLiteral("Bob"));
        ASSERT_TRUE(host->waitFor(bare(newplayerinfo(3, QStringLiteral("Bob")))));
        ASSERT_TRUE(ann->waitFor(bare(newplayerinfo(3, QStringLiteral("Bob")))));
        host->take();
        ann->take();
        bob->take();
    }

    // Proof that the game goes on: a chat from Ann reaches the host player.
    void expectAnnStillChats(const QString &text)
    {
        ann->write(net::toHost::chat(2, text, QStringLiteral("clBlack")));
        EXPECT_TRUE(host->waitFor(bare(chat(2, QStringLiteral("Ann"), text + QStringLiteral("|clBlack")))));
    }

    QTemporaryDir dir;
    HostEngine engine{dir.path(), nullptr, std::make_unique<Random>(11)};
    std::unique_ptr<HostTestClient> host;
    std::unique_ptr<HostTestClient> ann;
    std::unique_ptr<HostTestClient> bob;
};

TEST_F(HostNetworkTest, TheFirstThreeConnectionsGetSlotsOneTwoThree)
{
    std::vector<std::unique_ptr<HostTestClient>> present;
    for (int expected = 1; expected <= 3; ++expected) {
        present.push_back(connectOne());
        EXPECT_EQ(present.back()->slot(), expected);
        EXPECT_EQ(present.back()->raw(), sendlogininfo(expected));
    }
    EXPECT_EQ(engine.table().seatsUsed(), 3);
}

TEST_F(HostNetworkTest, ATenthConnectionReceivesExactlyTheFullNoticeAndIsClosed)
{
    std::vector<std::unique_ptr<HostTestClient>> present;
    for (int i = 1; i <= 9; ++i) {
        present.push_back(connectOne());
        ASSERT_EQ(present.back()->slot(), i);
    }
    HostTestClient tenth(engine.serverPort());
    ASSERT_TRUE(tenth.waitClosed());
    EXPECT_EQ(tenth.raw(), QByteArray("CMD_full+\xFF"));
    EXPECT_EQ(engine.table().seatsUsed(), 9);
    EXPECT_FALSE(engine.table().isConnected(10));
    for (const auto &client : present) {
        EXPECT_FALSE(client->isClosed());
        EXPECT_EQ(client->messages().size(), 1);
    }
}

TEST_F(HostNetworkTest, ALoginProducesThePresenceMessagesInOrder)
{
    host = join(QStringLiteral("Host"));
    ann = connectOne();
    ann->write(net::toHost::logininfo(2, QString::fromLatin1(net::kVersion), QStringLiteral("Ann")));
    ASSERT_TRUE(ann->waitForCount(3));
    ASSERT_TRUE(host->waitFor(bare(newplayerinfo(2, QStringLiteral("Ann")))));
    EXPECT_EQ(ann->raw(),
              sendlogininfo(2) + newplayerinfo(2, QStringLiteral("Ann")) + existingplayers(1, QStringLiteral("Host")));
    EXPECT_EQ(host->raw(),
              sendlogininfo(1) + newplayerinfo(1, QStringLiteral("Host")) + newplayerinfo(2, QStringLiteral("Ann")));
}

TEST_F(HostNetworkTest, ALateJoinerIntoSeatTwoGetsItsExtrasBothBoardsAndTheScores)
{
    host = join(QStringLiteral("Host"));
    SeatTable &table = engine.table();
    table.setRunningGame({45, 150, GameRules::kUnlimitedSteals});
    table.setBoard(1, {0, 0, 19, 20, 1, 18, 0, 0, 0, 0, 0});
    table.setBoard(2, {0, 4, 15, 7, 0, 0, 0, 0, 0, 0, 0});
    table.setExtras(2, {0, 0, 12, 0, 0, 5, 0});
    table.setScore(1, 31);
    table.setScore(2, 17);

    ann = connectOne();
    ASSERT_EQ(ann->slot(), 2);
    ann->write(net::toHost::logininfo(2, QString::fromLatin1(net::kVersion), QStringLiteral("Ann")));
    ASSERT_TRUE(ann->waitForCount(6));
    EXPECT_EQ(ann->raw(),
              sendlogininfo(2) + newplayerinfo(2, QStringLiteral("Ann")) + existingplayers(1, QStringLiteral("Host"))
                  + letters(2, {{2, 12}, {5, 5}})
                  + placetheletters({{1, 2, 19}, {1, 3, 20}, {1, 4, 1}, {1, 5, 18}, {2, 1, 4}, {2, 2, 15}, {2, 3, 7}})
                  + gamestats(45, 150, 10000, 31, 17));
}

TEST_F(HostNetworkTest, ChatActionAndSoundReachEverybodyTheSpeakerIncludedByteForByte)
{
    threePresent();
    const QByteArray chatText = QStringLiteral("naïve + ok|$0080FF00").toUtf8();
    QByteArray expected;
    bob->write("CMD_chat+3+" + chatText + '\xFF');
    expected += "CMD_chat+3+Bob chats: " + chatText + '\xFF';
    ASSERT_TRUE(host->waitFor(bare(expected)));
    ann->write("CMD_action+2+dances|clTeal\xFF");
    expected += "CMD_action+2+Ann dances|clTeal\xFF";
    ASSERT_TRUE(host->waitForCount(2));
    host->write("CMD_playasound+1+wave12+\xFF");
    expected += "CMD_playasound+1+wave12+\xFF";
    for (HostTestClient *client : {host.get(), ann.get(), bob.get()}) {
        ASSERT_TRUE(client->waitForCount(3));
        EXPECT_TRUE(client->raw().endsWith(expected)) << client->slot();
    }
}

TEST_F(HostNetworkTest, OnlySlotOneCanRemoveAParticipant)
{
    threePresent();
    ann->write(net::toHost::kickhim(2, 3));
    ann->write(net::toHost::kickhim(1, 3));  // claiming to be the host changes nothing
    expectAnnStillChats(QStringLiteral("after the tries"));
    EXPECT_FALSE(bob->isClosed());

    host->write(net::toHost::kickhim(1, 3));
    ASSERT_TRUE(bob->waitClosed());
    EXPECT_TRUE(host->waitFor(bare(playerdisconnected(3, QStringLiteral("Bob")))));
    EXPECT_TRUE(ann->waitFor(bare(playerdisconnected(3, QStringLiteral("Bob")))));
    EXPECT_FALSE(engine.table().isConnected(3));
}

TEST_F(HostNetworkTest, TheDepartureOfTheMoverPassesTheTurn)
{
    threePresent();
    SeatTable &table = engine.table();
    table.setRunningGame({30, 0, 3});
    table.setMover(2);
    ann->socket().disconnectFromHost();
    ASSERT_TRUE(host->waitFor(bare(nextplayer(1, 3))));
    const Messages got = host->messages();
    EXPECT_EQ(got.first(), bare(playerdisconnected(2, QStringLiteral("Ann"))));
    EXPECT_EQ(table.whoseTurn(), 1);
    EXPECT_FALSE(table.isConnected(2));
}

TEST_F(HostNetworkTest, AResetConnectionIsHandledAsAClose)
{
    threePresent();
    const struct linger hard = {1, 0};
    ASSERT_EQ(
        ::setsockopt(static_cast<int>(bob->socket().socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard), 0);
    bob->socket().abort();
    ASSERT_TRUE(host->waitFor(bare(playerdisconnected(3, QStringLiteral("Bob")))));
    EXPECT_FALSE(engine.table().isConnected(3));
    auto next = connectOne();
    EXPECT_EQ(next->slot(), 3);
}

TEST_F(HostNetworkTest, ThreeMessagesInOneReadAreHandledOnThreeTicksInOrder)
{
    threePresent();
    QList<qsizetype> leftAtEachTick;
    net::MessageQueue &queue = engine.network().receivedlist();
    QObject::connect(&queue, &net::MessageQueue::messageTaken, &queue,
                     [&](quint64, const QByteArray &) { leftAtEachTick.append(queue.size()); });
    bob->write(net::toHost::chat(3, QStringLiteral("one"), QStringLiteral("clRed"))
               + net::toHost::chat(3, QStringLiteral("two"), QStringLiteral("clRed"))
               + net::toHost::chat(3, QStringLiteral("three"), QStringLiteral("clRed")));
    ASSERT_TRUE(host->waitForCount(3));
    EXPECT_EQ(host->messages(),
              (Messages{bare(chat(3, QStringLiteral("Bob"), QStringLiteral("one|clRed"))),
                        bare(chat(3, QStringLiteral("Bob"), QStringLiteral("two|clRed"))),
                        bare(chat(3, QStringLiteral("Bob"), QStringLiteral("three|clRed")))}));
    EXPECT_EQ(leftAtEachTick, (QList<qsizetype>{2, 1, 0}));
    EXPECT_FALSE(queue.timerActive());
}

TEST_F(HostNetworkTest, AMessageSplitOverTwoWritesArrivesWhole)
{
    threePresent();
    bob->write("CMD_chat+3+first|clRed\xFF"
               "CMD_chat+3+sec");
    ASSERT_TRUE(host->waitForCount(1));
    bob->write("ond|clRed\xFF");
    ASSERT_TRUE(host->waitForCount(2));
    EXPECT_EQ(host->messages().at(1), bare(chat(3, QStringLiteral("Bob"), QStringLiteral("second|clRed"))));
}

TEST_F(HostNetworkTest, RequestsInAnotherParticipantsNameAreDropped)
{
    threePresent();
    ann->write(net::toHost::chat(1, QStringLiteral("I am the host"), QStringLiteral("clBlack")));
    ann->write(net::toHost::justwatch(1, 1));
    ann->write(net::toHost::startgame(QStringLiteral("Ann"), 30, 50, 3));
    expectAnnStillChats(QStringLiteral("just me"));
    EXPECT_EQ(host->messages(), Messages{bare(chat(2, QStringLiteral("Ann"), QStringLiteral("just me|clBlack")))});
    EXPECT_EQ(engine.table().player(1).justwatching, 0);
    EXPECT_FALSE(engine.table().gameInProgress());
}

TEST_F(HostNetworkTest, AStreamThatNeverEndsItsMessageClosesThatConnectionOnly)
{
    threePresent();
    bob->write(QByteArray(net::MessageFramer::kMaxUnterminated + 1, 'a'));
    ASSERT_TRUE(bob->waitClosed());
    EXPECT_TRUE(host->waitFor(bare(playerdisconnected(3, QStringLiteral("Bob")))));
    expectAnnStillChats(QStringLiteral("still here"));
}

TEST_F(HostNetworkTest, MoreRequestBytesWaitingThanTheBoundCloseThatConnectionOnly)
{
    threePresent();
    const QByteArray request = net::toHost::chat(3, QStringLiteral("x"), QStringLiteral("clRed"));
    const qsizetype cost = request.size() - 1 + net::MessageQueue::kEntryCost;
    QByteArray burst;
    for (qsizetype waiting = 0; waiting <= HostNetwork::kMaxQueuedBytes; waiting += cost)
        burst += request;
    bob->write(burst);
    ASSERT_TRUE(bob->waitClosed());
    EXPECT_TRUE(host->waitFor(bare(playerdisconnected(3, QStringLiteral("Bob")))));
    expectAnnStillChats(QStringLiteral("still here"));
    EXPECT_TRUE(engine.network().receivedlist().isEmpty());
    EXPECT_LE(host->messages().size(), ChatRateLimit::kBurst + 2);
}

TEST_F(HostNetworkTest, AParticipantThatDoesNotReadIsClosedAndTheOthersPlayOn)
{
    threePresent();
    bob->socket().setReadBufferSize(16);
    const QByteArray notice = bare(playerdisconnected(3, QStringLiteral("Bob")));
    const QByteArray big = chat(2, QStringLiteral("Ann"), QString(60000, QLatin1Char('z')));
    for (int i = 0; i < 2000 && engine.table().isConnected(3); ++i) {
        engine.network().sendToSlot(3, big);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(host->waitFor(notice));
    EXPECT_FALSE(engine.table().isConnected(3));
    host->take();
    expectAnnStillChats(QStringLiteral("on we go"));
}

// While another participant floods the host, a player's request waits for its turn
// among the connections, not behind the whole flood.
TEST_F(HostNetworkTest, AFloodingParticipantDoesNotHoldUpAnothersRequest)
{
    threePresent();
    QByteArray flood;
    for (int i = 0; i < 200; ++i)
        flood += net::toHost::justwatch(3, 1);  // refused for a spectator, but each takes a tick
    bob->write(flood);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return engine.network().receivedlist().size() >= 100; }, HostTestClient::kWaitMs));
    ann->write(net::toHost::chat(2, QStringLiteral("my move"), QStringLiteral("clBlack")));
    ASSERT_TRUE(host->waitForCount(1));
    EXPECT_GE(engine.network().receivedlist().size(), 90) << "answered while most of the flood still waits";
}

TEST_F(HostNetworkTest, TheListenerTakesIPv6ConnectionsToo)
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHostIPv6, 0))
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    probe.close();
    QTcpSocket socket;
    QByteArray received;
    QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [&] { received += socket.readAll(); });
    socket.connectToHost(QHostAddress::LocalHostIPv6, engine.serverPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return received == sendlogininfo(1); }, HostTestClient::kWaitMs));
}

TEST_F(HostNetworkTest, APortAlreadyInUseIsReportedNotFatal)
{
    QTemporaryDir otherDir;
    HostEngine other(otherDir.path(), nullptr, std::make_unique<Random>(1));
    EXPECT_FALSE(other.listen(engine.serverPort()));
    EXPECT_FALSE(other.isListening());
    EXPECT_TRUE(other.errorString().startsWith(QStringLiteral("Listen - Error Binding Socket")));
    host = join(QStringLiteral("Host"));
    EXPECT_EQ(host->slot(), 1);
}

}  // namespace
