// The host's turn actions, word check, turn change, win test and turn clock, each
// pinned by the exact bytes every slot receives.
#include "RulesTable.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QStringList kWords{QStringLiteral("at"),     QStringLiteral("cat"),        QStringLiteral("cats"),
                         QStringLiteral("act"),    QStringLiteral("cot"),        QStringLiteral("to"),
                         QStringLiteral("bottle"), QStringLiteral("accomplish"), QStringLiteral("dog")};

// Seats 1 and 2 held by people, a spectator in slot 3, seat 1 to move.
class RulesTest : public ::testing::Test {
protected:
    RulesTest()
        : table(kWords)
    {
        table.connect(1, QStringLiteral("Ann"));
        table.connect(2, QStringLiteral("Bob"));
        table.connect(3, QStringLiteral("Cy"));
        table.setExtras(1, QStringLiteral("tbsdef"));
        table.setExtras(2, QStringLiteral("ghijkl"));
        table.beginTurn(1);
    }

    // Everything sent to `slot` since the last check, against '#'-terminated text.
    void expectSent(int slot, const char *expected)
    {
        EXPECT_EQ(table.sink.takeBytes(slot), RulesTable::wire(expected)) << "slot " << slot;
    }
    // The same bytes to both seats and the spectator.
    void expectSentToAll(const char *expected)
    {
        for (int slot = 1; slot <= 3; ++slot)
            expectSent(slot, expected);
    }
    void expectNothingSent()
    {
        for (int slot = 1; slot <= SeatTable::kHighestSlot; ++slot)
            EXPECT_TRUE(table.sink.take(slot).isEmpty()) << "slot " << slot;
        EXPECT_EQ(table.sink.strayMessages(), 0);
    }

    RulesTable table;
    GameRules &rules = table.rules;
    SeatTable &seats = table.seats;
    TurnClock &clock = table.clock;
};

TEST_F(RulesTest, PlaceFormingNewWordScoresAndPassesTurn)
{
    table.setBoard(1, QStringLiteral("ca"));
    rules.placemyletter({1, 1, 3});

    EXPECT_EQ(table.board(1), QStringLiteral("cat......."));
    EXPECT_EQ(table.extras(1), QStringLiteral(".bsdef"));
    EXPECT_EQ(seats.player(1).score, 5);
    EXPECT_EQ(seats.formedWords(1), QStringList{QStringLiteral("cat")});
    // Seat 2 holds six extras already: no new letter, only the turn notice.
    expectSentToAll("CMD_placemyletter+1+1+3+20+#CMD_formedword+1+cat+5+5+#CMD_nextplayer+2+3+#");
    EXPECT_EQ(seats.whoseTurn(), 2);
    EXPECT_TRUE(clock.isActive());
    EXPECT_EQ(clock.tag(), GameRules::kTurnTag);
    EXPECT_EQ(clock.ticksLeft(), 32);
}

TEST_F(RulesTest, PlaceOnFilledCellLosesOldLetterAndNonWordPassesWithoutPoints)
{
    table.setBoard(1, QStringLiteral("cat"));
    table.setExtras(2, QStringLiteral("ghi.kl"));
    table.random.push({12});  // seat 2's new letter: m, not held yet
    rules.placemyletter({1, 2, 3});

    EXPECT_EQ(table.board(1), QStringLiteral("cab......."));
    EXPECT_EQ(seats.player(1).score, 0);
    expectSent(1, "CMD_placemyletter+1+2+3+2+#CMD_nextplayer+2+3+#");
    expectSent(2, "CMD_placemyletter+1+2+3+2+#CMD_newletter+2+4+13+#CMD_nextplayer+2+3+#");
    expectSent(3, "CMD_placemyletter+1+2+3+2+#CMD_nextplayer+2+3+#");
    EXPECT_EQ(table.extras(2), QStringLiteral("ghimkl"));
}

TEST_F(RulesTest, DiscardingLastLetterLeavesShorterWordThatScores)
{
    table.setBoard(1, QStringLiteral("cats"));
    seats.recordFormedWord(1, QStringLiteral("cats"));
    rules.discardletter({1, 4});

    EXPECT_EQ(table.board(1), QStringLiteral("cat......."));
    expectSent(2, "CMD_discardletter+1+4+#CMD_formedword+1+cat+5+5+#CMD_nextplayer+2+3+#");
    EXPECT_EQ(seats.whoseTurn(), 2);
}

