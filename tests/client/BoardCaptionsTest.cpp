// The board's captions for the game's numbers: steals left by where the count came from,
// the settings, the clock and the time bar.
#include "client/BoardCaptions.h"
#include "client/model/ClientGame.h"

#include <gtest/gtest.h>

namespace {

struct StealsRow {
    const char *name;
    int seat;
    ClientGame::Seat::StealsFrom from;
    int count;
    const char *shown;
};

class StealsLeftCaptionTest : public ::testing::TestWithParam<StealsRow> { };

TEST_P(StealsLeftCaptionTest, CaptionByWhereTheCountCameFrom)
{
    ClientGame::Seat state;
    state.stealsFrom = GetParam().from;
    state.stealsLeft = GetParam().count;
    EXPECT_EQ(boardcaptions::stealsLeft(GetParam().seat, state), QString::fromLatin1(GetParam().shown));
}

using From = ClientGame::Seat::StealsFrom;
INSTANTIATE_TEST_SUITE_P(
    Rows, StealsLeftCaptionTest,
    ::testing::Values(StealsRow{"nothingYet", 1, From::Nothing, 5, ""},
                      StealsRow{"startSeatOne", 1, From::GameStart, 5, "Steals Left: 5"},
                      StealsRow{"startSeatTwo", 2, From::GameStart, 5, "Steal Left: 5"},
                      StealsRow{"startUnlimited", 2, From::GameStart, 10000, "Steals Left: Unlimited"},
                      StealsRow{"startAsGiven", 1, From::GameStart, 200, "Steals Left: 200"},
                      StealsRow{"turnFive", 2, From::TurnChange, 5, "Steals Left: 5"},
                      StealsRow{"turnNone", 1, From::TurnChange, 0, "Steals Left: 0"},
                      StealsRow{"turnHundred", 1, From::TurnChange, 100, "Steals Left: 100"},
                      StealsRow{"turnAboveHundred", 1, From::TurnChange, 101, "Steals Left: Unlimited"},
                      StealsRow{"turnUnlimited", 2, From::TurnChange, 9998, "Steals Left: Unlimited"},
                      StealsRow{"turnBelowNone", 1, From::TurnChange, -3, "Steals Left: 0"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BoardCaptions, SettingsCaptionsByWhereTheyCameFrom)
{
    const ClientGame::Settings started{30, 200, 5, false};
    EXPECT_EQ(boardcaptions::playToScore(started), QStringLiteral("Play to Score: 200"));
    EXPECT_EQ(boardcaptions::timePerTurn(started), QStringLiteral("Time per Turn: 30"));
    EXPECT_EQ(boardcaptions::steals(started), QStringLiteral("# of Steals: 5"));
    const ClientGame::Settings caughtUp{120, 300, 10000, true};
    EXPECT_EQ(boardcaptions::playToScore(caughtUp), QStringLiteral("Play to score: 300"));
    EXPECT_EQ(boardcaptions::steals(caughtUp), QStringLiteral("# of Steals: Unlimited"));
}

struct ClockRow {
    int secondsLeft;
    int turnLength;
    const char *caption;
    int barWidth;
};

class ClockCaptionTest : public ::testing::TestWithParam<ClockRow> { };

TEST_P(ClockCaptionTest, CaptionAndBar)
{
    EXPECT_EQ(boardcaptions::clock(GetParam().secondsLeft), QString::fromLatin1(GetParam().caption));
    EXPECT_EQ(boardcaptions::timeBarWidth(GetParam().secondsLeft, GetParam().turnLength, 197), GetParam().barWidth);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClockCaptionTest,
                         ::testing::Values(ClockRow{29, 30, "Time: 0:29", 174}, ClockRow{1, 30, "Time: 0:01", 6},
                                           ClockRow{0, 30, "Time: 0:00", 0}, ClockRow{-4, 30, "Time: 0:00", 0},
                                           ClockRow{119, 120, "Time: 1:59", 119}, ClockRow{65, 120, "Time: 1:05", 65},
                                           ClockRow{600, 600, "Time: 10:00", 0}, ClockRow{5, 0, "Time: 0:05", 0},
                                           ClockRow{5, -5, "Time: 0:05", 0}));

}  // namespace
