// The tile input on the game alone: every click sequence sends exactly its request and
// leaves exactly its picks and raised tiles; clicks outside the input condition change
// nothing.
#include "ModelFakes.h"

#include "client/model/ClientGame.h"
#include "client/model/TileInput.h"
#include "net/Catalogue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Click {
    TileKind kind;
    int position;
    Qt::MouseButton button = Qt::LeftButton;
};

Click extraL(int e)
{
    return {TileKind::Extra, e, Qt::LeftButton};
}
Click extraR(int e)
{
    return {TileKind::Extra, e, Qt::RightButton};
}
Click mineL(int p)
{
    return {TileKind::Own, p, Qt::LeftButton};
}
Click mineR(int p)
{
    return {TileKind::Own, p, Qt::RightButton};
}
Click his(int q)
{
    return {TileKind::Opponent, q, Qt::LeftButton};
}

// The raised tiles as "e2 o3 o7 h4" (extra, own, opponent).
QString raisedTiles(const TileSelection &selection)
{
    QStringList raised;
    const auto collect = [&](TileKind kind, const char *prefix, int count) {
        for (int p = 1; p <= count; ++p)
            if (selection.raised(kind, p))
                raised << QLatin1String(prefix) + QString::number(p);
    };
    collect(TileKind::Extra, "e", 6);
    collect(TileKind::Own, "o", 10);
    collect(TileKind::Opponent, "h", 10);
    return raised.join(QLatin1Char(' '));
}

class TileInputTest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        game.getnextplayer(QStringLiteral("1+5+"));
    }

    void click(const Click &c)
    {
        switch (c.kind) {
        case TileKind::Extra: input.pressExtra(c.position, c.button); break;
        case TileKind::Own: input.pressOwnCell(c.position, c.button); break;
        case TileKind::Opponent:
            if (c.button == Qt::LeftButton)
                input.pickOpponentCell(c.position);
            break;
        }
    }

    void play(const std::vector<Click> &clicks)
    {
        for (const Click &c : clicks)
            click(c);
    }

    RequestRecorder sender;
    TileInput input{game, sender};
};

struct SequenceRow {
    const char *name;
    std::vector<Click> clicks;
    QList<QByteArray> sent;
    int pickedExtra;
    int pickedOwn;
    int pickedOpponent;
    const char *raised;
};

class TileInputSequenceTest : public TileInputTest, public ::testing::WithParamInterface<SequenceRow> { };

TEST_P(TileInputSequenceTest, SequenceSendsExactlyItsRequest)
{
    play(GetParam().clicks);
    EXPECT_EQ(sender.requests, GetParam().sent);
    EXPECT_EQ(game.selection().pickedExtra, GetParam().pickedExtra);
    EXPECT_EQ(game.selection().pickedOwn, GetParam().pickedOwn);
    EXPECT_EQ(game.selection().pickedOpponent, GetParam().pickedOpponent);
    EXPECT_EQ(raisedTiles(game.selection()), QString::fromLatin1(GetParam().raised));
}

using net::toHost::discardextra;
using net::toHost::discardletter;
using net::toHost::placemyletter;
using net::toHost::stealinghisletter;
using net::toHost::tradingmyletter;