TEST_F(RulesTest, BoardWithGapNeverScoresEvenWhenBothPartsAreWords)
{
    table.setBoard(1, QStringLiteral("at.to"));
    table.setExtras(1, QStringLiteral("tbsdef"));
    rules.discardextra({1, 2});
    EXPECT_EQ(seats.player(1).score, 0);
    EXPECT_TRUE(seats.formedWords(1).isEmpty());

    table.beginTurn(1);
    table.setBoard(1, QStringLiteral("catx"));
    rules.discardletter({1, 3});  // "ca.x"
    EXPECT_EQ(seats.player(1).score, 0);
}

TEST_F(RulesTest, DiscardExtraGoesToOwnerAloneAndScoresAStandingNewWord)
{
    table.setBoard(1, QStringLiteral("dog"));
    rules.discardextra({1, 6});

    EXPECT_EQ(table.extras(1), QStringLiteral("tbsde."));
    expectSent(1, "CMD_discardextra+1+6+#CMD_formedword+1+dog+5+5+#CMD_nextplayer+2+3+#");
    expectSent(2, "CMD_formedword+1+dog+5+5+#CMD_nextplayer+2+3+#");
    expectSent(3, "CMD_formedword+1+dog+5+5+#CMD_nextplayer+2+3+#");
}

TEST_F(RulesTest, TradesSwapAnyCellsKeepTheTurnAndStopTheClock)
{
    table.setBoard(1, QStringLiteral("ta.c"));
    rules.tradingmyletter({1, 1, 4});
    rules.tradingmyletter({1, 3, 3});
    rules.tradingmyletter({1, 3, 9});

    EXPECT_EQ(table.board(1), QStringLiteral("ca.t......"));
    expectSentToAll("CMD_tradingmyletter+1+1+3+4+20+#CMD_tradingmyletter+1+3+0+3+0+#"
                    "CMD_tradingmyletter+1+3+0+9+0+#");
    EXPECT_EQ(seats.whoseTurn(), 1);
    EXPECT_FALSE(clock.isActive());

    // A stopped clock never times the seat out, however often it is driven.
    for (int tick = 0; tick < 40; ++tick)
        rules.turntimerTimer();
    expectNothingSent();

    // The next ending action restarts the clock for the next mover.
    rules.tradingmyletter({1, 4, 3});
    rules.placemyletter({1, 3, 4});
    EXPECT_EQ(seats.whoseTurn(), 2);
    EXPECT_TRUE(clock.isActive());
    EXPECT_EQ(seats.player(1).score, 5 + 1);  // "cats" = 3 + 1 + 1 + 1
}

TEST_F(RulesTest, StealWithNoStealsLeftIsAnsweredTooManyToTheStealerAlone)
{
    seats.setSteals(1, 3);
    table.setBoard(1, QStringLiteral("ca"));
    table.setBoard(2, QStringLiteral("to"));
    const QString before = table.snapshot();

    EXPECT_FALSE(rules.stealinghisletter({1, 1, 3}));
    expectSent(1, "CMD_toomany+1+#");
    expectSent(2, "");
    expectSent(3, "");
    EXPECT_EQ(table.snapshot(), before);
}

TEST_F(RulesTest, RefusedStealRestoresBoardAndKeepsTurnAndClock)
{
    table.setBoard(1, QStringLiteral("cax"));
    table.setBoard(2, QStringLiteral("to"));
    rules.turntimerTimer();  // the clock has run a little
    const QString before = table.snapshot();

    EXPECT_FALSE(rules.stealinghisletter({1, 2, 2}));  // "cox"
    expectSent(1, "CMD_notvalid+1+#");
    expectSent(2, "");
    expectSent(3, "");
    EXPECT_EQ(table.snapshot(), before);
    EXPECT_TRUE(clock.isActive());
    EXPECT_EQ(clock.ticksLeft(), 31);
}

