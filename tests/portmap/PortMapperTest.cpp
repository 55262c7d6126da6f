// The port mapping against fake routers on loopback: NAT-PMP through the real libnatpmp
// to a fake gateway, UPnP through the real miniupnpc to a fake gateway device.
#include "FakeIgd.h"
#include "FakeNatPmpGateway.h"

#include "portmap/PortMapper.h"

#include <QSignalSpy>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace {

using portmap::PortMapper;
using portmap::PortMapperSettings;
using portmap::PortMapping;
using Kind = PortMapping::Kind;

constexpr quint16 kGamePort = 7772;
// A lease short enough for a test; the renewal must come well before it ends (a timer
// may fire a little early or late, so the bound keeps a fifth of the lease in hand).
constexpr quint32 kShortLease = 3;
constexpr qint64 kRenewalDeadlineMs = kShortLease * 800;
const QString kLan = QStringLiteral("192.0.2.55");

PortMapperSettings quiet()
{
    PortMapperSettings settings;
    settings.lanAddress = kLan;
    settings.ipv6 = QList<QHostAddress>();
    settings.natPmpLimitMs = 1500;
    return settings;
}

PortMapperSettings natPmpOnly(const FakeNatPmpGateway &gateway)
{
    PortMapperSettings settings = quiet();
    settings.natPmpGateway = gateway.address();
    settings.useUpnp = false;
    return settings;
}

PortMapperSettings upnpOnly(const FakeIgd &igd)
{
    PortMapperSettings settings = quiet();
    settings.useNatPmp = false;
    settings.igdDescriptionUrl = igd.descriptionUrl();
    return settings;
}

PortMapping outcomeOf(PortMapper &mapper, quint16 port = kGamePort)
{
    QSignalSpy spy(&mapper, &PortMapper::outcome);
    mapper.start(port);
    if (spy.isEmpty() && !spy.wait(5000))
        return {};
    return spy.first().first().value<PortMapping>();
}

// Waits until `count()` reaches `wanted`, as long as `source` keeps signalling.
template <typename Source, typename Signal>
bool waitFor(Source *source, Signal signal, const std::function<bool()> &done)
{
    QSignalSpy spy(source, signal);
    while (!done())
        if (!spy.wait(5000))
            return false;
    return true;
}

TEST(PortMapperNatPmp, AMappedPortIsShownWithTheRoutersAddressAndTheLinkCarriesTheRoutersPort)
{
    for (const quint16 given : {quint16(0), quint16(40001)}) {
        FakeNatPmpGateway gateway;
        ASSERT_TRUE(gateway.isListening());
        gateway.mappedPort = given;
        PortMapper mapper(natPmpOnly(gateway));
        const PortMapping mapping = outcomeOf(mapper);
        const quint16 external = given ? given : kGamePort;
        EXPECT_EQ(mapping.kind, Kind::Mapped);
        EXPECT_EQ(mapping.externalPort, external);
        EXPECT_EQ(mapping.inviteLink(), QStringLiteral("quarn://203.0.113.7:%1").arg(external));
        EXPECT_TRUE(mapping.text().contains(mapping.inviteLink())) << mapping.text().toStdString();
    }
}

TEST(PortMapperNatPmp, ARefusalIsNamedWithTheGatewaysCode)
{
    FakeNatPmpGateway gateway;
    gateway.resultCode = 2;
    PortMapper mapper(natPmpOnly(gateway));
    const PortMapping mapping = outcomeOf(mapper);
    EXPECT_EQ(mapping.kind, Kind::Refused);
    EXPECT_EQ(mapping.errorCode, 2);
    EXPECT_TRUE(mapping.text().contains(QStringLiteral("not authorised")));
}

TEST(PortMapperNatPmp, APrivateRouterAddressIsNotAdvertisedAndNoPortIsAskedFor)
{
    FakeNatPmpGateway gateway;
    gateway.publicAddress = QHostAddress(QStringLiteral("192.168.1.1"));
    PortMapper mapper(natPmpOnly(gateway));
    const PortMapping mapping = outcomeOf(mapper);
    EXPECT_EQ(mapping.kind, Kind::SharedAddress);
    EXPECT_FALSE(mapping.text().contains(QStringLiteral("192.168.1.1")));
    EXPECT_FALSE(mapping.text().contains(QStringLiteral("quarn://")));
    for (const NatPmpRequest &request : gateway.requests)
        EXPECT_EQ(request.opcode, 0);
}

TEST(PortMapperNatPmp, TheLeaseIsRenewedBeforeItEnds)
{
    FakeNatPmpGateway gateway;
    PortMapperSettings settings = natPmpOnly(gateway);
    settings.leaseSeconds = kShortLease;
    PortMapper mapper(settings);
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(outcomeOf(mapper).kind, Kind::Mapped);
    QSignalSpy renewed(&mapper, &PortMapper::renewed);
    ASSERT_TRUE(renewed.wait(5000));
    EXPECT_LT(clock.elapsed(), kRenewalDeadlineMs);
    const auto mappings = std::count_if(gateway.requests.begin(), gateway.requests.end(), [](const NatPmpRequest &r) {
        return r.opcode == 2 && r.lifetime == kShortLease;
    });
    EXPECT_EQ(mappings, 2);
}