INSTANTIATE_TEST_SUITE_P(
    Table, TileInputSequenceTest,
    ::testing::Values(
        SequenceRow{"place", {extraL(2), mineL(5)}, {placemyletter(1, 2, 5)}, 0, 0, 0, ""},
        SequenceRow{"swapKeepsBothRaised", {mineL(3), mineL(7)}, {tradingmyletter(1, 3, 7)}, 0, 0, 0, "o3 o7"},
        SequenceRow{"swapWithItself", {mineL(3), mineL(3)}, {tradingmyletter(1, 3, 3)}, 0, 0, 0, "o3"},
        SequenceRow{"stealKeepsTheCellRaised", {his(4), mineL(6)}, {stealinghisletter(1, 4, 6)}, 0, 0, 0, "h4"},
        SequenceRow{"discardLetter", {mineR(8)}, {discardletter(1, 8)}, 0, 0, 0, ""},
        SequenceRow{"discardExtra", {extraR(3)}, {discardextra(1, 3)}, 0, 0, 0, ""},
        SequenceRow{"extraTwiceCancels", {extraL(2), extraL(2)}, {}, 0, 0, 0, ""},
        SequenceRow{"opponentTwiceCancels", {his(4), his(4)}, {}, 0, 0, 0, ""},
        SequenceRow{"secondExtraReplacesFirst", {extraL(2), extraL(5)}, {}, 5, 0, 0, "e5"},
        SequenceRow{"extraReleasesOpponent", {his(4), extraL(1)}, {}, 1, 0, 0, "e1"},
        SequenceRow{"opponentReleasesOwn", {mineL(3), his(4)}, {}, 0, 0, 4, "h4"},
        SequenceRow{"opponentReleasesExtra", {extraL(2), his(4)}, {}, 0, 0, 4, "h4"},
        SequenceRow{"discardKeepsExtraPicked", {extraL(2), mineR(5)}, {discardletter(1, 5)}, 2, 0, 0, "e2"},
        // A pick on an own cell does not lower what a sent swap left raised.
        SequenceRow{"pickAfterSwapKeepsItsCells",
                    {mineL(3), mineL(7), mineL(5)},
                    {tradingmyletter(1, 3, 7)},
                    0,
                    5,
                    0,
                    "o3 o5 o7"},
        SequenceRow{"stolenCellPickedAgain", {his(4), mineL(6), his(4)}, {stealinghisletter(1, 4, 6)}, 0, 0, 4, "h4"},
        SequenceRow{"middleButtonDoesNothing",
                    {{TileKind::Extra, 1, Qt::MiddleButton}, {TileKind::Own, 1, Qt::MiddleButton}},
                    {},
                    0,
                    0,
                    0,
                    ""},
        SequenceRow{"positionsOutsideTheBoard", {extraL(0), extraL(7), mineL(11), mineR(0), his(11)}, {}, 0, 0, 0, ""}),
    [](const ::testing::TestParamInfo<SequenceRow> &info) { return std::string(info.param.name); });

TEST_F(TileInputTest, HostsAnswerLowersWhatTheRequestLeftRaised)
{
    play({mineL(3), mineL(7)});
    game.tradingmyletter(QStringLiteral("1+3+0+7+0+"));
    EXPECT_EQ(game.selection(), TileSelection());

    play({his(4), mineL(6)});
    game.notvalid(QStringLiteral("1+"));
    EXPECT_EQ(game.selection(), TileSelection());
}

struct RefusalRow {
    const char *name;
    int ownSlot;  // 0: never logged in
    const char *turn;  // the turn change before the clicks; empty: none
    bool justWatching;
};

class TileInputRefusalTest : public GameFixture, public ::testing::WithParamInterface<RefusalRow> { };

TEST_P(TileInputRefusalTest, ClicksOutsideTheInputConditionDoNothing)
{
    ClientGame fresh;
    ClientGame &target = GetParam().ownSlot == 0 ? fresh : game;
    if (GetParam().ownSlot != 0)
        game.logIn(GetParam().ownSlot);
    if (*GetParam().turn)
        target.getnextplayer(QString::fromLatin1(GetParam().turn));
    target.setJustWatching(1, GetParam().justWatching);
    RequestRecorder sender;
    TileInput input(target, sender);
    EXPECT_FALSE(input.inputAccepted());

    input.pressExtra(2, Qt::LeftButton);
    input.pressOwnCell(5, Qt::LeftButton);
    input.pressOwnCell(3, Qt::LeftButton);
    input.pickOpponentCell(4);
    input.pressOwnCell(1, Qt::RightButton);
    input.pressExtra(1, Qt::RightButton);
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_EQ(target.selection(), TileSelection());
}

INSTANTIATE_TEST_SUITE_P(Conditions, TileInputRefusalTest,
                         ::testing::Values(RefusalRow{"spectator", 3, "1+5+", false},
                                           RefusalRow{"notMyTurn", 1, "2+5+", false},
                                           RefusalRow{"justWatching", 1, "1+5+", true},
                                           RefusalRow{"beforeLogin", 0, "", false},
                                           RefusalRow{"noTurnRunning", 1, "", false}),
                         [](const ::testing::TestParamInfo<RefusalRow> &info) { return std::string(info.param.name); });

TEST_F(TileInputTest, AfterAWinEveryClickIsIgnored)
{
    game.winner(QStringLiteral("1+"));
    play({extraL(2), mineL(5), mineR(1), his(2), mineL(2)});
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_EQ(game.selection(), TileSelection());
}

}  // namespace
