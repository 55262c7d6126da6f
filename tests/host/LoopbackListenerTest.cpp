// The solo game's listener: reachable from this machine's loopback addresses only, and
// moved to a free port when its own is taken (a second user's solo game).
#include "HostTestClient.h"

#include "host/HostEngine.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

bool hasIpv6Loopback()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHostIPv6, 0);
}

// What a connection to `address` meets: the host's first message (a slot; which one
// depends on whether an earlier connection's departure was handled yet), or a refusal.
enum class Outcome { Welcomed, Refused, Other };

Outcome connectionTo(const QHostAddress &address, quint16 port)
{
    QTcpSocket socket;
    QByteArray received;
    std::optional<QAbstractSocket::SocketError> error;
    QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [&] { received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &socket, [&](QAbstractSocket::SocketError e) { error = e; });
    socket.connectToHost(address, port);
    const QByteArray welcome = net::toClient::sendlogininfo(1).chopped(2);  // "CMD_sendlogininfo+"
    const auto welcomed = [&] { return received.startsWith(welcome) && received.endsWith(net::kTerminator); };
    if (!QTest::qWaitFor([&] { return error || welcomed(); }, HostTestClient::kWaitMs))
        return Outcome::Other;
    if (welcomed())
        return Outcome::Welcomed;
    return error == QAbstractSocket::ConnectionRefusedError ? Outcome::Refused : Outcome::Other;
}

class LoopbackListenerTest : public testing::Test {
protected:
    void TearDown() override { solo.closeAll(); }

    QTemporaryDir dir;
    HostEngine solo{dir.path(), nullptr, std::make_unique<Random>(3)};
};

TEST_F(LoopbackListenerTest, ASoloGameIsReachedOverLoopback)
{
    ASSERT_TRUE(solo.listenOnLoopback(0)) << solo.errorString().toStdString();
    EXPECT_EQ(connectionTo(QHostAddress::LocalHost, solo.serverPort()), Outcome::Welcomed);
    if (hasIpv6Loopback()) {
        EXPECT_EQ(connectionTo(QHostAddress::LocalHostIPv6, solo.serverPort()), Outcome::Welcomed);
    }
}

TEST_F(LoopbackListenerTest, ASoloGameRefusesEveryOtherAddressOfThisMachine)
{
    QList<QHostAddress> others;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback())
            others.append(address);
    }
    if (others.isEmpty())
        GTEST_SKIP() << "this machine has no address but loopback";
    ASSERT_TRUE(solo.listenOnLoopback(0)) << solo.errorString().toStdString();
    for (const QHostAddress &address : others)
        EXPECT_EQ(connectionTo(address, solo.serverPort()), Outcome::Refused) << address.toString().toStdString();
}

TEST_F(LoopbackListenerTest, ASoloGameWhosePortIsTakenListensOnAnotherOne)
{
    // Each host writes its word list into a folder of its own.
    QTemporaryDir hostedDir;
    QTemporaryDir otherSoloDir;
    HostEngine hosted(hostedDir.path(), nullptr, std::make_unique<Random>(4));
    HostEngine otherSolo(otherSoloDir.path(), nullptr, std::make_unique<Random>(5));
    ASSERT_TRUE(otherSolo.listenOnLoopback(0));
    // Taken by another solo game, and by a game hosted on every address.
    ASSERT_TRUE(hosted.listen(0));
    for (const quint16 taken : {otherSolo.serverPort(), hosted.serverPort()}) {
        QTemporaryDir soloDir;
        HostEngine second(soloDir.path(), nullptr, std::make_unique<Random>(6));
        ASSERT_TRUE(second.listenOnLoopback(taken)) << second.errorString().toStdString();
        EXPECT_NE(second.serverPort(), taken);
        EXPECT_EQ(connectionTo(QHostAddress::LocalHost, second.serverPort()), Outcome::Welcomed);
        second.closeAll();
    }
    hosted.closeAll();
    otherSolo.closeAll();
}

}  // namespace