TEST(PortMapperNatPmp, StoppingAndDestroyingAskForAZeroLifetime)
{
    for (const bool destroy : {false, true}) {
        FakeNatPmpGateway gateway;
        auto mapper = std::make_unique<PortMapper>(natPmpOnly(gateway));
        ASSERT_EQ(outcomeOf(*mapper).kind, Kind::Mapped);
        if (destroy)
            mapper.reset();
        else
            mapper->stop();
        ASSERT_TRUE(waitFor(&gateway, &FakeNatPmpGateway::requestSeen, [&] {
            return gateway.requests.last().opcode == 2 && gateway.requests.last().lifetime == 0;
        }));
        EXPECT_EQ(gateway.requests.last().internalPort, kGamePort);
    }
}

TEST(PortMapper, NobodyAnsweringNamesThePortToForwardAndTheLanAddress)
{
    FakeNatPmpGateway gateway;
    gateway.silent = true;
    QTcpServer closed;  // a port that was free a moment ago: nobody serves a description there
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 closedPort = closed.serverPort();
    closed.close();

    PortMapperSettings settings = quiet();
    settings.natPmpGateway = gateway.address();
    settings.natPmpLimitMs = 300;
    settings.igdDescriptionUrl = "http://127.0.0.1:" + QByteArray::number(closedPort) + "/rootDesc.xml";
    PortMapper mapper(settings);
    const PortMapping mapping = outcomeOf(mapper);
    EXPECT_EQ(mapping.kind, Kind::NoRouter);
    EXPECT_FALSE(gateway.requests.isEmpty());
    EXPECT_TRUE(mapping.text().contains(QStringLiteral("TCP port 7772")));
    EXPECT_TRUE(mapping.text().contains(kLan));
}

struct UpnpRow {
    const char *name;
    std::function<int(const IgdAction &)> addAnswer;
    QByteArray externalAddress;
    Kind kind;
    quint16 externalPort;  // Mapped: the port in the link
    int errorCode;  // Refused
    QByteArray lastLease;  // the lease of the last AddPortMapping
};

void PrintTo(const UpnpRow &row, std::ostream *out)
{
    *out << row.name;
}

class PortMapperUpnp : public testing::TestWithParam<UpnpRow> { };

TEST_P(PortMapperUpnp, TheRoutersAnswerComesToItsOutcome)
{
    const UpnpRow &row = GetParam();
    FakeIgd igd;
    igd.addAnswer = row.addAnswer;
    igd.externalAddress = row.externalAddress;
    PortMapper mapper(upnpOnly(igd));
    const PortMapping mapping = outcomeOf(mapper);
    EXPECT_EQ(mapping.kind, row.kind) << mapping.text().toStdString();
    const QString text = mapping.text();
    if (row.kind == Kind::Mapped) {
        EXPECT_EQ(mapping.inviteLink(), QStringLiteral("quarn://203.0.113.9:%1").arg(row.externalPort));
        EXPECT_TRUE(text.contains(mapping.inviteLink()));
        EXPECT_EQ(igd.actions.last().lease, row.lastLease);
        EXPECT_EQ(mapping.leaseSeconds, row.lastLease.toUInt());
    } else {
        EXPECT_FALSE(text.contains(QStringLiteral("quarn://")));
        EXPECT_FALSE(text.contains(QString::fromLatin1(row.externalAddress)));
    }
    if (row.kind == Kind::Refused) {
        EXPECT_EQ(mapping.errorCode, row.errorCode);
        EXPECT_TRUE(text.contains(QString::number(row.errorCode)));
    }
    if (row.kind == Kind::SharedAddress) {
        EXPECT_EQ(igd.count("AddPortMapping"), 0);
    }
}

const QByteArray kPublic = "203.0.113.9";

INSTANTIATE_TEST_SUITE_P(
    Rows, PortMapperUpnp,
    testing::Values(
        UpnpRow{"success", [](const IgdAction &) { return 0; }, kPublic, Kind::Mapped, kGamePort, 0, "3600"},
        UpnpRow{"notAuthorised", [](const IgdAction &) { return 606; }, kPublic, Kind::Refused, 0, 606, ""},
        UpnpRow{"heldThenNextPort", [](const IgdAction &a) { return a.externalPort < 7774 ? 718 : 0; }, kPublic,
                Kind::Mapped, 7774, 0, "3600"},
        UpnpRow{"heldUpTo7781", [](const IgdAction &) { return 718; }, kPublic, Kind::Refused, 0, 718, ""},
        UpnpRow{"onlyPermanent", [](const IgdAction &a) { return a.lease == "0" ? 0 : 725; }, kPublic, Kind::Mapped,
                kGamePort, 0, "0"},
        UpnpRow{"otherCode", [](const IgdAction &) { return 501; }, kPublic, Kind::Refused, 0, 501, ""},
        UpnpRow{"privateAddress", [](const IgdAction &) { return 0; }, "10.20.30.40", Kind::SharedAddress, 0, 0, ""},
        UpnpRow{"carrierGrade", [](const IgdAction &) { return 0; }, "100.72.1.2", Kind::SharedAddress, 0, 0, ""}),
    [](const testing::TestParamInfo<UpnpRow> &info) { return std::string(info.param.name); });