TEST_F(RulesTest, AcceptedStealScoresThenReportsTheStealWithPositionsReversed)
{
    table.setBoard(1, QStringLiteral("cax"));
    table.setBoard(2, QStringLiteral("to"));
    EXPECT_TRUE(rules.stealinghisletter({1, 1, 3}));  // "cat", the x is lost

    EXPECT_EQ(table.board(1), QStringLiteral("cat......."));
    EXPECT_EQ(table.board(2), QStringLiteral(".o........"));
    EXPECT_EQ(seats.player(1).steals, 1);
    expectSentToAll("CMD_formedword+1+cat+5+5+#CMD_stoldletter+1+2+3+1+20+#CMD_nextplayer+2+3+#");
    EXPECT_EQ(seats.whoseTurn(), 2);

    // Seat 2 learns its own steals left at its turn; seat 1's count shows on its next turn.
    rules.discardextra({2, 1});
    EXPECT_TRUE(table.sink.takeBytes(3).endsWith(RulesTable::wire("CMD_nextplayer+1+2+#")));
}

TEST_F(RulesTest, UnlimitedStealsNeverCountAndAlwaysAnnounce10000)
{
    table.beginTurn(1, 30, 100, GameRules::kUnlimitedSteals);
    table.setBoard(1, QStringLiteral("cax"));
    table.setBoard(2, QStringLiteral("to"));
    ASSERT_TRUE(rules.stealinghisletter({1, 1, 3}));
    EXPECT_EQ(seats.player(1).steals, 0);
    expectSent(2, "CMD_formedword+1+cat+5+5+#CMD_stoldletter+1+2+3+1+20+#CMD_nextplayer+2+10000+#");
}

TEST_F(RulesTest, StealingAnEmptyCellEmptiesTheOwnCell)
{
    table.setBoard(1, QStringLiteral("catx"));
    table.setBoard(2, QStringLiteral("to"));
    EXPECT_TRUE(rules.stealinghisletter({1, 7, 4}));
    EXPECT_EQ(table.board(1), QStringLiteral("cat......."));
    expectSent(3, "CMD_formedword+1+cat+5+5+#CMD_stoldletter+1+2+4+7+0+#CMD_nextplayer+2+3+#");
}

TEST_F(RulesTest, SameWordScoresOncePerSeatButTheOpponentMayScoreIt)
{
    table.setBoard(1, QStringLiteral("cat"));
    seats.recordFormedWord(1, QStringLiteral("CAT"));  // look-ups ignore case
    rules.discardextra({1, 1});
    EXPECT_EQ(seats.player(1).score, 0);

    table.setBoard(2, QStringLiteral("cat"));
    rules.discardextra({2, 1});
    EXPECT_EQ(seats.player(2).score, 5);
    EXPECT_EQ(seats.formedWords(2), QStringList{QStringLiteral("cat")});
}

struct ScoreRow {
    const char *word;
    int points;
};

class ScoreTest : public ::testing::TestWithParam<ScoreRow> { };

