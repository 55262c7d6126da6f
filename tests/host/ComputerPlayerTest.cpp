// The computer opponent: target choice, the fallbacks, gap closing, arranging trades,
// steals, and whole games in which it plays both seats to the winner.
#include "RulesTable.h"

#include "dictionary/Vocabulary.h"
#include "host/HostEngine.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace {

QStringList words(const std::vector<const char *> &list)
{
    QStringList result;
    for (const char *word : list)
        result.append(QString::fromLatin1(word));
    return result;
}

// Seat 2 just watching (so the computer plays it) yet connected, so that what is sent
// to it alone can be checked too; seat 1 a person; seat 2 to move.
class ComputerPlayerTest : public ::testing::Test {
protected:
    explicit ComputerPlayerTest(const QStringList &dictionary = words({"at", "act", "cat", "coat", "it", "ta", "ti"}))
        : table(dictionary)
    {
        table.connect(1, QStringLiteral("Ann"));
        table.connect(2, QStringLiteral("Bob"));
        seats.setWatching(2, true);
        table.setExtras(1, QStringLiteral("kkkkkk"));
        table.setExtras(2, QStringLiteral("kkkkkk"));
        table.beginTurn(2, 30, 100, 3);
    }

    void vocabulary(const std::vector<const char *> &list) { table.computer.setVocabulary(words(list)); }
    void play() { table.computer.computerplay(2); }
    QByteArray seen(int slot) { return table.sink.takeBytes(slot); }
    static QByteArray w(const char *text) { return RulesTable::wire(text); }

    RulesTable table;
    SeatTable &seats = table.seats;
};

TEST_F(ComputerPlayerTest, VocabularyIsKeptSortedLowerCaseWithLastIndex)
{
    vocabulary({"Zoo", "ant", "Bee"});
    EXPECT_EQ(table.computer.listbox_words, words({"ant", "bee", "zoo"}));
    EXPECT_EQ(table.computer.lastwordindex, 2);
}

// A vocabulary given as a source is read at the first move, once.
TEST_F(ComputerPlayerTest, AVocabularySourceIsReadAtTheFirstMoveOnly)
{
    int reads = 0;
    ComputerPlayer lazy(seats, table.rules, [&reads] {
        ++reads;
        return words({"Cat", "act"});
    });
    EXPECT_EQ(reads, 0);
    lazy.computerplay(2);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(lazy.listbox_words, words({"act", "cat"}));
    EXPECT_EQ(seats.whoseTurn(), 1);  // the move was made
    lazy.readVocabulary();
    EXPECT_EQ(reads, 1);
}

// The assembled host hands its computer the embedded vocabulary.
TEST(ComputerVocabularyTest, TheHostsComputerGetsTheEmbeddedVocabulary)
{
    QTemporaryDir folder;
    HostEngine engine(folder.path(), nullptr, std::make_unique<Random>(1));
    const ComputerPlayer &computer = engine.computer();
    EXPECT_GT(computer.listbox_words.size(), 7000);
    EXPECT_EQ(computer.lastwordindex, computer.listbox_words.size() - 1);
    QStringList sorted = computer.listbox_words;
    sorted.sort();
    EXPECT_EQ(sorted, computer.listbox_words);
}

// --- the empty board -----------------------------------------------------------

struct EmptyBoardRow {
    const char *name;
    std::vector<const char *> vocabulary;
    const char *extras;
    QList<int> script;  // the scan start minus one, then any discard draw
    const char *toBoth;  // broadcast part of the move
    const char *toSeat;  // the seat's own messages before the turn notice
};

class EmptyBoardTest : public ComputerPlayerTest, public ::testing::WithParamInterface<EmptyBoardRow> { };

// On an empty board only a single letter is placed, at cell 1: the first letter of a
// two-letter word the extras complete (scanned from the random start, first and last
// words never), else one of d l m n p r s, else an extra is discarded.
TEST_P(EmptyBoardTest, PlacesOneLetterAtCellOneOrDiscards)
{
    const EmptyBoardRow &row = GetParam();
    vocabulary(row.vocabulary);
    table.setExtras(2, QString::fromLatin1(row.extras));
    table.random.push(row.script);
    play();
    EXPECT_EQ(seen(1), w(row.toBoth) + w("CMD_nextplayer+1+3+#"));
    EXPECT_EQ(seen(2), w(row.toBoth) + w(row.toSeat) + w("CMD_nextplayer+1+3+#"));
    EXPECT_EQ(table.random.pending(), 0);
}

