// Letter text, the host's value of a non-letter and the biased letter draw: each step of
// the draw pinned with scripted random values, the whole draw of an empty seat against the
// shared draw weights, and the frequencies of many seeded draws against the stated
// probabilities.
#include "RulesTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

TEST(LetterTextTest, CodesOneToTwentySixAreLowerCaseLettersEverythingElseASpace)
{
    for (int code = 1; code <= 26; ++code)
        EXPECT_EQ(GameRules::letterText(code), QString(QChar(u'a' + code - 1)));
    for (int code : {0, -1, 27, 255, 1 << 30})
        EXPECT_EQ(GameRules::letterText(code), QStringLiteral(" ")) << code;
}

// The letters' points are the shared facts'; the host alone values a non-letter at 1.
TEST(LetterWorthTest, CodesOutsideTheAlphabetAreWorthOne)
{
    for (int code : {0, -3, 27, 1000})
        EXPECT_EQ(GameRules::letterworth(code), 1) << code;
}

// --- the draw, step by step ------------------------------------------------------

struct DrawRow {
    const char *name;
    const char *extras;
    const char *board;
    QList<int> script;
    int expected;
    QList<int> ranges;  // the n of every uniform(n) the draw makes
};

class LetterDrawStepTest : public ::testing::TestWithParam<DrawRow> { };

