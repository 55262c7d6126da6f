// Tests of the tally's stored text: the exact text a table writes, the odd texts that
// still read, and what the reader refuses with its message.
#include "tally/TallyText.h"

#include "tally/TallyCells.h"

#include <gtest/gtest.h>

using namespace tallytest;

TEST(TallyText, OneOpponentIsTwentyTwoLinesColumnByColumn)
{
    TallyTable table;
    table.follow("Ann");
    table.setCurrentPlayers({"Ann"});
    table.countOwnWin();
    table.countGameWonBy("Ann");
    table.recordLongestWord("quartz", 6);
    table.recordBestWord("jinx", 40);
    table.countWord();

    const QByteArray text = TallyText::write(table.content());
    EXPECT_EQ(text, crlf({"10",     "2", "0", "Ann",  // column 0: unused, the name
                          "2",      "2",  // games
                          "1",      "1",  // own wins, Ann's wins
                          "quartz", "1",  // longest word, own wins against Ann
                          "6",      "0",  // its length, neither won
                          "jinx",   "2",  // best word, games this run
                          "40",     "1",  // its points, Ann's wins this run
                          "1",      "1",  // words, own wins this run
                          "0",      "0",  // unused, neither won this run
                          "0",      "0"}));  // unused
    TallyTable::Content copy;
    ASSERT_TRUE(TallyText::read(text, copy).isEmpty());
    EXPECT_EQ(copy, table.content());  // this run's counts as stored
}

struct OddText {
    const char *name;
    QByteArray text;
    QList<QStringList> cells;
};

class TallyTextAccepted : public ::testing::TestWithParam<OddText> { };

TEST_P(TallyTextAccepted, Reads)
{
    TallyTable::Content content;
    const QString error = TallyText::read(GetParam().text, content);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(cellsOf(content), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(Texts, TallyTextAccepted,
                         ::testing::Values(
                             // Blank counters read as 0, as the game always treated them.
                             OddText{
                                 "BlankCounts",
                                 storedRows({{"", "3", "", "0", "0", "0", "0", "", "", ""}, {"Ann", "1", "", "", "1"}}),
                                 {{"0", "3", "0", "0", "0", "0", "0", "0", "0", "0"},
                                  {"Ann", "1", "0", "0", "1", "0", "0", "0", "0", "0"}}},
                             // A word beside a length of 0 was never a record.
                             OddText{"WordWithoutLength",
                                     storedRows({{"0", "1", "0", "ox", "0", "ox", "9", "1", "0", "0"}}),
                                     {{"0", "1", "0", "0", "0", "ox", "9", "1", "0", "0"}}},
                             OddText{"Latin1Name",
                                     QByteArray("10\r\n2\r\n0\r\nZo\xEB\r\n") + QByteArray("0\r\n").repeated(18),
                                     {zeros(), zeros("Zoë")}}),
                         [](const auto &info) { return std::string(info.param.name); });

struct BadText {
    const char *name;
    QByteArray text;
    const char *error;
};

class TallyTextRefused : public ::testing::TestWithParam<BadText> { };

TEST_P(TallyTextRefused, SaysWhereAndLeavesTheContentAlone)
{
    const TallyTable::Content before{{3, 1, {}, 0, {}, 0, 0}, {{"Zed", {}, {}}}};
    TallyTable::Content content = before;
    const QString error = TallyText::read(GetParam().text, content);
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().error))) << error.toStdString();
    EXPECT_EQ(content, before);
}

namespace {
const QByteArray kOneRow = storedRows({zeros()});
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Texts, TallyTextRefused,
    ::testing::Values(
        BadText{"Empty", "", "empty"}, BadText{"NoLastLineEnd", kOneRow.chopped(2), "does not end with a line end"},
        BadText{"LineFeedsOnly", QByteArray(kOneRow).replace("\r\n", "\n"), "does not end with a line end"},
        BadText{"LoneLineFeed", "10\r\n1\r\n0\n0\r\n" + QByteArray("0\r\n").repeated(9), "line 3 holds a line break"},
        BadText{"CountsMissing", "10\r\n", "no column and row counts"},
        BadText{"NineColumns", "9\r\n1\r\n" + QByteArray("0\r\n").repeated(9), "column count is \"9\", not 10"},
        BadText{"ColumnCountText", "ten\r\n1\r\n" + QByteArray("0\r\n").repeated(10), "column count is \"ten\""},
        BadText{"NoRows", "10\r\n0\r\n", "row count \"0\" is not a number from 1 to 10000"},
        BadText{"TooManyRows", "10\r\n10001\r\n", "row count \"10001\""},
        BadText{"BlankRows", "10\r\n\r\n", "row count \"\""},
        BadText{"LineShort", kOneRow.chopped(3), "has 11 lines where 1 rows need 12"},
        BadText{"LineOver", kOneRow + "0\r\n", "has 13 lines where 1 rows need 12"},
        BadText{"LetterInCount", storedRows({{"0", "1x"}}), "line 4 (row 0, column 1): \"1x\" is not a count"},
        BadText{"SignedCount", storedRows({zeros(), {"Ann", "+1"}}), "(row 1, column 1): \"+1\""},
        BadText{"CountTooLarge", storedRows({{"0", "2147483648"}}),
                "\"2147483648\" is not a count from 0 to 2147483647"},
        BadText{"UnusedCellNotANumber", storedRows({zeros(), {"Ann", "", "", "", "", "", "", "", "", "x"}}),
                "column 9)"},
        BadText{"NoName", storedRows({zeros(), zeros(""), zeros("Bob")}), "line 4: row 1 has no name"},
        BadText{"NameTwice", storedRows({zeros(), zeros("Ann"), zeros("Ann")}), "line 5: \"Ann\" is followed twice"}),
    [](const auto &info) { return std::string(info.param.name); });
