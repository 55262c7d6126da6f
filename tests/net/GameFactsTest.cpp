// Letter codes: letter to code and back in either case, each letter's points, and what
// counts as no letter.
#include "net/GameFacts.h"

#include <gtest/gtest.h>

using namespace quarn;

namespace {

struct LetterRow {
    char16_t letter;
    int code;
    int points;
};

class Letters : public ::testing::TestWithParam<LetterRow> { };

TEST_P(Letters, CodeLetterAndPointsAgree)
{
    const LetterRow row = GetParam();
    EXPECT_TRUE(isLetterCode(row.code));
    EXPECT_EQ(codeOf(QChar(row.letter)), row.code);
    EXPECT_EQ(codeOf(QChar(row.letter).toUpper()), row.code);
    EXPECT_EQ(letterOf(row.code), QChar(row.letter));
    EXPECT_EQ(letterPoints(row.code), row.points);
}

INSTANTIATE_TEST_SUITE_P(Alphabet, Letters,
                         ::testing::Values(LetterRow{u'a', 1, 1}, LetterRow{u'b', 2, 3}, LetterRow{u'k', 11, 5},
                                           LetterRow{u'q', 17, 10}, LetterRow{u'v', 22, 7}, LetterRow{u'y', 25, 3},
                                           LetterRow{u'z', 26, 10}));

class NoLetter : public ::testing::TestWithParam<char16_t> { };

TEST_P(NoLetter, HasCodeZero)
{
    EXPECT_EQ(codeOf(QChar(GetParam())), 0);
}

// The neighbours of both letter ranges, a digit, a space and an accented letter.
INSTANTIATE_TEST_SUITE_P(Characters, NoLetter, ::testing::Values(u'@', u'[', u'`', u'{', u'0', u' ', u'\u00e9'));

class NoCode : public ::testing::TestWithParam<int> { };

TEST_P(NoCode, IsBlankAndWorthNothing)
{
    EXPECT_FALSE(isLetterCode(GetParam()));
    EXPECT_EQ(letterOf(GetParam()), QChar(u' '));
    EXPECT_EQ(letterPoints(GetParam()), 0);
}

INSTANTIATE_TEST_SUITE_P(Codes, NoCode, ::testing::Values(0, 27, -1));

}  // namespace
