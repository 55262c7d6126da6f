// Tile input driven by mouse events on the tiles: every click sequence sends exactly its
// request, and clicks outside the input condition change nothing.
#include "BoardFakes.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "net/Catalogue.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Kind { Extra, Mine, His };

struct Click {
    Kind kind;
    int position;
    Qt::MouseButton button = Qt::LeftButton;
};

class TileInputTest : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        panel.show();
        board->getnextplayer(QStringLiteral("1+5+"));
        sounds.sounds.clear();
    }

    BoardTile *tile(Kind kind, int position) const
    {
        switch (kind) {
        case Kind::Extra:
            return board->extra(position);
        case Kind::Mine:
            return board->myletter(position);
        case Kind::His:
            return board->hisletter(position);
        }
        return nullptr;
    }

    void click(const Click &c)
    {
        BoardTile *target = tile(c.kind, c.position);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, c.button, Qt::NoModifier, QPoint(20, 20));
    }

    void play(const std::vector<Click> &clicks)
    {
        for (const Click &c : clicks)
            click(c);
    }
};

struct SequenceRow {
    const char *name;
    std::vector<Click> clicks;
    QList<QByteArray> sent;
    BoardSelection after;
};

class TileInputSequenceTest : public TileInputTest, public ::testing::WithParamInterface<SequenceRow> {};

TEST_P(TileInputSequenceTest, SequenceSendsExactlyItsRequest)
{
    play(GetParam().clicks);
    EXPECT_EQ(sender.requests, GetParam().sent);
    EXPECT_EQ(board->selection().pickedextra, GetParam().after.pickedextra);
    EXPECT_EQ(board->selection().pickedmine, GetParam().after.pickedmine);
    EXPECT_EQ(board->selection().pickedhis, GetParam().after.pickedhis);
}

Click extraL(int e) { return {Kind::Extra, e, Qt::LeftButton}; }
Click extraR(int e) { return {Kind::Extra, e, Qt::RightButton}; }
Click mineL(int p) { return {Kind::Mine, p, Qt::LeftButton}; }
Click mineR(int p) { return {Kind::Mine, p, Qt::RightButton}; }
Click his(int q) { return {Kind::His, q, Qt::LeftButton}; }

INSTANTIATE_TEST_SUITE_P(
    Table, TileInputSequenceTest,
    ::testing::Values(
        SequenceRow{"place", {extraL(2), mineL(5)}, {net::toHost::placemyletter(1, 2, 5)}, {}},
        SequenceRow{"swap", {mineL(3), mineL(7)}, {net::toHost::tradingmyletter(1, 3, 7)}, {}},
        SequenceRow{"swapWithItself", {mineL(3), mineL(3)}, {net::toHost::tradingmyletter(1, 3, 3)}, {}},
        SequenceRow{"steal", {his(4), mineL(6)}, {net::toHost::stealinghisletter(1, 4, 6)}, {}},
        SequenceRow{"discardLetter", {mineR(8)}, {net::toHost::discardletter(1, 8)}, {}},
        SequenceRow{"discardExtra", {extraR(3)}, {net::toHost::discardextra(1, 3)}, {}},
        SequenceRow{"extraTwiceCancels", {extraL(2), extraL(2)}, {}, {}},
        SequenceRow{"opponentTwiceCancels", {his(4), his(4)}, {}, {}},
        SequenceRow{"secondExtraReplacesFirst", {extraL(2), extraL(5)}, {}, {5, 0, 0}},
        SequenceRow{"extraReleasesOpponent", {his(4), extraL(1)}, {}, {1, 0, 0}},
        SequenceRow{"opponentReleasesOwn", {mineL(3), his(4)}, {}, {0, 0, 4}},
        SequenceRow{"opponentReleasesExtra", {extraL(2), his(4)}, {}, {0, 0, 4}},
        SequenceRow{"discardKeepsExtraSelected", {extraL(2), mineR(5)}, {net::toHost::discardletter(1, 5)}, {2, 0, 0}},
        SequenceRow{"middleButtonDoesNothing",
                    {{Kind::Extra, 1, Qt::MiddleButton}, {Kind::Mine, 1, Qt::MiddleButton}},
                    {},
                    {}}),
    [](const ::testing::TestParamInfo<SequenceRow> &info) { return std::string(info.param.name); });

