// Tests of the tally's table: the cells each game's end, word and click changes.
#include "tally/TallyTable.h"

#include "tally/TallyCells.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

using namespace tallytest;

namespace {

using Cell = std::pair<int, int>;  // row, column

// The cells that went up by exactly one; any other change fails the test.
std::set<Cell> raisedCells(const QList<QStringList> &before, const QList<QStringList> &after)
{
    std::set<Cell> raised;
    EXPECT_EQ(before.size(), after.size());
    for (int row = 0; row < std::min(before.size(), after.size()); ++row) {
        for (int column = 0; column < 10; ++column) {
            const QString &was = before[row][column];
            const QString &is = after[row][column];
            if (was == is)
                continue;
            if (is.toInt() == was.toInt() + 1)
                raised.insert({row, column});
            else
                ADD_FAILURE() << "cell " << row << "," << column << " went from " << was.toStdString() << " to "
                              << is.toStdString();
        }
    }
    return raised;
}

using Step = std::function<void(TallyTable &)>;

// A game against `players` that the player won, or that `winner` won.
Step ownWin(const QStringList &players)
{
    return [=](TallyTable &table) {
        table.setCurrentPlayers(players);
        table.countOwnWin();
    };
}
Step wonBy(const QStringList &players, const QString &winner)
{
    return [=](TallyTable &table) {
        table.setCurrentPlayers(players);
        table.countGameWonBy(winner);
    };
}

QStringList names(const TallyTable &table)
{
    QStringList result;
    for (const TallyTable::Opponent &opponent : table.opponents())
        result.append(opponent.name);
    return result;
}

}  // namespace

// ---- a game's end and the word count --------------------------------------------------

struct Operation {
    const char *name;
    Step apply;
    std::set<Cell> raised;
};

class TallyOperation : public ::testing::TestWithParam<Operation> { };