// Letter sum times 1 up to five letters, then 2 to 6 for six to ten letters.
TEST_P(ScoreTest, WordScoresLetterSumTimesLengthFactor)
{
    RulesTable table(kWords);
    table.connect(1, QStringLiteral("Ann"));
    table.beginTurn(1);
    table.setBoard(1, QString::fromLatin1(GetParam().word));
    table.setExtras(1, QStringLiteral("aaaaaa"));
    table.rules.discardextra({1, 1});
    EXPECT_EQ(table.seats.player(1).score, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Examples, ScoreTest,
                         ::testing::Values(ScoreRow{"cat", 5}, ScoreRow{"bottle", 16}, ScoreRow{"accomplish", 120},
                                           ScoreRow{"at", 2}, ScoreRow{"cats", 6}));

TEST_F(RulesTest, TurnChangeDealsIntoLowestEmptyExtraAndTimesAPerson)
{
    table.setExtras(2, QStringLiteral("g.h.kl"));
    table.random.push({0});  // a
    rules.passTurnOrDeclareWinner();

    EXPECT_EQ(table.extras(2), QStringLiteral("gah.kl"));
    expectSent(2, "CMD_newletter+2+2+1+#CMD_nextplayer+2+3+#");
    expectSent(1, "CMD_nextplayer+2+3+#");
    EXPECT_EQ(clock.tag(), GameRules::kTurnTag);
    EXPECT_EQ(clock.ticksLeft(), 32);
    EXPECT_TRUE(clock.isActive());
}

struct ComputerSeatRow {
    const char *name;
    bool seat2Connected;
    bool justWatching;
    int tag;
    int ticks;
};

class ComputerSeatTest : public ::testing::TestWithParam<ComputerSeatRow> { };

// An unheld seat 2 and any just-watching seat are the computer's, two ticks after the turn.
TEST_P(ComputerSeatTest, TurnChangeHandsTheTurnToTheRightMover)
{
    const ComputerSeatRow row = GetParam();
    RulesTable table(kWords);
    table.connect(1, QStringLiteral("Ann"));
    if (row.seat2Connected)
        table.connect(2, QStringLiteral("Bob"));
    table.beginTurn(1, 45);
    table.setExtras(2, QStringLiteral("abcdef"));
    table.seats.setWatching(2, row.justWatching);
    table.rules.passTurnOrDeclareWinner();
    EXPECT_EQ(table.seats.whoseTurn(), 2);
    EXPECT_EQ(table.clock.tag(), row.tag);
    EXPECT_EQ(table.clock.ticksLeft(), row.ticks);
    EXPECT_TRUE(table.clock.isActive());
}

INSTANTIATE_TEST_SUITE_P(Movers, ComputerSeatTest,
                         ::testing::Values(ComputerSeatRow{"person", true, false, 1, 47},
                                           ComputerSeatRow{"unheld", false, false, 2, 2},
                                           ComputerSeatRow{"watching", true, true, 2, 2},
                                           ComputerSeatRow{"unheldWatching", false, true, 2, 2}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RulesTest, TimeUpAfterTimePerTurnPlusTwoTicksClearsOneExtraAndPasses)
{
    table.setExtras(1, QStringLiteral("tb.def"));
    for (int tick = 0; tick < 31; ++tick)
        rules.turntimerTimer();
    expectNothingSent();

    table.random.push({2});  // extras cell 3, already empty: cleared and reported all the same
    rules.turntimerTimer();
    expectSent(1, "CMD_timeup+#CMD_discardextra+1+3+#CMD_nextplayer+2+3+#");
    expectSent(2, "CMD_timeup+#CMD_nextplayer+2+3+#");
    expectSent(3, "CMD_timeup+#CMD_nextplayer+2+3+#");
    EXPECT_EQ(seats.whoseTurn(), 2);

    table.random.push({0});
    for (int tick = 0; tick < 32; ++tick)
        rules.turntimerTimer();
    expectSent(2, "CMD_timeup+#CMD_discardextra+2+1+#CMD_nextplayer+1+3+#");
    EXPECT_EQ(table.extras(2), QStringLiteral(".hijkl"));
}

TEST_F(RulesTest, TieAtTargetPlaysOnUntilTheMoverPullsAhead)
{
    table.beginTurn(1, 30, 5);
    seats.setScore(2, 5);
    table.setBoard(1, QStringLiteral("ca"));
    rules.placemyletter({1, 1, 3});  // 5 : 5
    EXPECT_TRUE(seats.gameInProgress());
    EXPECT_EQ(seats.whoseTurn(), 2);

    table.setBoard(2, QStringLiteral("t"));
    table.setExtras(2, QStringLiteral("oghijk"));
    table.sink.clear();
    rules.placemyletter({2, 1, 2});  // "to": 5 : 7
    expectSent(1, "CMD_placemyletter+2+1+2+15+#CMD_formedword+2+to+2+7+#CMD_winner+2+#");
    expectSent(3, "CMD_placemyletter+2+1+2+15+#CMD_formedword+2+to+2+7+#CMD_winner+2+#");
    EXPECT_FALSE(seats.gameInProgress());
    EXPECT_FALSE(clock.isActive());
    EXPECT_EQ(seats.whoseTurn(), 2);
}

TEST_F(RulesTest, WinIsTestedOnlyAtTheTurnChange)
{
    table.beginTurn(1, 30, 5);
    seats.setScore(1, 9);
    rules.tradingmyletter({1, 1, 2});
    EXPECT_TRUE(seats.gameInProgress());
    table.setBoard(1, QStringLiteral("xy"));
    EXPECT_FALSE(rules.stealinghisletter({1, 1, 1}));
    EXPECT_TRUE(seats.gameInProgress());
    rules.discardletter({1, 2});
    EXPECT_FALSE(seats.gameInProgress());
    EXPECT_TRUE(table.sink.takeBytes(2).endsWith(RulesTable::wire("CMD_discardletter+1+2+#CMD_winner+1+#")));
}

// After a win the board stays as it was; the winner's further requests would score
// again and announce a second win, which clients would record as a second game.
TEST_F(RulesTest, RequestsAfterTheWinChangeNothing)
{
    table.beginTurn(1, 30, 5);
    table.setBoard(1, QStringLiteral("ca"));
    rules.placemyletter({1, 1, 3});
    ASSERT_FALSE(seats.gameInProgress());
    table.sink.clear();
    table.setBoard(1, QStringLiteral("catx"));
    const QString before = table.snapshot();

    rules.discardletter({1, 4});
    rules.placemyletter({1, 2, 5});
    rules.tradingmyletter({1, 1, 2});
    rules.discardextra({1, 2});
    EXPECT_FALSE(rules.stealinghisletter({1, 1, 1}));
    rules.turntimerTimer();
    EXPECT_EQ(table.snapshot(), before);
    expectNothingSent();
}

TEST_F(RulesTest, JustWatchDuringOwnTurnLetsTheComputerMoveAtTheNextTick)
{
    table.setBoard(1, QStringLiteral("ca"));
    table.setExtras(1, QStringLiteral("tbsdef"));
    table.computer.setVocabulary({QStringLiteral("aa"), QStringLiteral("cat"), QStringLiteral("zz")});
    seats.setWatching(1, true);
    rules.justWatchSwitched(1);
    EXPECT_EQ(clock.tag(), GameRules::kComputerTag);
    EXPECT_EQ(clock.ticksLeft(), 1);
    EXPECT_TRUE(clock.isActive());

    table.random.push({0});  // scan start
    rules.turntimerTimer();
    EXPECT_EQ(table.board(1), QStringLiteral("cat......."));
    EXPECT_EQ(seats.player(1).score, 5);
    EXPECT_EQ(seats.whoseTurn(), 2);
}

struct JustWatchRow {
    const char *name;
    int seat;
    bool watching;
    bool running;
};

class JustWatchIgnoredTest : public ::testing::TestWithParam<JustWatchRow> { };

// Outside the seat's own turn of a running game the clock is left alone.
TEST_P(JustWatchIgnoredTest, ClockUnchanged)
{
    const JustWatchRow row = GetParam();
    RulesTable table(kWords);
    table.connect(1, QStringLiteral("Ann"));
    table.connect(2, QStringLiteral("Bob"));
    table.beginTurn(1);
    if (!row.running)
        table.seats.endGame();
    table.seats.setWatching(row.seat, row.watching);
    const QString before = table.snapshot();
    table.rules.justWatchSwitched(row.seat);
    EXPECT_EQ(table.snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JustWatchIgnoredTest,
    ::testing::Values(JustWatchRow{"otherSeat", 2, true, true}, JustWatchRow{"notWatching", 1, false, true},
                      JustWatchRow{"noGame", 1, true, false}, JustWatchRow{"seatZero", 0, true, true},
                      JustWatchRow{"seatNegative", -5, true, true}, JustWatchRow{"seatTooHigh", 99, true, true}),
    [](const auto &info) { return std::string(info.param.name); });

// --- requests that must change nothing ---------------------------------------------

// Malformed requests never get this far: the catalogue's decoders refuse them and the
// session drops them.
struct IgnoredRow {
    const char *name;
    std::function<void(GameRules &)> request;
};

class IgnoredRequestTest : public ::testing::TestWithParam<IgnoredRow> { };

// A request out of turn, for an empty cell or with a position or seat out of range
// leaves the whole table, the clock and the connections untouched.
TEST_P(IgnoredRequestTest, LeavesWholeStateAndWireUntouched)
{
    RulesTable table(kWords);
    table.connect(1, QStringLiteral("Ann"));
    table.connect(2, QStringLiteral("Bob"));
    table.setBoard(1, QStringLiteral("c.t"));
    table.setBoard(2, QStringLiteral("dog"));
    table.setExtras(1, QStringLiteral("ab.def"));
    table.setExtras(2, QStringLiteral("ghijkl"));
    table.beginTurn(1);
    table.rules.turntimerTimer();
    const QString before = table.snapshot();

    GetParam().request(table.rules);

    EXPECT_EQ(table.snapshot(), before);
    EXPECT_TRUE(table.sink.log().isEmpty()) << table.sink.log().value(0).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Requests, IgnoredRequestTest,
    ::
        testing::
            Values(
                IgnoredRow{"placeOutOfTurn",
                           [](GameRules &r) {
                               r.placemyletter({2, 1, 3});
                           }},
                IgnoredRow{"placeSeatZero",
                           [](GameRules &r) {
                               r.placemyletter({0, 1, 3});
                           }},
                IgnoredRow{"placeSeatNegative",
                           [](GameRules &r) {
                               r.placemyletter({-5, 1, 3});
                           }},
                IgnoredRow{"placeSeat99",
                           [](GameRules &r) {
                               r.placemyletter({99, 1, 3});
                           }},
                IgnoredRow{"placeSpectator",
                           [](GameRules &r) {
                               r.placemyletter({3, 1, 3});
                           }},
                IgnoredRow{"placeEmptyExtra",
                           [](GameRules &r) {
                               r.placemyletter({1, 3, 4});
                           }},
                IgnoredRow{"placeExtra0",
                           [](GameRules &r) {
                               r.placemyletter({1, 0, 4});
                           }},
                IgnoredRow{"placeExtra7",
                           [](GameRules &r) {
                               r.placemyletter({1, 7, 4});
                           }},
                IgnoredRow{"placeCell0",
                           [](GameRules &r) {
                               r.placemyletter({1, 1, 0});
                           }},
                IgnoredRow{"placeCell11",
                           [](GameRules &r) {
                               r.placemyletter({1, 1, 11});
                           }},
                IgnoredRow{"discardLetterEmptyCell",
                           [](GameRules &r) {
                               r.discardletter({1, 2});
                           }},
                IgnoredRow{"discardLetterCell11",
                           [](GameRules &r) {
                               r.discardletter({1, 11});
                           }},
                IgnoredRow{"discardLetterCellNegative",
                           [](GameRules &r) {
                               r.discardletter({1, -1});
                           }},
                IgnoredRow{"discardLetterOutOfTurn",
                           [](GameRules &r) {
                               r.discardletter({2, 1});
                           }},
                IgnoredRow{"discardExtraEmpty",
                           [](GameRules &r) {
                               r.discardextra({1, 3});
                           }},
                IgnoredRow{"discardExtra7",
                           [](GameRules &r) {
                               r.discardextra({1, 7});
                           }},
                IgnoredRow{"discardExtraSeat99",
                           [](GameRules &r) {
                               r.discardextra({99, 1});
                           }},
                IgnoredRow{"tradeCell0",
                           [](GameRules &r) {
                               r.tradingmyletter({1, 0, 2});
                           }},
                IgnoredRow{"tradeCell11",
                           [](GameRules &r) {
                               r.tradingmyletter({1, 1, 11});
                           }},
                IgnoredRow{"tradeOutOfTurn",
                           [](GameRules &r) {
                               r.tradingmyletter({2, 1, 2});
                           }},
                IgnoredRow{
                    "tradeSeatNegative",
                    [](GameRules &r) {
                        r.tradingmyletter({-5, 1, 2});
                    }},
                IgnoredRow{
                    "stealHisCell0",
                    [](GameRules &r) {
                        r.stealinghisletter({1, 0, 2});
                    }},
                IgnoredRow{
                    "stealMyCell11",
                    [](GameRules &r) {
                        r.stealinghisletter({1, 1, 11});
                    }},
                IgnoredRow{"stealSeat0", [](GameRules &r) { r.stealinghisletter({0, 1, 2}); }},
                IgnoredRow{"stealOutOfTurn", [](GameRules &r) { r.stealinghisletter({2, 1, 2}); }}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
