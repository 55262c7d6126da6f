// The seat table's own promises: the seats used only grow and always cover every
// connected slot, nothing outside the slots, cells and extras is ever written, and
// scores saturate instead of wrapping.
#include "host/SeatTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(SeatTableTest, SeatsUsedOnlyGrowAndCoverEveryConnectedSlot)
{
    SeatTable table;
    EXPECT_EQ(table.seatsUsed(), 0);
    EXPECT_TRUE(table.connectedSlots().isEmpty());
    for (int expected = 1; expected <= 3; ++expected)
        ASSERT_EQ(table.accept(), expected);
    table.depart(3);
    table.depart(2);
    EXPECT_EQ(table.seatsUsed(), 3);
    EXPECT_EQ(table.connectedSlots(), QList<int>{1});

    // A login on a slot beyond the seats used (no accept before it) still lies within them.
    table.login(6, QStringLiteral("Zed"));
    EXPECT_EQ(table.seatsUsed(), 6);
    EXPECT_EQ(table.connectedSlots(), (QList<int>{1, 6}));
    EXPECT_EQ(table.accept(), 2);
    EXPECT_EQ(table.seatsUsed(), 6);
}

TEST(SeatTableTest, NineSlotsAndNoMore)
{
    SeatTable table;
    for (int expected = 1; expected <= SeatTable::kHighestSlot; ++expected)
        ASSERT_EQ(table.accept(), expected);
    EXPECT_EQ(table.accept(), 0);
    table.login(10, QStringLiteral("Ten"));
    table.login(0, QStringLiteral("Zero"));
    EXPECT_EQ(table.seatsUsed(), SeatTable::kHighestSlot);
    for (const int outside : {-1, 0, 10, 11, 99}) {
        EXPECT_FALSE(table.isConnected(outside)) << outside;
        EXPECT_TRUE(table.player(outside).name.isEmpty()) << outside;
    }
}

// Every write names a slot, a cell or an extra; one out of range changes nothing at all.
TEST(SeatTableTest, WritesOutsideTheTableChangeNothing)
{
    SeatTable table;
    table.login(1, QStringLiteral("Ann"));
    table.setRunningGame({30, 100, 3});
    table.setMover(1);
    table.setBoard(1, {0, 3, 1, 20});
    table.setExtras(1, {0, 1, 2, 3, 4, 5, 6});

    const auto unchanged = [&table](const char *what) {
        const tplayer &ann = table.player(1);
        EXPECT_EQ(ann.board, (tplayer::Board{0, 3, 1, 20})) << what;
        EXPECT_EQ(ann.extras, (tplayer::Extras{0, 1, 2, 3, 4, 5, 6})) << what;
        EXPECT_EQ(ann.score, 0) << what;
        EXPECT_EQ(table.whoseTurn(), 1) << what;
        EXPECT_TRUE(table.formedWords(1).isEmpty()) << what;
    };
    for (const int cell : {0, 11, -1}) {
        table.setCell(1, cell, 9);
        table.swapCells(1, 1, cell);
        table.placeExtra(1, 1, cell);
    }
    unchanged("cells");
    for (const int extra : {0, 7, -1}) {
        table.setExtra(1, extra, 9);
        table.placeExtra(1, extra, 4);
    }
    unchanged("extras");
    for (const int slot : {0, 10, -3}) {
        table.setCell(slot, 1, 9);
        table.setExtra(slot, 1, 9);
        EXPECT_EQ(table.addToScore(slot, 5), 0);
        table.recordFormedWord(slot, QStringLiteral("at"));
        EXPECT_TRUE(table.player(slot).board == tplayer::Board{}) << slot;
    }
    // Slot 4 watches: it is dealt nothing and keeps no words.
    table.recordFormedWord(4, QStringLiteral("at"));
    EXPECT_TRUE(table.formedWords(4).isEmpty());
    for (const int seat : {0, 3, -1})
        table.setMover(seat);
    unchanged("slots and movers");
}

TEST(SeatTableTest, ScoresSaturateInsteadOfWrapping)
{
    SeatTable table;
    table.setScore(1, std::numeric_limits<int>::max() - 3);
    EXPECT_EQ(table.addToScore(1, 5), std::numeric_limits<int>::max());
    table.setScore(2, std::numeric_limits<int>::min() + 1);
    EXPECT_EQ(table.addToScore(2, -5), std::numeric_limits<int>::min());
    EXPECT_EQ(table.player(2).score, std::numeric_limits<int>::min());
}

}  // namespace
