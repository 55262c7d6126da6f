// The Strong computer at the table: its plans carried out through the rules' handlers
// (trades, then one ending action), the host choosing it at game start and its turns on
// the turn clock, and whole games against the Classic computer with the real word list.
#include "RulesTable.h"

#include "dictionary/Vocabulary.h"
#include "host/AnagramIndex.h"
#include "host/HostEngine.h"
#include "host/StrongPlayer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Seat 2 just watching, so the computer plays it, yet connected, so that what it alone
// is sent can be seen; seat 1 a person with six extras; seat 2 to move.
class StrongPlayerTest : public ::testing::Test {
protected:
    explicit StrongPlayerTest(const QStringList &words = {"acts", "cat", "cats"})
        : table(words)
        , index(AnagramIndex::fromWords(words))
        , strong(table.seats, table.rules, index)
    {
        table.rules.setComputer(&strong);
        table.connect(1, QStringLiteral("Ann"));
        table.connect(2, QStringLiteral("Bob"));
        table.seats.setWatching(2, true);
        table.setExtras(1, QStringLiteral("kkkkkk"));
    }

    QByteArray seen(int slot) { return table.sink.takeBytes(slot); }
    static QByteArray w(const char *text) { return RulesTable::wire(text); }

    RulesTable table;
    AnagramIndex index;
    StrongPlayer strong;
};

TEST_F(StrongPlayerTest, TradesSpellTheWordBeforeTheLetterIsPlaced)
{
    table.setBoard(2, QStringLiteral("tca"));
    table.setExtras(2, QStringLiteral("sqqqqq"));
    table.beginTurn(2);
    strong.computerplay(2);
    EXPECT_EQ(seen(1),
              w("CMD_tradingmyletter+2+1+1+3+20+#CMD_placemyletter+2+1+4+19+#"
                "CMD_formedword+2+acts+6+6+#CMD_nextplayer+1+3+#"));
    EXPECT_EQ(table.board(2), QStringLiteral("acts......"));
    EXPECT_EQ(table.seats.whoseTurn(), 1);
}

TEST_F(StrongPlayerTest, AStealThatReachesTheTargetWinsTheGame)
{
    // Discarding an extra would score "cat" (5), one short of the target; the steal makes 100.
    table.setBoard(2, QStringLiteral("act"));
    table.setExtras(2, QStringLiteral("qqqqqq"));
    table.setBoard(1, QStringLiteral("..s"));
    table.beginTurn(2, 30, 100, 3);
    table.seats.setScore(2, 94);
    strong.computerplay(2);
    EXPECT_EQ(seen(1), w("CMD_formedword+2+acts+6+100+#CMD_stoldletter+2+1+4+3+19+#CMD_winner+2+#"));
    EXPECT_FALSE(table.seats.gameInProgress());
    EXPECT_EQ(table.seats.player(2).steals, 1);
}

// A seat left with no letter at all still hands the turn on, or the game would wait on
// a clock that is already off.
TEST_F(StrongPlayerTest, WithNoLetterAnywhereTheTurnStillPasses)
{
    table.setExtras(2, QString());
    table.beginTurn(2);
    strong.computerplay(2);
    EXPECT_EQ(seen(1), w("CMD_nextplayer+1+3+#"));
    EXPECT_EQ(table.seats.whoseTurn(), 1);
}

// --- the host's choice ------------------------------------------------------------------

// Plays seat 1's turn away with a discard, so that the computer's seat 2 moves next.
void passSeatOne(HostEngine &engine)
{
    if (engine.table().whoseTurn() != 1)
        return;
    for (int k = 1; k <= quarn::kExtras; ++k) {
        if (engine.table().player(1).extras[static_cast<size_t>(k)] != 0) {
            engine.rules().discardextra({1, k});
            return;
        }
    }
}

