// The Strong computer's choice on hand-made positions whose best action is known: a
// winning steal, discards that leave a new word, the placement that makes the longest
// word, a build toward a word when nothing scores, and keeping the opponent from a steal.
#include "host/MoveSearch.h"
#include "net/GameFacts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Action = MovePlan::Action;

template <size_t N> std::array<int, N> cells(const char *letters)
{
    std::array<int, N> codes{};
    for (size_t i = 0; letters[i] && i + 1 < N; ++i)
        codes[i + 1] = quarn::codeOf(QLatin1Char(letters[i]));
    return codes;
}

struct KnownRow {
    const char *name;
    std::vector<const char *> words;
    const char *board;
    const char *extras;
    const char *hisBoard = "";
    int score = 0;
    int playTo = 100;
    int stealsLeft = 3;
    int hisStealsLeft = 0;
    std::vector<const char *> formed = {};
    // What the search must answer.
    Action action = Action::Nothing;
    int from = 0;  // the extra or the opponent's cell taken from; 0 = not checked
    const char *word = "";
    int points = 0;
};

void PrintTo(const KnownRow &row, std::ostream *os)
{
    *os << row.name;
}

class MoveSearchKnownTest : public ::testing::TestWithParam<KnownRow> {
protected:
    static SearchPosition positionOf(const KnownRow &row)
    {
        SearchPosition position;
        position.board = cells<quarn::kCells + 1>(row.board);
        position.extras = cells<quarn::kExtras + 1>(row.extras);
        position.hisBoard = cells<quarn::kCells + 1>(row.hisBoard);
        position.score = row.score;
        position.playToScore = row.playTo;
        position.stealsLeft = row.stealsLeft;
        position.hisStealsLeft = row.hisStealsLeft;
        for (const char *word : row.formed)
            position.formed.append(QString::fromLatin1(word));
        return position;
    }
};

TEST_P(MoveSearchKnownTest, ChoosesTheBestAction)
{
    const KnownRow &row = GetParam();
    QStringList words;
    for (const char *word : row.words)
        words.append(QString::fromLatin1(word));
    const AnagramIndex index = AnagramIndex::fromWords(words);
    MoveSearch search(index);

    const MovePlan plan = search.choose(positionOf(row));
    EXPECT_EQ(plan.action, row.action);
    if (row.from != 0) {
        EXPECT_EQ(plan.from, row.from);
    }
    EXPECT_EQ(plan.word, QString::fromLatin1(row.word));
    EXPECT_EQ(plan.points, row.points);
}

const std::vector<const char *> kTeaWords{"cat", "cats", "eat", "tea", "ate", "teas", "seat", "east", "eats"};

INSTANTIATE_TEST_SUITE_P(
    Positions, MoveSearchKnownTest,
    ::testing::Values(
        // The stolen s makes "cats" and 101 points: the game is won, whatever the extras
        // promise for later ("cat" itself is formed already).
        KnownRow{.name = "aStealThatWinsTheGame",
                 .words = kTeaWords,
                 .board = "cat",
                 .extras = "eqqvvx",
                 .hisBoard = "..s",
                 .score = 95,
                 .formed = {"cat"},
                 .action = Action::Steal,
                 .from = 3,
                 .word = "cats",
                 .points = 6},
        // Without steals left the same position has no winning move: the e makes "ate".
        KnownRow{.name = "noStealWithoutStealsLeft",
                 .words = kTeaWords,
                 .board = "cat",
                 .extras = "eqqvvx",
                 .hisBoard = "..s",
                 .score = 95,
                 .stealsLeft = 0,
                 .formed = {"cat"},
                 .action = Action::Place,
                 .from = 1,
                 .word = "ate",
                 .points = 3},
        // Nothing placed makes a word; dropping the x leaves "act".
        KnownRow{.name = "aBoardDiscardThatLeavesAWord",
                 .words = {"act", "cat"},
                 .board = "cxat",
                 .extras = "qqqqqq",
                 .action = Action::DiscardLetter,
                 .word = "act",
                 .points = 5},
        // "act" is formed already; the letters rearranged spell "cat", scored by discarding an extra.
        KnownRow{.name = "anExtraDiscardThatScoresAnotherOrder",
                 .words = {"act", "cat"},
                 .board = "act",
                 .extras = "qqqqqq",
                 .formed = {"act"},
                 .action = Action::DiscardExtra,
                 .word = "cat",
                 .points = 5},
        // Five-letter words come from b, the six-letter one from l: it is worth twice its sum.
        KnownRow{.name = "thePlacementThatMakesTheLongestWord",
                 .words = {"tears", "rates", "stare", "alters", "salter", "bears", "beast", "star", "tear", "rate"},
                 .board = "tears",
                 .extras = "qblqzz",
                 .action = Action::Place,
                 .from = 3,
                 .word = "alters",
                 .points = 12},
        // Nothing scores now; "ca" is a t away from "cat", the other moves lead nowhere.
        KnownRow{.name = "withNothingToScoreItBuildsTowardAWord",
                 .words = {"cat"},
                 .board = "c",
                 .extras = "qqaqqq",
                 .action = Action::Place,
                 .from = 3,
                 .word = "",
                 .points = 0},
        // "cat" and "bat" score alike, but "cat" would give the opponent the c for "chore".
        KnownRow{.name = "itLeavesTheOpponentNoLetterToSteal",
                 .words = {"cat", "bat", "chore"},
                 .board = "at",
                 .extras = "cbqqqq",
                 .hisBoard = "hore",
                 .hisStealsLeft = 3,
                 .action = Action::Place,
                 .from = 2,
                 .word = "bat",
                 .points = 5}),
    [](const auto &info) { return std::string(info.param.name); });

// Only steals the rules accept are planned: with no word to steal for, none.
TEST(MoveSearchTest, PlansNoStealThatFormsNoWord)
{
    const AnagramIndex index = AnagramIndex::fromWords({"dog"});
    MoveSearch search(index);
    SearchPosition position;
    position.board = cells<quarn::kCells + 1>("cat");
    position.extras = cells<quarn::kExtras + 1>("qqqqqq");
    position.hisBoard = cells<quarn::kCells + 1>("sdo");
    position.stealsLeft = 5;
    position.playToScore = 100;
    const MovePlan plan = search.choose(position);
    EXPECT_NE(plan.action, Action::Steal);
    EXPECT_EQ(plan.points, 0);
}

// A seat without a letter anywhere has no action at all.
TEST(MoveSearchTest, AnEmptySeatHasNothingToDo)
{
    const AnagramIndex index = AnagramIndex::fromWords({"at"});
    MoveSearch search(index);
    SearchPosition position;
    position.playToScore = 100;
    EXPECT_EQ(search.choose(position).action, Action::Nothing);
}

}  // namespace