TEST_F(TileInputTest, SelectionMovesTilesAndPlacementReturnsTheExtraAtOnce)
{
    click(extraL(2));
    EXPECT_EQ(board->extra(2)->y(), BoardHalf::kExtraSelectedTop);
    click(extraL(5));
    EXPECT_EQ(board->extra(2)->y(), BoardHalf::kExtraTop);
    EXPECT_EQ(board->extra(5)->y(), BoardHalf::kExtraSelectedTop);
    click(mineL(1));
    EXPECT_EQ(board->extra(5)->y(), BoardHalf::kExtraTop);

    click(mineL(3));
    click(mineL(7));
    EXPECT_EQ(board->myletter(3)->y(), BoardHalf::kMySelectedTop);
    EXPECT_EQ(board->myletter(7)->y(), BoardHalf::kMySelectedTop);
    // The host's answer redraws the row at rest.
    board->tradingmyletter(QStringLiteral("1+3+0+7+0+"));
    EXPECT_EQ(board->myletter(3)->y(), BoardHalf::kMyTop);
    EXPECT_EQ(board->myletter(7)->y(), BoardHalf::kMyTop);

    click(his(4));
    EXPECT_EQ(board->hisletter(4)->y(), BoardHalf::kHisSelectedTop);
    click(mineL(6));
    EXPECT_EQ(board->hisletter(4)->y(), BoardHalf::kHisSelectedTop);  // until the host answers
    board->notvalid(QStringLiteral("1+"));
    EXPECT_EQ(board->hisletter(4)->y(), BoardHalf::kHisTop);
}

struct RefusalRow {
    const char *name;
    int ownSlot;
    int turnslot;
    bool justWatching;
};

class TileInputRefusalTest : public TileInputTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(TileInputRefusalTest, ClicksOutsideTheInputConditionDoNothing)
{
    context.ownSlot = GetParam().ownSlot;
    context.turnslot = GetParam().turnslot;
    context.justWatchChecked = GetParam().justWatching;
    play({extraL(2), mineL(5), mineL(3), mineL(3), his(4), mineL(6), mineR(1), extraR(1)});
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_EQ(board->selection().pickedextra, 0);
    EXPECT_EQ(board->selection().pickedmine, 0);
    EXPECT_EQ(board->selection().pickedhis, 0);
    EXPECT_EQ(board->extra(2)->y(), BoardHalf::kExtraTop);
    EXPECT_EQ(board->myletter(3)->y(), BoardHalf::kMyTop);
    EXPECT_EQ(board->hisletter(4)->y(), BoardHalf::kHisTop);
}

INSTANTIATE_TEST_SUITE_P(Conditions, TileInputRefusalTest,
                         ::testing::Values(RefusalRow{"spectator", 3, 1, false}, RefusalRow{"notMyTurn", 1, 2, false},
                                           RefusalRow{"justWatching", 1, 1, true},
                                           RefusalRow{"beforeLogin", 0, 0, false},
                                           RefusalRow{"noTurnRunning", 1, 0, false}),
                         [](const ::testing::TestParamInfo<RefusalRow> &info) { return std::string(info.param.name); });

TEST_F(TileInputTest, AfterAWinEveryClickIsIgnored)
{
    board->winner(QStringLiteral("1+"));
    play({extraL(2), mineL(5), mineR(1), his(2), mineL(2)});
    EXPECT_TRUE(sender.requests.isEmpty());
}

TEST_F(TileInputTest, WithoutLoginACompletingClickClearsTheSelectionOnly)
{
    context.loggedIn = false;
    play({extraL(2), mineL(5)});
    EXPECT_EQ(board->selection().pickedextra, 0);
    EXPECT_EQ(board->extra(2)->y(), BoardHalf::kExtraTop);
    play({his(4), mineL(6), mineR(1), extraR(1)});
    EXPECT_EQ(board->selection().pickedhis, 0);
    EXPECT_TRUE(sender.requests.isEmpty());
}

TEST_F(TileInputTest, OpponentTileNeedsPressAndReleaseOverIt)
{
    BoardTile *target = board->hisletter(4);
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, QPoint(90, 20));
    EXPECT_EQ(board->selection().pickedhis, 0);
    QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(board->selection().pickedhis, 0);
}

} // namespace
