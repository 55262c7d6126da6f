// The join window's probe against real loopback cases: a closed port, a listener that
// never answers, a host that says it is full, one that offers a login, and the window
// naming each error so that the user can try again, and a good join restarting.
// With QUARN_SCREENSHOT_DIR set, the window's ways in are saved there.
#include "windows/JoinProbe.h"
#include "net/Catalogue.h"
#include "windows/RecentGames.h"
#include "windows/Tplaywithothers.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kShortTimeoutMs = 300;
constexpr int kWaitMs = 5000;

// A listener that sends `greeting` to every connection (nothing when empty).
class FakeHost : public QObject {
public:
    explicit FakeHost(QByteArray greeting)
        : m_greeting(std::move(greeting))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                if (!m_greeting.isEmpty())
                    socket->write(m_greeting);
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    QByteArray m_greeting;
    QTcpServer m_server;
};

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

struct ProbeCase {
    const char *name;
    QByteArray greeting;  // the fake host's first words; no host at all when null
    JoinProbe::Outcome outcome;
};

class JoinProbeTest : public testing::TestWithParam<ProbeCase> { };

TEST_P(JoinProbeTest, NamesWhatTheAddressAnswers)
{
    const ProbeCase &c = GetParam();
    std::unique_ptr<FakeHost> host;
    quint16 port = closedPort();
    if (!c.greeting.isNull()) {
        host = std::make_unique<FakeHost>(c.greeting);
        port = host->port();
    }
    JoinProbe probe(kShortTimeoutMs);
    QSignalSpy finished(&probe, &JoinProbe::finished);
    probe.start(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(finished.at(0).at(0).value<JoinProbe::Outcome>(), c.outcome);
    EXPECT_FALSE(probe.running());
}

INSTANTIATE_TEST_SUITE_P(
    Loopback, JoinProbeTest,
    testing::Values(ProbeCase{"closed port", QByteArray(), JoinProbe::Outcome::Refused},
                    ProbeCase{"silent listener", QByteArray(""), JoinProbe::Outcome::NoAnswer},
                    ProbeCase{"full game", net::toClient::full(), JoinProbe::Outcome::Full},
                    ProbeCase{"free place", net::toClient::sendlogininfo(3), JoinProbe::Outcome::Open},
                    ProbeCase{"other program", QByteArray("HTTP/1.1 400 Bad\r\n\r\n\xff"), JoinProbe::Outcome::Failed}),
    [](const auto &info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(JoinProbeTest, ANameNoComputerHasIsNoSuchHost)
{
    JoinProbe probe(kWaitMs);
    QSignalSpy finished(&probe, &JoinProbe::finished);
    probe.start(QStringLiteral("nobody-hosts.invalid"), 7772);
    ASSERT_TRUE(finished.wait(kWaitMs + 1000));
    EXPECT_EQ(finished.at(0).at(0).value<JoinProbe::Outcome>(), JoinProbe::Outcome::NoSuchHost);
}

class TplaywithothersTest : public testing::Test {
protected:
    void SetUp() override { window = std::make_unique<Tplaywithothers>(path(), nullptr, kShortTimeoutMs); }
    QString path() const { return folder.filePath(QStringLiteral("korvexlobby.ini")); }
    template <typename T> T *child(const char *name) const { return window->findChild<T *>(QString::fromLatin1(name)); }
    QString status() const { return child<QLabel>("label_status")->text(); }
    void join(const QString &address)
    {
        child<QLineEdit>("edit_name")->setText(QStringLiteral("Ann"));
        child<QLineEdit>("edit_address")->setText(address);
        QTest::mouseClick(child<QPushButton>("button_join"), Qt::LeftButton);
    }
    void screenshot(const QString &name)
    {
        const QString folderName = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
        if (folderName.isEmpty())
            return;
        // Rows added to a shown window appear once the queued show has run.
        QCoreApplication::processEvents();
        window->grab().save(QDir(folderName).filePath(name));
    }

    QTemporaryDir folder;
    std::unique_ptr<Tplaywithothers> window;
};

TEST_F(TplaywithothersTest, AJoinThatFailsIsNamedAndTheUserCanTryAgain)
{
    RecentGames earlier;
    earlier.remember(QStringLiteral("192.168.1.20:7772"), QStringLiteral("Bob"));
    earlier.remember(QStringLiteral("[2a01:4f8::20]:7800"), QStringLiteral("<b>Eve</b>"));
    ASSERT_TRUE(earlier.save(path()));
    window = std::make_unique<Tplaywithothers>(path(), nullptr, kShortTimeoutMs);
    QSignalSpy restarts(window.get(), &Tplaywithothers::restartRequested);
    window->show();
    child<QTabWidget>("tabs")->setCurrentIndex(1);
    join(QStringLiteral("quarn://192.0.2.1:7772/file"));
    EXPECT_FALSE(status().isEmpty());
    EXPECT_TRUE(window->model().statusIsError());

    const quint16 port = closedPort();
    join(QStringLiteral("127.0.0.1:%1").arg(port));
    QTRY_VERIFY_WITH_TIMEOUT(!window->model().busy(), kWaitMs);
    EXPECT_EQ(status(), JoinProbe::describe(JoinProbe::Outcome::Refused, QStringLiteral("127.0.0.1"), port, 0));
    EXPECT_TRUE(window->model().statusIsError());
    EXPECT_TRUE(child<QPushButton>("button_join")->isEnabled());
    EXPECT_EQ(restarts.count(), 0);
    screenshot(QStringLiteral("play-with-others-join.png"));
}

TEST_F(TplaywithothersTest, AJoinThatFindsAPlaceRestartsAndIsARecentGame)
{
    FakeHost host(net::toClient::sendlogininfo(2));
    QSignalSpy restarts(window.get(), &Tplaywithothers::restartRequested);
    join(QStringLiteral("quarn://127.0.0.1:%1").arg(host.port()));
    ASSERT_TRUE(restarts.wait(kWaitMs));
    EXPECT_EQ(restarts.at(0).at(0).toStringList(),
              (QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    EXPECT_EQ(restarts.at(0).at(1).value<quint16>(), host.port());

    const Tplaywithothers again(path());
    ASSERT_EQ(again.findChild<QListWidget *>(QStringLiteral("list_recent"))->count(), 1);
}

TEST_F(TplaywithothersTest, HostingShowsEachInviteLinkWithACopyButton)
{
    QSignalSpy restarts(window.get(), &Tplaywithothers::restartRequested);
    window->show();
    child<QLineEdit>("edit_name")->setText(QStringLiteral("Ann"));
    QTest::mouseClick(child<QPushButton>("button_host"), Qt::LeftButton);
    ASSERT_EQ(restarts.count(), 1);
    screenshot(QStringLiteral("play-with-others-host.png"));

    using Interface = HostingAddresses::Interface;
    window->showHosting(
        {Interface{true,
                   true,
                   false,
                   {{QHostAddress(QStringLiteral("192.168.1.20"))}, {QHostAddress(QStringLiteral("2a01:4f8::20"))}}}},
        7772);
    window->show();
    QTest::mouseClick(child<QPushButton>("button_copy2"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("quarn://[2a01:4f8::20]:7772"));
    EXPECT_EQ(child<QLabel>("label_link1")->textFormat(), Qt::PlainText);
    screenshot(QStringLiteral("play-with-others-hosting.png"));

    // The router's answer is a plain line, and its link the first one to copy.
    window->model().routerAnswered(QStringLiteral("<b>The router forwards the game.</b>"),
                                   QStringLiteral("quarn://203.0.113.9:7772"));
    QTest::mouseClick(child<QPushButton>("button_copy1"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("quarn://203.0.113.9:7772"));
    EXPECT_EQ(child<QLabel>("label_router1")->textFormat(), Qt::PlainText);
    screenshot(QStringLiteral("play-with-others-router.png"));
}

}  // namespace