const std::vector<const char *> kFourteen{"ai", "bb", "it", "kk", "ll", "mm", "nn",
                                          "oo", "pp", "rr", "ss", "ta", "ti", "zz"};
const std::vector<const char *> kWrap{"ai", "bb", "it", "kk", "ll", "mm", "nn",
                                      "oo", "pp", "rr", "ss", "tt", "uu", "zz"};

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyBoardTest,
    ::testing::Values(
        EmptyBoardRow{"scanFromStartOne", kFourteen, "aitxxx", {0}, "CMD_placemyletter+2+2+1+9+#", ""},
        EmptyBoardRow{"scanFromStartTwo", kFourteen, "aitxxx", {1}, "CMD_placemyletter+2+3+1+20+#", ""},
        EmptyBoardRow{"scanWrapsToTheFront", kWrap, "aitxxx", {2}, "CMD_placemyletter+2+2+1+9+#", ""},
        EmptyBoardRow{"eachExtraServesOnce", {"aa", "tt", "zz"}, "atxxxp", {0}, "CMD_placemyletter+2+6+1+16+#", ""},
        EmptyBoardRow{
            "lowestExtraOfTheFirstLetter", {"aa", "ta", "zz"}, "xatxta", {0}, "CMD_placemyletter+2+3+1+20+#", ""},
        EmptyBoardRow{
            "firstAndLastNeverCandidates", {"at", "bb", "ta"}, "atxxxx", {0, 3}, "", "CMD_discardextra+2+4+#"},
        EmptyBoardRow{
            "threeLettersNeverOnEmptyBoard", {"aa", "tax", "zz"}, "taxkkr", {0}, "CMD_placemyletter+2+6+1+18+#", ""},
        EmptyBoardRow{"consonantFallback", {"aa", "bb", "zz"}, "xkmdqz", {0}, "CMD_placemyletter+2+3+1+13+#", ""},
        EmptyBoardRow{"discardFallback", {"aa", "bb", "zz"}, "aeiouk", {0, 4}, "", "CMD_discardextra+2+5+#"}),
    [](const auto &info) { return std::string(info.param.name); });

// Moves that end with one message to the opponent besides the turn notice.
struct MoveRow {
    const char *name;
    std::vector<const char *> vocabulary;
    const char *board;
    const char *extras;
    const char *formedWord;  // already formed by the seat this game, or ""
    QList<int> script;
    const char *toOpponent;
};

class MoveTest : public ComputerPlayerTest, public ::testing::WithParamInterface<MoveRow> { };