TEST(PortMapperUpnpPorts, AHeldPortIsTriedUpTo7781ThenTheRangeIsNamed)
{
    FakeIgd igd;
    igd.addAnswer = [](const IgdAction &) { return 718; };
    PortMapper mapper(upnpOnly(igd));
    const PortMapping mapping = outcomeOf(mapper);
    EXPECT_EQ(igd.count("AddPortMapping"), 10);
    EXPECT_EQ(igd.actions.last().externalPort, 7781);
    EXPECT_TRUE(mapping.text().contains(QStringLiteral("7772 to 7781")));
}

TEST(PortMapperUpnpLease, TheLeaseIsRenewedBeforeItEndsAndStoppingDeletesTheMapping)
{
    FakeIgd igd;
    igd.addAnswer = [](const IgdAction &a) { return a.externalPort == kGamePort ? 718 : 0; };
    PortMapperSettings settings = upnpOnly(igd);
    settings.leaseSeconds = kShortLease;
    PortMapper mapper(settings);
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(outcomeOf(mapper).kind, Kind::Mapped);
    QSignalSpy renewed(&mapper, &PortMapper::renewed);
    ASSERT_TRUE(renewed.wait(5000));
    EXPECT_LT(clock.elapsed(), kRenewalDeadlineMs);
    EXPECT_EQ(igd.actions.last().name, "AddPortMapping");
    EXPECT_EQ(igd.actions.last().externalPort, kGamePort + 1);

    QSignalSpy released(&mapper, &PortMapper::released);
    mapper.stop();
    ASSERT_TRUE(released.wait(5000));
    EXPECT_EQ(igd.actions.last().name, "DeletePortMapping");
    EXPECT_EQ(igd.actions.last().externalPort, kGamePort + 1);
}

TEST(PortMapperUpnpLease, APermanentMappingIsDeletedWhenTheMapperGoes)
{
    FakeIgd igd;
    igd.addAnswer = [](const IgdAction &a) { return a.lease == "0" ? 0 : 725; };
    auto mapper = std::make_unique<PortMapper>(upnpOnly(igd));
    ASSERT_EQ(outcomeOf(*mapper).leaseSeconds, 0u);
    mapper.reset();
    ASSERT_TRUE(waitFor(&igd, &FakeIgd::actionSeen, [&] { return igd.count("DeletePortMapping") == 1; }));
    EXPECT_EQ(igd.actions.last().externalPort, kGamePort);
}

TEST(PortMapping, AGlobalIpv6AddressIsListedInBracketsWithTheFirewallNote)
{
    PortMapping mapping;
    mapping.kind = Kind::NoRouter;
    mapping.internalPort = kGamePort;
    mapping.ipv6 =
        portmap::globalIpv6({QHostAddress(QStringLiteral("fe80::1")), QHostAddress(QStringLiteral("fd00::2")),
                             QHostAddress(QStringLiteral("2001:db8::7")), QHostAddress(QStringLiteral("192.0.2.1"))});
    ASSERT_EQ(mapping.ipv6.size(), 1);
    EXPECT_TRUE(mapping.text().contains(QStringLiteral("quarn://[2001:db8::7]:7772")));
    EXPECT_TRUE(mapping.text().contains(QStringLiteral("firewall")));
}

struct ScopeRow {
    const char *address;
    portmap::AddressScope scope;
};

class AddressScopeTest : public testing::TestWithParam<ScopeRow> { };

TEST_P(AddressScopeTest, PrivateAndSharedRangesAreToldApartFromPublicOnes)
{
    EXPECT_EQ(portmap::addressScope(QHostAddress(QString::fromLatin1(GetParam().address))), GetParam().scope);
}

using portmap::AddressScope;
INSTANTIATE_TEST_SUITE_P(
    Rows, AddressScopeTest,
    testing::Values(ScopeRow{"10.255.0.1", AddressScope::Private}, ScopeRow{"172.16.0.1", AddressScope::Private},
                    ScopeRow{"172.31.255.254", AddressScope::Private}, ScopeRow{"172.32.0.1", AddressScope::Public},
                    ScopeRow{"192.168.7.7", AddressScope::Private}, ScopeRow{"100.64.0.1", AddressScope::Shared},
                    ScopeRow{"100.127.255.254", AddressScope::Shared}, ScopeRow{"100.128.0.1", AddressScope::Public},
                    ScopeRow{"198.51.100.4", AddressScope::Public}, ScopeRow{"127.0.0.1", AddressScope::Unusable},
                    ScopeRow{"0.0.0.0", AddressScope::Unusable}));

}  // namespace
