// The game's shared facts against the rules of the game: letters and their codes, each
// letter's points by its group, what counts as no letter, the seats, and the letter
// draw's chances.
#include "net/GameFacts.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <vector>

using namespace quarn;

namespace {

TEST(LetterCodes, EveryLetterOfEitherCaseHasItsCodeAndBack)
{
    for (int code = 1; code <= kLetterCodes; ++code) {
        const QChar letter(u'a' + (code - 1));
        EXPECT_TRUE(isLetterCode(code));
        EXPECT_EQ(codeOf(letter), code);
        EXPECT_EQ(codeOf(letter.toUpper()), code);
        EXPECT_EQ(letterOf(code), letter);
    }
}

class NoLetter : public ::testing::TestWithParam<char16_t> { };

TEST_P(NoLetter, HasCodeZero)
{
    EXPECT_EQ(codeOf(QChar(GetParam())), 0);
}

// The neighbours of both letter ranges, a digit, a space and an accented letter.
INSTANTIATE_TEST_SUITE_P(Characters, NoLetter, ::testing::Values(u'@', u'[', u'`', u'{', u'0', u' ', u'\u00e9'));

class NoCode : public ::testing::TestWithParam<int> { };

TEST_P(NoCode, IsBlankWorthNothingAndNeverDrawn)
{
    EXPECT_FALSE(isLetterCode(GetParam()));
    EXPECT_EQ(letterOf(GetParam()), QChar(u' '));
    EXPECT_EQ(letterPoints(GetParam()), 0);
    EXPECT_EQ(drawChance(GetParam()), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Codes, NoCode, ::testing::Values(0, 27, -1));

struct LetterGroup {
    const char *letters;
    double value;  // points, or shares of 390 in the draw
};

const std::vector<LetterGroup> kPointGroups = {{"adeilnorstu", 1}, {"bcghmpy", 3}, {"fjkw", 5}, {"v", 7}, {"qxz", 10}};
// a, e, i and o twice the weight of the others; j, q, x and z kept half of the time, their
// other half spread over all letters.
const std::vector<LetterGroup> kDrawGroups = {{"aeio", 27.0}, {"jqxz", 7.5}, {"bcdfghklmnprstuvwy", 14.0}};

TEST(LetterGroups, EachListHasEveryLetterOnceAndTheDrawChancesAddUpToOne)
{
    for (const std::vector<LetterGroup> *groups : {&kPointGroups, &kDrawGroups}) {
        std::array<int, kLetterCodes> seen{};
        for (const LetterGroup &group : *groups) {
            for (const char *c = group.letters; *c; ++c)
                ++seen[positionIndex(codeOf(QChar::fromLatin1(*c)))];
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), kLetterCodes);
    }
    double total = 0;
    for (int code = 1; code <= kLetterCodes; ++code)
        total += drawChance(code);
    EXPECT_NEAR(total, 1.0, 1e-12);
}

class LetterPoints : public ::testing::TestWithParam<LetterGroup> { };

TEST_P(LetterPoints, EveryLetterOfTheGroupIsWorthItsPoints)
{
    for (const char *c = GetParam().letters; *c; ++c)
        EXPECT_EQ(double(letterPoints(codeOf(QChar::fromLatin1(*c)))), GetParam().value) << *c;
}

INSTANTIATE_TEST_SUITE_P(Groups, LetterPoints, ::testing::ValuesIn(kPointGroups));

class DrawChance : public ::testing::TestWithParam<LetterGroup> { };

TEST_P(DrawChance, EveryLetterOfTheGroupHasItsShareOf390)
{
    for (const char *c = GetParam().letters; *c; ++c)
        EXPECT_NEAR(drawChance(codeOf(QChar::fromLatin1(*c))) * 390.0, GetParam().value, 1e-9) << *c;
}

INSTANTIATE_TEST_SUITE_P(Groups, DrawChance, ::testing::ValuesIn(kDrawGroups));

TEST(WordPoints, CatIsWorthFiveAndLongWordsAreMultiplied)
{
    int cat = 0;
    for (const QChar letter : QStringLiteral("cat"))
        cat += letterPoints(codeOf(letter));
    EXPECT_EQ(cat * wordFactor(3), 5);
    // A six-letter word of sum 8 scores 16, ten letters of sum 20 score 120.
    EXPECT_EQ(8 * wordFactor(6), 16);
    EXPECT_EQ(20 * wordFactor(kCells), 120);
    EXPECT_EQ(wordFactor(5), 1);
}

TEST(Seats, OnlySlotsOneAndTwoAreSeats)
{
    for (int slot = -1; slot <= kHighestSlot + 1; ++slot)
        EXPECT_EQ(isSeat(slot), slot == 1 || slot == 2) << slot;
}

}  // namespace
