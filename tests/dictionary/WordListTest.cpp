// Tests of the word-list format check and of the embedded word list itself.
#include "WordLists.h"
#include "dictionary/TDictn.h"
#include "dictionary/WordListFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using wordlists::record;
using wordlists::sortedList;

struct FormatCase {
    const char *name;
    QByteArray bytes;
    bool valid;
};

class WordListFormatCheck : public ::testing::TestWithParam<FormatCase> { };

TEST_P(WordListFormatCheck, AcceptsOnlyWellFormedSortedLists)
{
    QString reason;
    EXPECT_EQ(WordListFormat::check(GetParam().bytes, &reason), GetParam().valid);
    EXPECT_EQ(reason.isEmpty(), GetParam().valid) << qPrintable(reason);
}

namespace {

// More records than one read chunk, so that the order check crosses chunk edges.
QByteArray longList(bool breakOrderAtChunkEdge)
{
    QByteArray list;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray word = "A"
            + QByteArray::number(100000 + i)
                  .replace('0', 'K')
                  .replace('1', 'L')
                  .replace('2', 'M')
                  .replace('3', 'N')
                  .replace('4', 'O')
                  .replace('5', 'P')
                  .replace('6', 'Q')
                  .replace('7', 'R')
                  .replace('8', 'S')
                  .replace('9', 'T');
        list += record(word);
    }
    if (breakOrderAtChunkEdge)
        list.replace(4096 * 15 + 1, 14, QByteArray("A").leftJustified(14, ' '));
    return list;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Lists, WordListFormatCheck,
    ::testing::Values(
        FormatCase{"OneRecord", record("QI"), true}, FormatCase{"FourteenLetters", record("ABCDEFGHIJKLMN"), true},
        FormatCase{"Repeats", record("AB") + record("AB") + record("AC"), true},
        FormatCase{"PrefixFirst", record("AAL") + record("AALS"), true}, FormatCase{"Long", longList(false), true},
        FormatCase{"LongUnsortedAtChunkEdge", longList(true), false}, FormatCase{"Empty", QByteArray(""), false},
        FormatCase{"PartialRecord", record("AB").left(14), false},
        FormatCase{"WrongMark", QByteArray(" AB            "), false}, FormatCase{"LowerCase", record("ab"), false},
        FormatCase{"LeadingSpace", record(" AB"), false}, FormatCase{"InnerSpace", record("A B"), false},
        FormatCase{"NoLetters", record(""), false}, FormatCase{"Digit", record("A1"), false},
        FormatCase{"Nul", record(QByteArray("AB\0", 3)), false},
        FormatCase{"Unsorted", record("AC") + record("AB"), false},
        FormatCase{"LongerBeforePrefix", record("AALS") + record("AAL"), false}),
    [](const ::testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

// The list the program carries: checked here independently of WordListFormat.
TEST(EmbeddedWordList, IsSortedWellFormedAndOfTheExpectedSize)
{
    const QByteArray list = TDictn::embeddedList();
    ASSERT_EQ(list.size() % 15, 0);
    const qsizetype records = list.size() / 15;
    EXPECT_GT(records, 160000);
    EXPECT_LT(records, 180000);
    EXPECT_FALSE(list.contains('\0'));

    std::map<int, int> byLength;
    int repeats = 0;
    for (qsizetype i = 0; i < records; ++i) {
        const char *rec = list.constData() + i * 15;
        ASSERT_EQ(rec[0], '\x1E') << "record " << i;
        int letters = 0;
        while (letters < 14 && rec[1 + letters] >= 'A' && rec[1 + letters] <= 'Z')
            ++letters;
        for (int j = 1 + letters; j < 15; ++j)
            ASSERT_EQ(rec[j], ' ') << "record " << i;
        ASSERT_GE(letters, 2) << "record " << i;
        ++byLength[letters];
        if (i > 0) {
            const int order = std::memcmp(rec - 15, rec, 15);
            ASSERT_LE(order, 0) << "records " << i - 1 << " and " << i;
            if (order == 0) {
                EXPECT_EQ(letters, 14) << "only cut words repeat, record " << i;
                ++repeats;
            }
        }
    }
    EXPECT_GT(repeats, 0);
    // Every length from 2 to 14 is represented, the middle lengths most.
    for (int length = 2; length <= 14; ++length)
        EXPECT_GT(byLength[length], 0) << length;
    EXPECT_GT(byLength[8], byLength[3]);
    EXPECT_TRUE(WordListFormat::check(list));
}

TEST(EmbeddedWordList, HoldsEverydayWords)
{
    const QByteArray list = TDictn::embeddedList();
    for (const char *word : {"THE", "GARDEN", "QUEEN", "ZEBRA", "JUMPED", "COLOUR", "COLOR", "AT"})
        EXPECT_TRUE(list.contains(record(word))) << word;
    for (const char *word : {"KB", "LONDON"})
        EXPECT_FALSE(list.contains(record(word))) << word;
}

// The helper that other tests use to build lists makes lists this check accepts.
TEST(EmbeddedWordList, SortedListHelperMakesValidLists)
{
    EXPECT_TRUE(WordListFormat::check(
        sortedList({QStringLiteral("zebra"), QStringLiteral("ab"), QStringLiteral("internationalization")})));
}