TEST_P(LetterDrawStepTest, DrawFollowsTheScriptedValues)
{
    const DrawRow &row = GetParam();
    RulesTable table({QStringLiteral("at")});
    table.setExtras(1, QString::fromLatin1(row.extras));
    table.setBoard(1, QString::fromLatin1(row.board));
    table.random.push(row.script);
    EXPECT_EQ(table.rules.getletter(1), row.expected);
    EXPECT_EQ(table.random.ranges(), row.ranges);
    EXPECT_EQ(table.random.pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, LetterDrawStepTest,
    ::testing::Values(DrawRow{"plainLetter", "", "", {1}, 2, {30}}, DrawRow{"lastPlainLetterY", "", "", {24}, 25, {30}},
                      DrawRow{"extraValueGivesA", "", "", {26}, 1, {30}},
                      DrawRow{"extraValueGivesE", "", "", {27}, 5, {30}},
                      DrawRow{"extraValueGivesI", "", "", {28}, 9, {30}},
                      DrawRow{"extraValueGivesO", "", "", {29}, 15, {30}},
                      DrawRow{"jKeptOnZero", "", "", {9, 0}, 10, {30, 2}},
                      DrawRow{"qReplacedOnOne", "", "", {16, 1, 3}, 4, {30, 2, 26}},
                      DrawRow{"xReplacedByZ", "", "", {23, 1, 25}, 26, {30, 2, 26}},
                      DrawRow{"replacementThenHeldTest", "d", "", {25, 1, 3, 0}, 4, {30, 2, 26, 3}},
                      DrawRow{"heldTwiceSurvivesOnZero", "e.e", "", {4, 0}, 5, {30, 4}},
                      DrawRow{"heldTwiceReplacedOtherwise", "e.e", "", {4, 3, 6}, 7, {30, 4, 26}},
                      DrawRow{"replacedMayDrawItAgain", "e.e", "", {27, 1, 4}, 5, {30, 4, 26}},
                      DrawRow{"boardCellFourCounts", "", "...e", {4, 0}, 5, {30, 3}},
                      DrawRow{"extrasAndBoardCount", "eeeeee", "eeee", {4, 0}, 5, {30, 12}},
                      DrawRow{"boardCellFiveNotCounted", "", "....eeeeee", {4}, 5, {30}}),
    [](const auto &info) { return std::string(info.param.name); });

// Every way the draw can go for a seat that holds nothing, each with its exact chance:
// the host draws each letter with the chance the shared draw weights give it.
TEST(LetterDrawTest, AnEmptySeatDrawsEachLetterWithItsSharedChance)
{
    RulesTable table({QStringLiteral("at")});
    std::array<double, quarn::kLetterCodes + 1> drawn{};
    // Scripts still to run with their chances; a draw that asks for one value more than its
    // script holds branches into every value of that range.
    std::vector<std::pair<QList<int>, double>> pending = {{{}, 1.0}};
    while (!pending.empty()) {
        const auto [script, chance] = pending.back();
        pending.pop_back();
        table.random = ScriptedRandom();
        table.random.push(script);
        const int code = table.rules.getletter(1);
        const QList<int> &ranges = table.random.ranges();
        if (ranges.size() == script.size()) {
            drawn[static_cast<size_t>(code)] += chance;
            continue;
        }
        const int n = ranges.at(script.size());
        for (int value = 0; value < n; ++value)
            pending.push_back({script + QList<int>{value}, chance / n});
    }
    for (int code = 1; code <= quarn::kLetterCodes; ++code)
        EXPECT_NEAR(drawn[static_cast<size_t>(code)], quarn::drawChance(code), 1e-12) << code;
    EXPECT_EQ(drawn[0], 0.0);
}

TEST(LetterDrawRangeTest, NeverYieldsEmptyOrBeyondZ)
{
    RulesTable table({QStringLiteral("at")});
    Random holdings(99);
    for (int round = 0; round < 2000; ++round) {
        tplayer::Extras extras{};
        tplayer::Board board{};
        for (int k = 1; k <= 6; ++k)
            extras[static_cast<size_t>(k)] = holdings.uniform(27);
        for (int k = 1; k <= 10; ++k)
            board[static_cast<size_t>(k)] = holdings.uniform(27);
        table.seats.setExtras(1, extras);
        table.seats.setBoard(1, board);
        for (int draw = 0; draw < 10; ++draw) {
            const int code = table.rules.getletter(1 + round % 3);
            ASSERT_GE(code, 1);
            ASSERT_LE(code, 26);
        }
    }
}

// --- frequencies -------------------------------------------------------------------

// With c copies held a letter survives with chance 1/(c + 2); otherwise a uniform
// letter takes its place.
std::array<double, 27> expectedChances(const std::array<int, 27> &held)
{
    std::array<double, 27> chance{};
    double replaced = 0;
    for (int code = 1; code <= 26; ++code) {
        const size_t c = static_cast<size_t>(code);
        const double survives = held[c] == 0 ? 1.0 : 1.0 / (held[c] + 2);
        chance[c] = quarn::drawChance(code) * survives;
        replaced += quarn::drawChance(code) * (1.0 - survives);
    }
    for (int code = 1; code <= 26; ++code)
        chance[static_cast<size_t>(code)] += replaced / 26.0;
    return chance;
}

struct FrequencyRow {
    const char *name;
    const char *extras;
    const char *board;
    quint32 seed;
};

class LetterFrequencyTest : public ::testing::TestWithParam<FrequencyRow> { };

// Chi-square over the 26 letters (25 degrees of freedom); 75 lies beyond the 1e-6 tail,
// while a wrong weight or survival chance moves the sum into the hundreds.
TEST_P(LetterFrequencyTest, MatchesStatedProbabilities)
{
    const FrequencyRow &row = GetParam();
    RulesTable table({QStringLiteral("at")});
    table.random = ScriptedRandom(row.seed);
    table.setExtras(1, QString::fromLatin1(row.extras));
    table.setBoard(1, QString::fromLatin1(row.board));

    std::array<int, 27> held{};
    const tplayer &seat = table.seats.player(1);
    for (int k = 1; k <= 6; ++k)
        ++held[static_cast<size_t>(seat.extras[static_cast<size_t>(k)])];
    for (int k = 1; k <= 4; ++k)
        ++held[static_cast<size_t>(seat.board[static_cast<size_t>(k)])];
    held[0] = 0;

    constexpr int kDraws = 260000;
    std::array<int, 27> seen{};
    for (int draw = 0; draw < kDraws; ++draw)
        ++seen[static_cast<size_t>(table.rules.getletter(1))];

    const std::array<double, 27> chance = expectedChances(held);
    double chiSquare = 0;
    for (int code = 1; code <= 26; ++code) {
        const double expected = chance[static_cast<size_t>(code)] * kDraws;
        const double diff = seen[static_cast<size_t>(code)] - expected;
        chiSquare += diff * diff / expected;
    }
    EXPECT_LT(chiSquare, 75.0);
    EXPECT_EQ(seen[0], 0);
}

INSTANTIATE_TEST_SUITE_P(Seats, LetterFrequencyTest,
                         ::testing::Values(FrequencyRow{"emptySeat", "", "", 7},
                                           FrequencyRow{"twoEHeld", "e..e", "", 11},
                                           FrequencyRow{"eOnBoardCountedOnlyUpToCellFour", "", "e...eeeeee", 13},
                                           FrequencyRow{"mixedHolding", "aajqzk", "ttao", 17}),
                         [](const auto &info) { return std::string(info.param.name); });

// The survival chance alone, measured directly: with two e among the counted cells a
// drawn e is kept one time in four.
TEST(LetterFrequencyTest, TwoHeldCopiesSurviveOneTimeInFour)
{
    RulesTable table({QStringLiteral("at")});
    table.setExtras(1, QStringLiteral("ee"));
    constexpr int kDraws = 40000;
    int kept = 0;
    for (int draw = 0; draw < kDraws; ++draw) {
        table.random.push({4});  // e
        const qsizetype before = table.random.ranges().size();
        const int code = table.rules.getletter(1);
        // Kept means no replacement draw of 26 followed the survival draw.
        kept += (table.random.ranges().size() - before == 2 && code == 5) ? 1 : 0;
    }
    const double expected = kDraws / 4.0;
    const double sigma = std::sqrt(kDraws * 0.25 * 0.75);
    EXPECT_NEAR(kept, expected, 5 * sigma);
}

}  // namespace