// Ann (row 1), Bob (row 2), Carl (row 3) and "addtomine" (row 4) are followed.
TEST_P(TallyOperation, RaisesExactlyItsCounts)
{
    TallyTable table;
    for (const char *name : {"Ann", "Bob", "Carl", "addtomine"})
        table.follow(QLatin1String(name));
    const QList<QStringList> before = cellsOf(table);
    GetParam().apply(table);
    EXPECT_EQ(raisedCells(before, cellsOf(table)), GetParam().raised);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, TallyOperation,
    ::testing::Values(
        Operation{"WonAgainstFollowed", ownWin({"Ann"}), {{0, 1}, {0, 2}, {1, 1}, {1, 5}, {1, 3}, {1, 7}}},
        Operation{"LostToFollowed", wonBy({"Ann"}, "Ann"), {{0, 1}, {1, 1}, {1, 5}, {1, 2}, {1, 6}}},
        // The opponent's seat changed hands before the end (e.g. the computer took it).
        Operation{"NeitherWon", wonBy({"Ann"}, "Computer"), {{0, 1}, {1, 1}, {1, 5}, {1, 4}, {1, 8}}},
        Operation{"WonAgainstUnfollowed", ownWin({"Dora"}), {{0, 1}, {0, 2}}},
        Operation{"LostToUnfollowed", wonBy({"Dora"}, "Dora"), {{0, 1}}},
        // The name the player's own win once travelled under is an opponent's like any other.
        Operation{"LostToOpponentNamedAddtomine",
                  wonBy({"addtomine"}, "addtomine"),
                  {{0, 1}, {4, 1}, {4, 5}, {4, 2}, {4, 6}}},
        // Every followed name in the list counts the game, each with its own outcome.
        Operation{"TwoFollowedPlayers",
                  wonBy({"Ann", "Bob"}, "Bob"),
                  {{0, 1}, {1, 1}, {1, 5}, {1, 4}, {1, 8}, {2, 1}, {2, 5}, {2, 2}, {2, 6}}},
        Operation{"CountWord", [](TallyTable &table) { table.countWord(); }, {{0, 7}}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- word records ---------------------------------------------------------------------

struct WordStep {
    QString word;
    int value;
    bool best;  // the best-scoring record, else the longest word
    bool recorded;
};
struct WordRecords {
    const char *name;
    QList<WordStep> steps;
    TallyTable::OwnTotals own;
};

class TallyWords : public ::testing::TestWithParam<WordRecords> { };

TEST_P(TallyWords, KeepTheRecords)
{
    TallyTable table;
    for (const WordStep &step : GetParam().steps) {
        const bool recorded =
            step.best ? table.recordBestWord(step.word, step.value) : table.recordLongestWord(step.word, step.value);
        EXPECT_EQ(recorded, step.recorded) << step.word.toStdString();
    }
    EXPECT_EQ(table.own(), GetParam().own);
}

INSTANTIATE_TEST_SUITE_P(
    Words, TallyWords,
    ::testing::Values(WordRecords{"LongerReplaces",
                                  {{"cat", 3, false, true}, {"quartz", 6, false, true}},
                                  {0, 0, "quartz", 6, {}, 0, 0}},
                      WordRecords{"EqualLengthDoesNot",
                                  {{"quartz", 6, false, true}, {"jinxed", 6, false, false}},
                                  {0, 0, "quartz", 6, {}, 0, 0}},
                      WordRecords{"BestByPoints",
                                  {{"jinx", 40, true, true}, {"zap", 40, true, false}, {"quiz", 41, true, true}},
                                  {0, 0, {}, 0, "quiz", 41, 0}},
                      WordRecords{"NothingIsNoRecord", {{"quartz", 0, false, false}, {"quartz", 0, true, false}}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TallyTable, ResetForgetsEverythingAndTheNextWordIsBothRecords)
{
    TallyTable table;
    table.follow("Ann");
    ownWin({"Ann"})(table);
    table.recordLongestWord("quartzes", 8);
    table.recordBestWord("quartzes", 60);
    table.countWord();

    table.reset();
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
    EXPECT_TRUE(table.recordLongestWord("ox", 2));
    EXPECT_TRUE(table.recordBestWord("ox", 9));
    EXPECT_EQ(table.own(), (TallyTable::OwnTotals{0, 0, "ox", 2, "ox", 9, 0}));
}

// ---- following ------------------------------------------------------------------------

TEST(TallyTable, FollowAppendsARowOfZerosOnce)
{
    TallyTable table;
    EXPECT_TRUE(table.follow("Ann"));
    EXPECT_TRUE(table.follow("Bob\r\nby the sea\n"));
    EXPECT_FALSE(table.follow("Ann"));
    EXPECT_FALSE(table.follow(QString()));
    EXPECT_EQ(cellsOf(table), (QList<QStringList>{zeros(), zeros("Ann"), zeros("Bob by the sea ")}));

    // The game's names, line breaks and all, still find the row.
    wonBy({"Bob\nby the sea\r"}, "Bob\r\nby the sea\n")(table);
    EXPECT_EQ(table.opponents()[1].total, (TallyTable::Counts{1, 1, 0, 0}));
}

struct Removal {
    const char *name;
    QString unfollowed;
    QStringList remaining;
};

class TallyUnfollow : public ::testing::TestWithParam<Removal> { };

TEST_P(TallyUnfollow, MovesLaterRowsUpAndLeavesRowZero)
{
    TallyTable table;
    const QStringList followed{"Ann", "Bob", "Carl"};
    for (int i = 0; i < followed.size(); ++i) {
        table.follow(followed[i]);
        for (int games = 0; games <= i; ++games)  // a different count in each row tells them apart
            wonBy({followed[i]}, followed[i])(table);
    }
    const QList<QStringList> before = cellsOf(table);
    const int row = table.rowOf(GetParam().unfollowed);

    EXPECT_EQ(table.unfollow(GetParam().unfollowed), row > 0);

    EXPECT_EQ(names(table), GetParam().remaining);
    const QList<QStringList> after = cellsOf(table);
    for (int i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[row > 0 && i >= row ? i + 1 : i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Rows, TallyUnfollow,
                         ::testing::Values(Removal{"First", "Ann", {"Bob", "Carl"}},
                                           Removal{"Middle", "Bob", {"Ann", "Carl"}},
                                           Removal{"Last", "Carl", {"Ann", "Bob"}},
                                           Removal{"NotFollowed", "Dora", {"Ann", "Bob", "Carl"}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TallyTable, CurrentPlayersDropRepeatsAndEmptyNames)
{
    TallyTable table;
    table.setCurrentPlayers({"Ann", "A\nB", "Ann", ""});
    EXPECT_EQ(table.currentPlayers(), (QStringList{"Ann", "A B"}));
}
