// The command line's start modes.
#include "client/StartMode.h"

#include <gtest/gtest.h>

namespace {

using Kind = StartMode::Kind;

struct StartRow {
    const char *rule;
    QStringList arguments;
    StartMode mode;
};

class StartModes : public ::testing::TestWithParam<StartRow> { };

TEST_P(StartModes, ComeFromTheArguments)
{
    const StartMode mode = startModeFrom(GetParam().arguments);
    EXPECT_EQ(mode.kind, GetParam().mode.kind);
    EXPECT_EQ(mode.playerName.toStdString(), GetParam().mode.playerName.toStdString());
    EXPECT_EQ(mode.hostAddress.toStdString(), GetParam().mode.hostAddress.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartModes,
    ::testing::Values(StartRow{"NoneIsASoloGameOfYouOnThisMachine", {}, {Kind::Solo, "You", "127.0.0.1"}},
                      StartRow{"ExactlyTrueHosts", {"Ann", "192.0.2.1", "true"}, {Kind::Host, "Ann", "192.0.2.1"}},
                      StartRow{"AnythingElseJoins", {"Ann", "192.0.2.1", "True"}, {Kind::Join, "Ann", "192.0.2.1"}},
                      StartRow{"AnEmptyFlagJoins", {"Bob", "::1", ""}, {Kind::Join, "Bob", "::1"}},
                      StartRow{"AfterTheThirdIgnored", {"Ann", "h", "true", "false"}, {Kind::Host, "Ann", "h"}},
                      StartRow{"ANameAloneStartsNothing", {"Ann"}, {Kind::Incomplete, "Ann", ""}},
                      StartRow{"ANameAndAnAddressStartNothing", {"Ann", "h"}, {Kind::Incomplete, "Ann", "h"}}),
    [](const auto &info) { return std::string(info.param.rule); });

}  // namespace
