// A whole two-player game with a spectator, driven by requests alone, with every
// random value scripted, checking the exact bytes each slot receives at every step.
#include "RulesTable.h"

#include "net/Catalogue.h"

#include <gtest/gtest.h>

namespace {

class GameTest : public ::testing::Test {
protected:
    GameTest()
        : table({QStringLiteral("at"), QStringLiteral("cat"), QStringLiteral("act"), QStringLiteral("to"),
                 QStringLiteral("cot"), QStringLiteral("tab"), QStringLiteral("oat")})
    {
        table.connect(1, QStringLiteral("Ann"));
        table.connect(2, QStringLiteral("Bob"));
        table.connect(3, QStringLiteral("Cy"));
    }

    // Exactly what slots 1, 2 and 3 received since the last check.
    void expectSlots(const QByteArray &one, const QByteArray &two, const QByteArray &three)
    {
        EXPECT_EQ(table.sink.takeBytes(1), one);
        EXPECT_EQ(table.sink.takeBytes(2), two);
        EXPECT_EQ(table.sink.takeBytes(3), three);
    }
    void expectSilence() { expectSlots({}, {}, {}); }

    static QByteArray w(const char *text) { return RulesTable::wire(text); }

    RulesTable table;
    GameRules &rules = table.rules;
    SeatTable &seats = table.seats;
    TurnClock &clock = table.clock;
};

// The starter's name goes to everybody: it is cleaned and cut like a login name, so a
// request cannot make the host broadcast a line longer than clients accept.
TEST_F(GameTest, TheStartersNameIsBroadcastCleanedAndShort)
{
    table.random.push({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    rules.startgame({QStringLiteral("A\nn\u202E") + QString(23000, QChar(0xFFFD)), 30, 10, 2});
    const QByteArray sent = table.sink.take(2).value(0);
    EXPECT_EQ(sent, net::toClient::startgame(QStringLiteral("A n") + QString(29, QChar(0xFFFD)), 30, 10, 2));
    EXPECT_TRUE(seats.gameInProgress());
}

TEST_F(GameTest, TwoPlayersAndASpectatorPlayToTheWinner)
{
    // Deal: Ann c a t s e, Bob b o r n d, Cy l i m p u; seat 2 drawn, so seat 1 moves
    // first and gets h as its sixth letter.
    table.random.push({2, 0, 19, 18, 4, 1, 14, 17, 13, 3, 11, 8, 12, 15, 20, 1, 7});
    rules.startgame({QStringLiteral("Ann"), 30, 10, 2});
    const QByteArray start = w("CMD_startgame+Ann+30+10+2+#");
    expectSlots(start + w("CMD_letters+1+1+3+2+1+3+20+4+19+5+5#CMD_newletter+1+6+8+#CMD_nextplayer+1+2+#"),
                start + w("CMD_letters+2+1+2+2+15+3+18+4+14+5+4#CMD_nextplayer+1+2+#"),
                start + w("CMD_letters+3+1+12+2+9+3+13+4+16+5+21#CMD_nextplayer+1+2+#"));
    EXPECT_EQ(table.extras(1), QStringLiteral("catseh"));
    EXPECT_EQ(table.extras(2), QStringLiteral("bornd."));
    EXPECT_EQ(table.extras(3), QStringLiteral("limpu."));
    EXPECT_EQ(table.board(1), QStringLiteral(".........."));
    EXPECT_EQ(seats.whoseTurn(), 1);
    EXPECT_TRUE(seats.gameInProgress());
    EXPECT_EQ(clock.ticksLeft(), 32);

    // Seat 2 out of turn is ignored; Ann puts c on cell 1. Bob gets a.
    rules.placemyletter({2, 1, 1});
    expectSilence();
    table.random.push({0});
    rules.placemyletter({1, 1, 1});
    QByteArray all = w("CMD_placemyletter+1+1+1+3+#");
    expectSlots(all + w("CMD_nextplayer+2+2+#"), all + w("CMD_newletter+2+6+1+#CMD_nextplayer+2+2+#"),
                all + w("CMD_nextplayer+2+2+#"));

    // Bob puts o on cell 1. Ann's new letter: x, rejected for a uniform a, which she
    // already holds and keeps on the survival draw.
    table.random.push({23, 1, 0, 0});
    rules.placemyletter({2, 2, 1});
    all = w("CMD_placemyletter+2+2+1+15+#");
    expectSlots(all + w("CMD_newletter+1+1+1+#CMD_nextplayer+1+2+#"), all + w("CMD_nextplayer+1+2+#"),
                all + w("CMD_nextplayer+1+2+#"));

    // Ann trades there and back, then places a on cell 2.
    rules.tradingmyletter({1, 1, 3});
    rules.tradingmyletter({1, 3, 1});
    table.random.push({19});
    rules.placemyletter({1, 2, 2});
    all = w("CMD_tradingmyletter+1+1+0+3+3+#CMD_tradingmyletter+1+3+0+1+3+#CMD_placemyletter+1+2+2+1+#");
    expectSlots(all + w("CMD_nextplayer+2+2+#"), all + w("CMD_newletter+2+2+20+#CMD_nextplayer+2+2+#"),
                all + w("CMD_nextplayer+2+2+#"));
    EXPECT_EQ(table.board(1), QStringLiteral("ca........"));

    // Bob's steal of Ann's a would spell "oa": refused to him alone. He moves o right
    // and places t in front: "to" scores 2.
    EXPECT_FALSE(rules.stealinghisletter({2, 2, 2}));
    expectSlots({}, w("CMD_notvalid+2+#"), {});
    rules.tradingmyletter({2, 1, 2});
    table.random.push({12});
    rules.placemyletter({2, 2, 1});
    all = w("CMD_tradingmyletter+2+1+0+2+15+#CMD_placemyletter+2+2+1+20+#CMD_formedword+2+to+2+2+#");
    expectSlots(all + w("CMD_newletter+1+2+13+#CMD_nextplayer+1+2+#"), all + w("CMD_nextplayer+1+2+#"),
                all + w("CMD_nextplayer+1+2+#"));

    // Ann completes "cat" for 5. Bob draws o, which his board holds: replaced by e.
    table.random.push({14, 2, 4});
    rules.placemyletter({1, 3, 3});
    all = w("CMD_placemyletter+1+3+3+20+#CMD_formedword+1+cat+5+5+#");
    expectSlots(all + w("CMD_nextplayer+2+2+#"), all + w("CMD_newletter+2+2+5+#CMD_nextplayer+2+2+#"),
                all + w("CMD_nextplayer+2+2+#"));

    // Bob lets his 32 ticks run out and loses extra 4 (his n). Ann gets u.
    for (int tick = 0; tick < 31; ++tick)
        rules.turntimerTimer();
    expectSilence();
    table.random.push({3, 20});
    rules.turntimerTimer();
    all = w("CMD_timeup+#");
    expectSlots(all + w("CMD_newletter+1+3+21+#CMD_nextplayer+1+2+#"),
                all + w("CMD_discardextra+2+4+#CMD_nextplayer+1+2+#"), all + w("CMD_nextplayer+1+2+#"));
    EXPECT_EQ(table.extras(2), QStringLiteral("ber.da"));

    // Ann's steal of t into cell 4 ("catt") is refused; her steal of Bob's o into cell 2
    // spells "cot", 5 points, reaching the target of 10: she wins.
    EXPECT_FALSE(rules.stealinghisletter({1, 1, 4}));
    expectSlots(w("CMD_notvalid+1+#"), {}, {});
    EXPECT_TRUE(rules.stealinghisletter({1, 2, 2}));
    all = w("CMD_formedword+1+cot+5+10+#CMD_stoldletter+1+2+2+2+15+#CMD_winner+1+#");
    expectSlots(all, all, all);

    EXPECT_FALSE(seats.gameInProgress());
    EXPECT_FALSE(clock.isActive());
    EXPECT_EQ(table.board(1), QStringLiteral("cot......."));
    EXPECT_EQ(table.board(2), QStringLiteral("t........."));
    EXPECT_EQ(seats.player(1).score, 10);
    EXPECT_EQ(seats.player(2).score, 2);
    EXPECT_EQ(seats.player(1).steals, 1);
    EXPECT_EQ(seats.formedWords(1), (QStringList{QStringLiteral("cat"), QStringLiteral("cot")}));
    EXPECT_EQ(seats.formedWords(2), QStringList{QStringLiteral("to")});
    EXPECT_EQ(table.random.pending(), 0);

    // The board stays as it was at the win; further requests change nothing.
    rules.discardletter({1, 1});
    expectSilence();
    EXPECT_EQ(table.board(1), QStringLiteral("cot......."));
}

TEST_F(GameTest, StartDuringAGameRestartsItWithUnlimitedSteals)
{
    table.random.push({2, 0, 19, 18, 4, 1, 14, 17, 13, 3, 11, 8, 12, 15, 20, 0, 7});
    rules.startgame({QStringLiteral("Ann"), 30, 10, 2});
    table.setBoard(1, QStringLiteral("cat"));
    table.setBoard(3, QStringLiteral("oat"));
    seats.setScore(1, 5);
    seats.setSteals(2, 1);
    seats.setWatching(1, true);
    seats.recordFormedWord(2, QStringLiteral("to"));
    table.sink.clear();

    // a b c d e, f g h i k, l m n o p; seat 1 drawn, so seat 2 moves first and gets r.
    table.random.push({0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 0, 17});
    rules.startgame({QStringLiteral("Ann"), 60, 50, 10000});
    const QByteArray start = w("CMD_startgame+Ann+60+50+10000+#");
    expectSlots(start + w("CMD_letters+1+1+1+2+2+3+3+4+4+5+5#CMD_nextplayer+2+10000+#"),
                start + w("CMD_letters+2+1+6+2+7+3+8+4+9+5+11#CMD_newletter+2+6+18+#CMD_nextplayer+2+10000+#"),
                start + w("CMD_letters+3+1+12+2+13+3+14+4+15+5+16#CMD_nextplayer+2+10000+#"));
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(table.board(slot), QStringLiteral("..........")) << slot;
        EXPECT_EQ(seats.player(slot).score, 0) << slot;
        EXPECT_EQ(seats.player(slot).steals, 0) << slot;
        EXPECT_EQ(seats.player(slot).justwatching, 0) << slot;
        EXPECT_TRUE(seats.formedWords(slot).isEmpty()) << slot;
    }
    EXPECT_EQ(seats.whoseTurn(), 2);
    EXPECT_EQ(clock.ticksLeft(), 62);
    EXPECT_EQ(seats.settings().stealsAllowed, GameRules::kUnlimitedSteals);
    EXPECT_EQ(table.random.pending(), 0);
}

// Letters of a seat without a connection are dealt but not sent; the computer takes
// an unheld seat 2 two ticks after its turn begins.
TEST_F(GameTest, UnheldSeatsAreDealtButNotSent)
{
    seats.depart(2);
    seats.depart(3);
    table.random.push({2, 0, 19, 18, 4, 1, 14, 17, 13, 3, 11, 8, 12, 15, 20, 0, 0});
    rules.startgame({QStringLiteral("You"), 30, 100, 3});
    EXPECT_EQ(table.sink.takeBytes(1),
              w("CMD_startgame+You+30+100+3+#CMD_letters+1+1+3+2+1+3+20+4+19+5+5#CMD_nextplayer+2+3+#"));
    EXPECT_EQ(table.sink.log().size(), 3);
    EXPECT_EQ(table.extras(2), QStringLiteral("bornda"));
    EXPECT_EQ(table.extras(3), QStringLiteral("limpu."));
    EXPECT_EQ(clock.tag(), GameRules::kComputerTag);
    EXPECT_EQ(clock.ticksLeft(), 2);
}

// Settings at the ends of the 32-bit range are stored as sent; the clock's arithmetic
// saturates instead of overflowing.
TEST_F(GameTest, ExtremeSettingsNeitherOverflowNorStopTheGame)
{
    rules.startgame({QStringLiteral("Ann"), 2147483647, 2147483647, -2147483648});
    EXPECT_TRUE(seats.gameInProgress());
    EXPECT_EQ(seats.settings().timePerTurn, 2147483647);
    EXPECT_EQ(clock.ticksLeft(), 2147483647);
    EXPECT_TRUE(table.sink.takeBytes(3).endsWith(
        w(seats.whoseTurn() == 1 ? "CMD_nextplayer+1+-2147483648+#" : "CMD_nextplayer+2+-2147483648+#")));

    rules.startgame({QStringLiteral("Ann"), -2147483648, 10, 3});
    const int mover = seats.whoseTurn();
    rules.turntimerTimer();  // a negative time runs out at the first tick
    EXPECT_NE(seats.whoseTurn(), mover);
    EXPECT_TRUE(table.sink.takeBytes(3).contains(w("CMD_timeup+#")));
}

TEST_F(GameTest, NoTurnBeginsOutsideARunningGame)
{
    rules.passTurnOrDeclareWinner();
    EXPECT_EQ(seats.whoseTurn(), 0);
    EXPECT_FALSE(clock.isActive());
    expectSilence();
}

}  // namespace
