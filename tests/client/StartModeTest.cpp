// The command line's start modes.
#include "client/StartMode.h"

#include <gtest/gtest.h>

namespace {

using Kind = StartMode::Kind;

constexpr quint16 kDefaultPort = 7000;

struct StartRow {
    const char *rule;
    QStringList arguments;
    StartMode mode;
};

class StartModes : public ::testing::TestWithParam<StartRow> { };

TEST_P(StartModes, ComeFromTheArguments)
{
    const StartMode mode = startModeFrom(GetParam().arguments, kDefaultPort);
    EXPECT_EQ(mode.kind, GetParam().mode.kind);
    EXPECT_EQ(mode.playerName.toStdString(), GetParam().mode.playerName.toStdString());
    EXPECT_EQ(mode.hostAddress.toStdString(), GetParam().mode.hostAddress.toStdString());
    EXPECT_EQ(mode.port, GetParam().mode.port);
    // Why an address is refused is the address reader's to word; here only that it says so.
    EXPECT_EQ(mode.error.isEmpty(), mode.kind != Kind::Refused);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartModes,
    ::testing::Values(
        StartRow{"NoneIsASoloGameOfYouOnThisMachine", {}, {Kind::Solo, "You", "127.0.0.1", kDefaultPort, {}}},
        StartRow{"ExactlyTrueHosts", {"Ann", "192.0.2.1", "true"}, {Kind::Host, "Ann", "192.0.2.1", kDefaultPort, {}}},
        StartRow{
            "HostingNeverReadsTheAddress", {"Ann", "a b/c", "true"}, {Kind::Host, "Ann", "a b/c", kDefaultPort, {}}},
        StartRow{"AnythingElseJoins", {"Ann", "192.0.2.1", "True"}, {Kind::Join, "Ann", "192.0.2.1", kDefaultPort, {}}},
        StartRow{"AnEmptyFlagJoins", {"Bob", "::1", ""}, {Kind::Join, "Bob", "::1", kDefaultPort, {}}},
        StartRow{"AJoiningAddressTakesAPort",
                 {"Bob", "192.0.2.10:7800", "false"},
                 {Kind::Join, "Bob", "192.0.2.10", 7800, {}}},
        StartRow{"AnIpv6AddressTakesAPortInBrackets",
                 {"Bob", "[2001:db8::1]:7800", "false"},
                 {Kind::Join, "Bob", "2001:db8::1", 7800, {}}},
        StartRow{"AnInviteLinkServesAsTheAddress",
                 {"Bob", "quarn://host.example:7801/", "false"},
                 {Kind::Join, "Bob", "host.example", 7801, {}}},
        StartRow{"AnAddressThatCannotBeJoinedIsRefused",
                 {"Bob", "192.0.2.10:99999", "false"},
                 {Kind::Refused, "Bob", "192.0.2.10:99999", 0, "x"}},
        StartRow{"AfterTheThirdIgnored", {"Ann", "h", "true", "false"}, {Kind::Host, "Ann", "h", kDefaultPort, {}}},
        StartRow{"ANameAloneStartsNothing", {"Ann"}, {Kind::Incomplete, "Ann", "", 0, {}}},
        StartRow{"ANameAndAnAddressStartNothing", {"Ann", "h"}, {Kind::Incomplete, "Ann", "h", 0, {}}}),
    [](const auto &info) { return std::string(info.param.rule); });

}  // namespace