TEST_P(MoveTest, SendsTheMoveAndPassesTheTurn)
{
    const MoveRow &row = GetParam();
    vocabulary(row.vocabulary);
    table.setBoard(2, QString::fromLatin1(row.board));
    table.setExtras(2, QString::fromLatin1(row.extras));
    if (*row.formedWord)
        seats.recordFormedWord(2, QString::fromLatin1(row.formedWord));
    table.random.push(row.script);
    play();
    EXPECT_EQ(seen(1), w(row.toOpponent) + w("CMD_nextplayer+1+3+#"));
    EXPECT_EQ(seats.whoseTurn(), 1);
    EXPECT_TRUE(table.clock.isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveTest,
    ::testing::Values(MoveRow{"oneLetterAndNoTargetPutsAVowelAtCellTwo",
                              {"aa", "bb", "zz"},
                              "t",
                              "kkekak",
                              "",
                              {0},
                              "CMD_placemyletter+2+3+2+5+#"},
                      // From the start s = 1 the scan visits "ta" first.
                      MoveRow{"wordsAlreadyFormedAreNeverTargets",
                              {"aa", "it", "ta", "zz"},
                              "",
                              "aitxxx",
                              "ta",
                              {0},
                              "CMD_placemyletter+2+2+1+9+#"},
                      MoveRow{"missingLetterComesFromTheExtras",
                              {"aa", "cat", "zz"},
                              "ca",
                              "kktkkt",
                              "",
                              {0},
                              "CMD_placemyletter+2+3+3+20+#CMD_formedword+2+cat+5+5+#"},
                      MoveRow{"moreThanFiveLettersAndNoTargetDiscardABoardLetter",
                              {"aa", "bb", "zz"},
                              "qwrtyx",
                              "kkkkkk",
                              "",
                              {0, 3},
                              "CMD_discardletter+2+4+#"},
                      MoveRow{"nothingToPlayStillPassesTheTurn", {"aa", "bb", "zz"}, "", "......", "", {0, 5}, ""}),
    [](const auto &info) { return std::string(info.param.name); });

// --- gaps and arranging ----------------------------------------------------------

TEST_F(ComputerPlayerTest, GapsAreClosedByTradesIncludingTradesOfTwoEmptyCells)
{
    vocabulary({"aa", "bb", "zz"});
    table.setBoard(2, QStringLiteral(".a.b"));
    table.random.push({0, 0});
    play();
    EXPECT_EQ(seen(1), w("CMD_tradingmyletter+2+4+0+1+2+#CMD_tradingmyletter+2+4+0+3+0+#CMD_nextplayer+1+3+#"));
    EXPECT_EQ(seen(2),
              w("CMD_tradingmyletter+2+4+0+1+2+#CMD_tradingmyletter+2+4+0+3+0+#"
                "CMD_discardextra+2+1+#CMD_nextplayer+1+3+#"));
    EXPECT_EQ(table.board(2), QStringLiteral("ba........"));
}

TEST_F(ComputerPlayerTest, ScatteredLettersEndUpInTheFirstCells)
{
    vocabulary({"aa", "bb", "zz"});
    table.setBoard(2, QStringLiteral("..x.y...zq"));
    table.setExtras(2, QStringLiteral("kkkkkk"));
    table.random.push({0, 0});
    play();
    const QString board = table.board(2);
    EXPECT_EQ(board.left(4).count(u'.'), 0) << board.toStdString();
    EXPECT_EQ(board.mid(4), QStringLiteral("......"));
    for (const QChar letter : QStringLiteral("xyzq"))
        EXPECT_TRUE(board.contains(letter)) << board.toStdString();
}

TEST_F(ComputerPlayerTest, TargetSpelledByTradesAloneIsScoredThroughTheClosingDiscard)
{
    vocabulary({"aa", "act", "zz"});
    table.setBoard(2, QStringLiteral("tac"));
    table.random.push({0, 2});
    play();
    EXPECT_EQ(seen(2),
              w("CMD_tradingmyletter+2+2+20+1+1+#CMD_tradingmyletter+2+3+20+2+3+#"
                "CMD_discardextra+2+3+#CMD_formedword+2+act+5+5+#CMD_nextplayer+1+3+#"));
    EXPECT_EQ(table.board(2), QStringLiteral("act......."));
}

// A seat taken over in the middle of play may lack an extra where the random discard
// falls; the move still ends the turn, or the game would wait on a stopped clock.
TEST_F(ComputerPlayerTest, DiscardOfAnEmptyExtraFallsBackToAFilledOne)
{
    vocabulary({"aa", "bb", "zz"});
    table.setBoard(2, QStringLiteral("xq"));
    table.setExtras(2, QStringLiteral("..kkkk"));
    table.random.push({0, 1});
    play();
    EXPECT_EQ(seen(2), w("CMD_discardextra+2+3+#CMD_nextplayer+1+3+#"));
    EXPECT_EQ(seats.whoseTurn(), 1);
}

// --- steals ---------------------------------------------------------------------

TEST_F(ComputerPlayerTest, StealsTheMissingLetterWhenTheTargetIsListed)
{
    vocabulary({"aa", "coat", "zz"});
    table.setBoard(2, QStringLiteral("cat"));
    table.setBoard(1, QStringLiteral("o"));
    table.random.push({0});
    play();
    EXPECT_EQ(seen(1),
              w("CMD_tradingmyletter+2+2+20+3+1+#CMD_tradingmyletter+2+2+0+4+20+#"
                "CMD_formedword+2+coat+6+6+#CMD_stoldletter+2+1+2+1+15+#CMD_nextplayer+1+3+#"));
    EXPECT_EQ(seats.player(2).steals, 1);
    EXPECT_EQ(table.board(1), QStringLiteral(".........."));
}

struct NoStealRow {
    const char *name;
    const char *board;
    const char *hisBoard;
    int stealsUsed;
    const char *dictionaryWord;  // "cot" makes the first target of the scan a listed word
};

class NoStealTest : public ComputerPlayerTest, public ::testing::WithParamInterface<NoStealRow> {
protected:
    NoStealTest()
        : ComputerPlayerTest(words({"at", GetParam().dictionaryWord}))
    {
    }
};

// No steal is planned with two letters or fewer on the board or with the steals used
// up; none is made for an unlisted target or from the cell it would fill.
TEST_P(NoStealTest, EndsTheMoveWithADiscardInstead)
{
    const NoStealRow &row = GetParam();
    seats.setSteals(2, row.stealsUsed);
    vocabulary({"aa", "coat", "cot", "zz"});
    table.setBoard(2, QString::fromLatin1(row.board));
    table.setBoard(1, QString::fromLatin1(row.hisBoard));
    table.random.push({0, 0});
    play();

    int discards = 0;
    for (const auto &[slot, message] : table.sink.deliveries()) {
        EXPECT_FALSE(message.startsWith("CMD_stoldletter")) << message.constData();
        EXPECT_FALSE(message.startsWith("CMD_toomany")) << message.constData();
        EXPECT_FALSE(message.startsWith("CMD_notvalid")) << message.constData();
        discards += message.startsWith("CMD_discardextra+2+1+") ? 1 : 0;
    }
    EXPECT_EQ(discards, 1);
    EXPECT_EQ(seats.whoseTurn(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, NoStealTest,
                         ::testing::Values(NoStealRow{"stealsUsedUp", "cat", "o", 3, "cot"},
                                           NoStealRow{"twoLettersOnly", "ct", "o", 0, "cot"},
                                           NoStealRow{"targetNotListed", "cat", "o", 0, "coats"},
                                           NoStealRow{"onlyFromTheCellItFills", "cat", ".o", 0, "cot"}),
                         [](const auto &info) { return std::string(info.param.name); });

// --- whole games -----------------------------------------------------------------

template <typename T> std::function<bool(const QString &)> decodes(std::optional<T> (*decode)(const QString &))
{
    return [decode](const QString &rest) { return decode(rest).has_value(); };
}

// Every message the host sends in a game, with the client's decoder that reads it.
const std::map<QString, std::function<bool(const QString &)>> kDecoders{
    {QStringLiteral("CMD_startgame"), decodes(&net::toClient::decode::startgame)},
    {QStringLiteral("CMD_letters"), decodes(&net::toClient::decode::letters)},
    {QStringLiteral("CMD_newletter"), decodes(&net::toClient::decode::newletter)},
    {QStringLiteral("CMD_nextplayer"), decodes(&net::toClient::decode::nextplayer)},
    {QStringLiteral("CMD_placemyletter"), decodes(&net::toClient::decode::placemyletter)},
    {QStringLiteral("CMD_tradingmyletter"), decodes(&net::toClient::decode::tradingmyletter)},
    {QStringLiteral("CMD_stoldletter"), decodes(&net::toClient::decode::stoldletter)},
    {QStringLiteral("CMD_notvalid"), decodes(&net::toClient::decode::notvalid)},
    {QStringLiteral("CMD_toomany"), decodes(&net::toClient::decode::toomany)},
    {QStringLiteral("CMD_discardletter"), decodes(&net::toClient::decode::discardletter)},
    {QStringLiteral("CMD_discardextra"), decodes(&net::toClient::decode::discardextra)},
    {QStringLiteral("CMD_formedword"), decodes(&net::toClient::decode::formedword)},
    {QStringLiteral("CMD_timeup"), decodes(&net::toClient::decode::timeup)},
    {QStringLiteral("CMD_winner"), decodes(&net::toClient::decode::winner)},
};

// Checks one message against the catalogue; returns the command, or an empty string
// after reporting a failure.
QString checkMessage(const QByteArray &bytes)
{
    if (!bytes.endsWith(net::kTerminator) || bytes.count(net::kTerminator) != 1) {
        ADD_FAILURE() << "not one terminated message: " << bytes.constData();
        return {};
    }
    const auto message = net::splitMessage(bytes.chopped(1));
    if (!message || !kDecoders.count(message->command)) {
        ADD_FAILURE() << "unknown command: " << bytes.constData();
        return {};
    }
    if (!kDecoders.at(message->command)(message->rest)) {
        ADD_FAILURE() << "refused by its decoder: " << bytes.constData();
        return {};
    }
    return message->command;
}

class ComputerGameTest : public ::testing::TestWithParam<quint32> { };

// Both seats just watching: the computer plays every move of a game with the real
// vocabulary and word list, the clock driven tick by tick, until a winner is declared.
// Every message is a valid catalogue message, and every turn ends with exactly one
// place, discard or successful steal.
TEST_P(ComputerGameTest, ComputerPlaysBothSeatsToTheWinner)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    TDictn spell(folder.path());
    ASSERT_TRUE(spell.isOpen()) << spell.errorText().toStdString();
    CapturingSink sink;
    Random random(GetParam());
    SeatTable seats;
    TurnClock clock;
    GameRules rules(seats, sink, random, spell, clock);
    ComputerPlayer computer(seats, rules, loadVocabulary());
    rules.setComputer(&computer);
    for (int seat = 1; seat <= 2; ++seat)
        seats.login(seat, QStringLiteral("P%1").arg(seat));

    rules.startgame({QStringLiteral("P1"), 30, 60, 2});
    seats.setWatching(1, true);
    seats.setWatching(2, true);
    rules.justWatchSwitched(seats.whoseTurn());

    int ticks = 0;
    while (seats.gameInProgress() && ticks < 20000) {
        ASSERT_TRUE(clock.isActive());
        ASSERT_EQ(clock.tag(), GameRules::kComputerTag);
        rules.turntimerTimer();
        ++ticks;
    }
    ASSERT_FALSE(seats.gameInProgress()) << "no winner after " << ticks << " ticks";

    // Slot 1 sees every broadcast; what goes to seat 2 alone is taken from slot 2.
    const QStringList ending{QStringLiteral("CMD_placemyletter"), QStringLiteral("CMD_discardletter"),
                             QStringLiteral("CMD_discardextra"), QStringLiteral("CMD_stoldletter")};
    int endingsThisTurn = 0;
    int turns = 0;
    int words = 0;
    QString last;
    for (const auto &[slot, bytes] : sink.deliveries()) {
        const QString command = checkMessage(bytes);
        if (slot == 2 && !command.endsWith(QLatin1String("discardextra")))
            continue;
        last = command;
        if (ending.contains(command))
            ++endingsThisTurn;
        words += command == QLatin1String("CMD_formedword") ? 1 : 0;
        if (command == QLatin1String("CMD_nextplayer") || command == QLatin1String("CMD_winner")) {
            if (turns > 0) {
                EXPECT_EQ(endingsThisTurn, 1) << "turn " << turns;
            }
            ++turns;
            endingsThisTurn = 0;
        }
    }
    EXPECT_EQ(last, QStringLiteral("CMD_winner"));
    EXPECT_GT(words, 1);
    const int winner = seats.whoseTurn();
    EXPECT_GE(seats.player(winner).score, 60);
    EXPECT_GT(seats.player(winner).score, seats.player(GameRules::opponentOf(winner)).score);
    EXPECT_TRUE(sink.log().constLast() == RulesTable::wire(winner == 1 ? "CMD_winner+1+#" : "CMD_winner+2+#"));
}

INSTANTIATE_TEST_SUITE_P(Seeds, ComputerGameTest, ::testing::Values(1u, 2u, 3u, 42u, 2026u));

}  // namespace
