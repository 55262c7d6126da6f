// The command line's start modes.
#include "client/StartMode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Kind = StartMode::Kind;

struct StartRow {
    const char *rule;
    std::vector<const char *> arguments;
    StartMode mode;
};

class StartModes : public ::testing::TestWithParam<StartRow> { };

TEST_P(StartModes, ComeFromTheArguments)
{
    QStringList arguments;
    for (const char *argument : GetParam().arguments)
        arguments.append(QString::fromUtf8(argument));
    const StartMode mode = startModeFrom(arguments);
    EXPECT_EQ(mode.kind, GetParam().mode.kind);
    EXPECT_EQ(mode.playerName, GetParam().mode.playerName);
    EXPECT_EQ(mode.hostAddress, GetParam().mode.hostAddress);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartModes,
    ::testing::Values(
        StartRow{"NoneIsASoloGameOfYouOnThisMachine", {}, {Kind::Solo, "You", "127.0.0.1"}},
        StartRow{"ExactlyTrueHosts", {"Ann", "192.0.2.1", "true"}, {Kind::Host, "Ann", "192.0.2.1"}},
        StartRow{"AnotherCaseJoins", {"Ann", "192.0.2.1", "True"}, {Kind::Join, "Ann", "192.0.2.1"}},
        StartRow{"FalseJoins", {"Bob", "host.example", "false"}, {Kind::Join, "Bob", "host.example"}},
        StartRow{"AnEmptyFlagJoins", {"Bob", "::1", ""}, {Kind::Join, "Bob", "::1"}},
        StartRow{"ArgumentsAfterTheThirdAreIgnored",
                 {"Ann", "127.0.0.1", "true", "false"},
                 {Kind::Host, "Ann", "127.0.0.1"}},
        StartRow{"ANameAloneStartsNothing", {"Ann"}, {Kind::Incomplete, "Ann", ""}},
        StartRow{"ANameAndAnAddressStartNothing", {"Ann", "192.0.2.1"}, {Kind::Incomplete, "Ann", "192.0.2.1"}}),
    [](const auto &info) { return std::string(info.param.rule); });

}  // namespace