TEST(StrongHostTest, StrongIsMadeOnlyWhenChosenAndThenPlaysTheComputersTurnsOnTheClock)
{
    QTemporaryDir folder;
    HostEngine engine(folder.path(), nullptr, std::make_unique<Random>(3));
    EXPECT_EQ(engine.computerLevel(), ComputerLevel::Classic);
    EXPECT_EQ(engine.strongComputer(), nullptr);

    ASSERT_TRUE(engine.setComputerLevel(ComputerLevel::Strong));
    ASSERT_NE(engine.strongComputer(), nullptr);
    EXPECT_EQ(engine.computerLevel(), ComputerLevel::Strong);

    engine.table().login(1, QStringLiteral("Ann"));
    engine.rules().startgame({QStringLiteral("Ann"), 30, 200, 3});
    passSeatOne(engine);
    ASSERT_EQ(engine.table().whoseTurn(), 2);
    // The host's pace: the computer moves at the second tick of its turn.
    engine.rules().turntimerTimer();
    EXPECT_EQ(engine.strongComputer()->lastPlan().action, MovePlan::Action::Nothing);
    EXPECT_EQ(engine.table().whoseTurn(), 2);
    engine.rules().turntimerTimer();
    EXPECT_NE(engine.strongComputer()->lastPlan().action, MovePlan::Action::Nothing);
    EXPECT_EQ(engine.table().whoseTurn(), 1);

    // Back to Classic: Strong is kept for later but makes no more moves.
    const MovePlan before = engine.strongComputer()->lastPlan();
    ASSERT_TRUE(engine.setComputerLevel(ComputerLevel::Classic));
    passSeatOne(engine);
    engine.rules().turntimerTimer();
    engine.rules().turntimerTimer();
    EXPECT_EQ(engine.table().whoseTurn(), 1);
    EXPECT_EQ(engine.strongComputer()->lastPlan().trades, before.trades);
    EXPECT_EQ(engine.strongComputer()->lastPlan().action, before.action);
    EXPECT_EQ(engine.strongComputer()->lastPlan().value, before.value);
}

// --- whole games ------------------------------------------------------------------------

// Hands each seat's turns to the player given for it.
class SeatRouter : public ComputerOpponent {
public:
    void computerplay(int seat) override { players[static_cast<size_t>(seat)]->computerplay(seat); }
    std::array<ComputerOpponent *, 3> players{};
};

class StrongGameTest : public ::testing::TestWithParam<quint32> { };

// Strong against Classic with the real word list and vocabulary, the clock driven tick by
// tick: the game reaches a winner, every Strong turn ends with one accepted action (no
// refused steal), and every word it scores is one the dictionary lists.
TEST_P(StrongGameTest, StrongAndClassicPlayAGameToTheWinner)
{
    QTemporaryDir folder;
    TDictn spell(folder.path());
    ASSERT_TRUE(spell.isOpen());
    const std::optional<AnagramIndex> words = AnagramIndex::load(spell.filePath());
    ASSERT_TRUE(words);
    CapturingSink sink;
    Random random(GetParam());
    SeatTable seats;
    TurnClock clock;
    GameRules rules(seats, sink, random, spell, clock);
    ComputerPlayer classic(seats, rules, loadVocabulary());
    StrongPlayer strong(seats, rules, *words);
    const int strongSeat = GetParam() % 2 == 0 ? 2 : 1;
    SeatRouter router;
    router.players[static_cast<size_t>(strongSeat)] = &strong;
    router.players[static_cast<size_t>(GameRules::opponentOf(strongSeat))] = &classic;
    rules.setComputer(&router);
    for (int seat = 1; seat <= 2; ++seat)
        seats.login(seat, QStringLiteral("P%1").arg(seat));

    rules.startgame({QStringLiteral("P1"), 30, 150, 5});
    seats.setWatching(1, true);
    seats.setWatching(2, true);
    rules.justWatchSwitched(seats.whoseTurn());
    for (int ticks = 0; seats.gameInProgress() && ticks < 5000; ++ticks)
        rules.turntimerTimer();
    ASSERT_FALSE(seats.gameInProgress());

    int strongWords = 0;
    for (const QByteArray &message : sink.take(strongSeat)) {
        EXPECT_FALSE(message.startsWith("CMD_notvalid")) << message.constData();
        EXPECT_FALSE(message.startsWith("CMD_toomany")) << message.constData();
        const QByteArray prefix = "CMD_formedword+" + QByteArray::number(strongSeat) + '+';
        if (message.startsWith(prefix)) {
            const QString word = QString::fromLatin1(message.mid(prefix.size()).split('+').first());
            EXPECT_TRUE(spell.IsWord(word)) << word.toStdString();
            ++strongWords;
        }
    }
    EXPECT_GT(strongWords, 0);
    const int winner = seats.whoseTurn();
    EXPECT_GE(seats.player(winner).score, 150);
    EXPECT_GT(seats.player(winner).score, seats.player(GameRules::opponentOf(winner)).score);
}

INSTANTIATE_TEST_SUITE_P(Seeds, StrongGameTest, ::testing::Values(1u, 2u));

}  // namespace
