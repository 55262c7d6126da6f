// Mouse clicks on the board's tiles: each kind of tile and button reaches the tile input
// with its position, and the raised tiles the player sees follow the game's selection.
// The selection rules themselves are tested on the game alone (tests/client_model).
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

class BoardClicksTest : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        panel.show();
        game.getnextplayer(QStringLiteral("1+5+"));
    }

    BoardTile *tile(Kind kind, int position) const
    {
        switch (kind) {
        case Kind::Extra: return board->extraTile(position);
        case Kind::Mine: return board->ownTile(position);
        case Kind::His: return board->opponentTile(position);
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

Click extraL(int e)
{
    return {Kind::Extra, e, Qt::LeftButton};
}
Click extraR(int e)
{
    return {Kind::Extra, e, Qt::RightButton};
}
Click mineL(int p)
{
    return {Kind::Mine, p, Qt::LeftButton};
}
Click mineR(int p)
{
    return {Kind::Mine, p, Qt::RightButton};
}
Click his(int q)
{
    return {Kind::His, q, Qt::LeftButton};
}

struct SequenceRow {
    const char *name;
    std::vector<Click> clicks;
    QList<QByteArray> sent;
};

class BoardClickSequenceTest : public BoardClicksTest, public ::testing::WithParamInterface<SequenceRow> { };

TEST_P(BoardClickSequenceTest, ClicksOnTheTilesSendTheirRequest)
{
    play(GetParam().clicks);
    EXPECT_EQ(sender.requests, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BoardClickSequenceTest,
    ::testing::Values(SequenceRow{"place", {extraL(2), mineL(5)}, {net::toHost::placemyletter(1, 2, 5)}},
                      SequenceRow{"swap", {mineL(3), mineL(7)}, {net::toHost::tradingmyletter(1, 3, 7)}},
                      SequenceRow{"steal", {his(4), mineL(6)}, {net::toHost::stealinghisletter(1, 4, 6)}},
                      SequenceRow{"discardLetter", {mineR(8)}, {net::toHost::discardletter(1, 8)}},
                      SequenceRow{"discardExtra", {extraR(3)}, {net::toHost::discardextra(1, 3)}},
                      SequenceRow{"rightClickOnOpponentDoesNothing", {{Kind::His, 4, Qt::RightButton}}, {}}),
    [](const ::testing::TestParamInfo<SequenceRow> &info) { return std::string(info.param.name); });

TEST_F(BoardClicksTest, SelectionRaisesTilesAndPlacementReturnsTheExtraAtOnce)
{
    click(extraL(2));
    EXPECT_EQ(board->extraTile(2)->y(), BoardHalf::kExtraSelectedTop);
    click(extraL(5));
    EXPECT_EQ(board->extraTile(2)->y(), BoardHalf::kExtraTop);
    EXPECT_EQ(board->extraTile(5)->y(), BoardHalf::kExtraSelectedTop);
    click(mineL(1));
    EXPECT_EQ(board->extraTile(5)->y(), BoardHalf::kExtraTop);

    click(mineL(3));
    click(mineL(7));
    EXPECT_EQ(board->ownTile(3)->y(), BoardHalf::kOwnSelectedTop);
    EXPECT_EQ(board->ownTile(7)->y(), BoardHalf::kOwnSelectedTop);
    // The host's answer redraws the row at rest.
    game.tradingmyletter(QStringLiteral("1+3+0+7+0+"));
    EXPECT_EQ(board->ownTile(3)->y(), BoardHalf::kOwnTop);
    EXPECT_EQ(board->ownTile(7)->y(), BoardHalf::kOwnTop);

    click(his(4));
    EXPECT_EQ(board->opponentTile(4)->y(), BoardHalf::kOpponentSelectedTop);
    click(mineL(6));
    EXPECT_EQ(board->opponentTile(4)->y(), BoardHalf::kOpponentSelectedTop);  // until the host answers
    game.notvalid(QStringLiteral("1+"));
    EXPECT_EQ(board->opponentTile(4)->y(), BoardHalf::kOpponentTop);
}

TEST_F(BoardClicksTest, ClicksOutOfTurnLeaveEveryTileAtRest)
{
    game.getnextplayer(QStringLiteral("2+5+"));
    play({extraL(2), mineL(3), his(4), mineR(1), extraR(1)});
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_EQ(board->extraTile(2)->y(), BoardHalf::kExtraTop);
    EXPECT_EQ(board->ownTile(3)->y(), BoardHalf::kOwnTop);
    EXPECT_EQ(board->opponentTile(4)->y(), BoardHalf::kOpponentTop);
}

TEST_F(BoardClicksTest, OpponentTileNeedsPressAndReleaseOverIt)
{
    BoardTile *target = board->opponentTile(4);
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, QPoint(90, 20));
    EXPECT_EQ(game.selection().pickedOpponent, 0);
    QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(game.selection().pickedOpponent, 0);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(game.selection().pickedOpponent, 4);
}

}  // namespace
