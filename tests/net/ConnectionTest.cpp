// net::Connection over loopback: whole messages across reads, sending, and every way a
// connection ends (peer close, reset, our close, an overlong message, a peer that does
// not read, a refused connect), each reported once.
#include "net/Connection.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <sys/socket.h>

namespace {

using net::Connection;

constexpr int kWaitMs = 5000;

// A client Connection and the raw socket the server accepted for it.
class ConnectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        connection = std::make_unique<Connection>();
        QSignalSpy connected(connection.get(), &Connection::connected);
        connection->connectToHost(QStringLiteral("127.0.0.1"), m_server.serverPort());
        ASSERT_TRUE(connected.count() == 1 || connected.wait(kWaitMs));
        ASSERT_TRUE(m_server.hasPendingConnections() || m_server.waitForNewConnection(kWaitMs));
        peer.reset(m_server.nextPendingConnection());
        ASSERT_NE(peer, nullptr);
        peer->setParent(nullptr);
        ASSERT_TRUE(connection->isOpen());
    }

    // Everything the peer receives until the connection closes.
    QByteArray peerReadsToEnd()
    {
        QByteArray all;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                all += peer->readAll();
                return peer->state() == QAbstractSocket::UnconnectedState;
            },
            kWaitMs));
        all += peer->readAll();
        return all;
    }

    QTcpServer m_server;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<QTcpSocket> peer;
};

TEST_F(ConnectionTest, AMessageSplitOverTwoWritesArrivesWhole)
{
    QSignalSpy received(connection.get(), &Connection::messageReceived);
    peer->write("CMD_first+1+\xFF"
                "CMD_chat+1+he");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 1; }, kWaitMs));
    // The first read is handled; its tail must wait for the rest.
    peer->write("llo|clBlack\xFF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 2; }, kWaitMs));
    EXPECT_EQ(received.at(0).at(0).toByteArray(), QByteArray("CMD_first+1+"));
    EXPECT_EQ(received.at(1).at(0).toByteArray(), QByteArray("CMD_chat+1+hello|clBlack"));
}

TEST_F(ConnectionTest, ThreeMessagesInOneWriteArriveInOrder)
{
    QSignalSpy received(connection.get(), &Connection::messageReceived);
    peer->write("CMD_a+1\xFF"
                "CMD_b+2\xFF"
                "CMD_c+3\xFF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 3; }, kWaitMs));
    EXPECT_EQ(received.at(0).at(0).toByteArray(), QByteArray("CMD_a+1"));
    EXPECT_EQ(received.at(1).at(0).toByteArray(), QByteArray("CMD_b+2"));
    EXPECT_EQ(received.at(2).at(0).toByteArray(), QByteArray("CMD_c+3"));
}

TEST_F(ConnectionTest, SentMessagesReachThePeerInOrder)
{
    QByteArray expected;
    for (int i = 0; i < 200; ++i) {
        const QByteArray message = "CMD_chat+" + QByteArray::number(i) + "+x\xFF";
        expected += message;
        ASSERT_TRUE(connection->send(message));
    }
    QByteArray got;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            got += peer->readAll();
            return got.size() >= expected.size();
        },
        kWaitMs));
    EXPECT_EQ(got, expected);
}

TEST_F(ConnectionTest, AnOrderlyCloseByThePeerIsReportedOnce)
{
    QSignalSpy closed(connection.get(), &Connection::closed);
    QSignalSpy finished(connection.get(), &Connection::finished);
    peer->disconnectFromHost();
    ASSERT_TRUE(closed.wait(kWaitMs));
    ASSERT_TRUE(finished.count() == 1 || finished.wait(kWaitMs));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(connection->isOpen());
    EXPECT_FALSE(connection->send("CMD_chat+1+late\xFF"));
}

