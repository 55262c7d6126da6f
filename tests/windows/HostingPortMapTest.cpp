// The hosting program's port mapping against the port mapping tests' fake UPnP gateway:
// only a hosted game with "MapPort" on asks the router, every answer reaches the notice,
// and the end of hosting deletes the mapping.
#include "windows/HostingPortMap.h"
#include "portmap/FakeIgd.h"

#include "portmap/PortMapper.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr quint16 kGamePort = 7772;
const QString kLan = QStringLiteral("192.0.2.55");

struct Notice {
    QString text;
    QString link;
};

portmap::PortMapperSettings toFakeGateway(const FakeIgd &igd)
{
    portmap::PortMapperSettings settings;
    settings.useNatPmp = false;
    settings.igdDescriptionUrl = igd.descriptionUrl();
    settings.lanAddress = kLan;
    settings.ipv6 = QList<QHostAddress>();
    return settings;
}

struct NotAskedRow {
    bool hosting;
    bool mapPort;
};

class HostingPortMapNotAsked : public testing::TestWithParam<NotAskedRow> { };

TEST_P(HostingPortMapNotAsked, ASoloGameOrMapPortOffNeverAsksTheRouter)
{
    FakeIgd igd;
    int notices = 0;
    HostingPortMap portMap(
        GetParam().hosting, GetParam().mapPort, [&notices](const QString &, const QString &) { ++notices; },
        toFakeGateway(igd));
    portMap.start(kGamePort);
    EXPECT_FALSE(portMap.asking());
    EXPECT_TRUE(portMap.stopAndWait());
    EXPECT_EQ(notices, 0);
    EXPECT_TRUE(igd.actions.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, HostingPortMapNotAsked,
                         testing::Values(NotAskedRow{false, true}, NotAskedRow{true, false},
                                         NotAskedRow{false, false}));

TEST(HostingPortMapTest, AHostedGameIsMappedWithItsLinkAndTheMappingIsDeletedWhenHostingEnds)
{
    FakeIgd igd;
    std::vector<Notice> notices;
    HostingPortMap portMap(
        true, true,
        [&notices](const QString &text, const QString &link) {
            notices.push_back({text, link});
        },
        toFakeGateway(igd));
    portMap.start(kGamePort);
    ASSERT_TRUE(portMap.asking());
    ASSERT_TRUE(QTest::qWaitFor([&notices] { return !notices.empty(); }, 5000));
    ASSERT_EQ(notices.size(), 1U);
    const QString link =
        portmap::PortMapping::inviteLink(QHostAddress(QString::fromLatin1(igd.externalAddress)), kGamePort);
    EXPECT_EQ(notices.front().link, link);
    EXPECT_TRUE(notices.front().text.contains(QString::fromLatin1(igd.externalAddress)));

    // The router has been told by the time hosting has ended, not some time after.
    EXPECT_TRUE(portMap.stopAndWait());
    EXPECT_EQ(igd.count("DeletePortMapping"), 1);
    EXPECT_FALSE(portMap.asking());
}

TEST(HostingPortMapTest, NoRouterIsANoticeNamingTheLanAddressAndNoLink)
{
    portmap::PortMapperSettings settings;
    settings.useNatPmp = false;
    settings.useUpnp = false;
    settings.lanAddress = kLan;
    settings.ipv6 = QList<QHostAddress>();
    std::vector<Notice> notices;
    HostingPortMap portMap(
        true, true,
        [&notices](const QString &text, const QString &link) {
            notices.push_back({text, link});
        },
        settings);
    portMap.start(kGamePort);
    ASSERT_TRUE(QTest::qWaitFor([&notices] { return !notices.empty(); }, 5000));
    EXPECT_TRUE(notices.front().text.contains(kLan));
    EXPECT_TRUE(notices.front().link.isEmpty());
    EXPECT_TRUE(portMap.stopAndWait());
}

}  // namespace