TEST_F(ConnectionTest, AResetByThePeerIsHandledAsAClose)
{
    QSignalSpy closed(connection.get(), &Connection::closed);
    // Linger with a zero time-out makes the close a reset (RST) instead of a FIN.
    const struct linger hard = {1, 0};
    ASSERT_EQ(::setsockopt(static_cast<int>(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard), 0);
    peer->abort();
    ASSERT_TRUE(closed.wait(kWaitMs));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(connection->isOpen());
}

TEST_F(ConnectionTest, CloseReportsAtOnceAndStillDeliversWhatWasSent)
{
    QSignalSpy closed(connection.get(), &Connection::closed);
    QSignalSpy finished(connection.get(), &Connection::finished);
    ASSERT_TRUE(connection->send("CMD_full+\xFF"));
    connection->close(QStringLiteral("game full"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(closed.at(0).at(0).toString(), QStringLiteral("game full"));
    EXPECT_EQ(peerReadsToEnd(), QByteArray("CMD_full+\xFF"));
    ASSERT_TRUE(finished.count() == 1 || finished.wait(kWaitMs));
    connection->close();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(ConnectionTest, AbortReportsOnceAndThePeerSeesTheClose)
{
    QSignalSpy closed(connection.get(), &Connection::closed);
    connection->abort(QStringLiteral("test"));
    connection->abort(QStringLiteral("again"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(connection->closeReason(), QStringLiteral("test"));
    peerReadsToEnd();
    EXPECT_EQ(peer->state(), QAbstractSocket::UnconnectedState);
}

TEST_F(ConnectionTest, AnOverlongMessageIsSkippedAndTheConnectionStays)
{
    QSignalSpy received(connection.get(), &Connection::messageReceived);
    peer->write(QByteArray(net::MessageFramer::kMaxMessageSize + 1, 'a')
                + "\xFF"
                  "CMD_a+1\xFF");
    ASSERT_TRUE(received.wait(kWaitMs));
    EXPECT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toByteArray(), QByteArray("CMD_a+1"));
    EXPECT_EQ(connection->skippedMessages(), 1);
    EXPECT_TRUE(connection->isOpen());
}

TEST_F(ConnectionTest, AStreamThatNeverEndsItsMessageClosesTheConnection)
{
    QSignalSpy received(connection.get(), &Connection::messageReceived);
    QSignalSpy closed(connection.get(), &Connection::closed);
    peer->write(QByteArray(net::MessageFramer::kMaxUnterminated + 1, 'a'));
    ASSERT_TRUE(closed.wait(kWaitMs));
    EXPECT_EQ(received.count(), 0);
    EXPECT_TRUE(connection->closeReason().contains(QStringLiteral("without a message end")));
    peerReadsToEnd();
    EXPECT_EQ(peer->state(), QAbstractSocket::UnconnectedState);
}

TEST_F(ConnectionTest, APeerThatDoesNotReadIsClosedFromTheEventLoop)
{
    // The peer takes at most a few bytes into its own buffer; the rest backs up.
    peer->setReadBufferSize(16);
    QSignalSpy closed(connection.get(), &Connection::closed);
    const QByteArray chunk = QByteArray(60000, 'a') + '\xFF';
    bool refused = false;
    for (int i = 0; i < 2000 && !refused; ++i) {
        refused = !connection->send(chunk);
        if (!refused)
            QCoreApplication::processEvents();
    }
    ASSERT_TRUE(refused);
    // Not from inside send(): whoever was sending finishes first.
    EXPECT_EQ(closed.count(), 0);
    ASSERT_TRUE(closed.wait(kWaitMs));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(connection->closeReason().contains(QStringLiteral("does not read")));
    EXPECT_FALSE(connection->send("CMD_chat+1+x\xFF"));
}

TEST(ConnectionRefused, AConnectThatFailsReportsConnectFailedAndNeverClosed)
{
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    Connection connection;
    QSignalSpy failed(&connection, &Connection::connectFailed);
    QSignalSpy closed(&connection, &Connection::closed);
    connection.connectToHost(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(failed.wait(kWaitMs));
    EXPECT_EQ(closed.count(), 0);
    EXPECT_FALSE(connection.isOpen());
    EXPECT_FALSE(connection.send("CMD_chat+1+x\xFF"));
}

}  // namespace
