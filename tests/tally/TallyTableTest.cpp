// Tests of the tally's table: the cells each game, word and click changes, the exact
// stored text and what its reader refuses, and the file: restored through the container,
// saved atomically, and never a scratch file beside it or in the current folder.
#include "tally/TallyTable.h"
#include "tally/Tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <utility>

namespace {

using Cell = std::pair<int, int>;  // row, column

// Lines joined as the stored text has them, each ending in CR LF.
QByteArray crlf(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

// The stored text of rows given by hand (ten cells each), column by column.
QByteArray storedRows(const QList<QStringList> &rows)
{
    QStringList lines{"10", QString::number(rows.size())};
    for (int column = 0; column < 10; ++column) {
        for (const QStringList &row : rows)
            lines.append(row.value(column));
    }
    return crlf(lines);
}

QStringList zeros(const QString &first = "0")
{
    QStringList row(10, "0");
    row[0] = first;
    return row;
}

// Every cell of the table, row by row.
QList<QStringList> cellsOf(const TallyTable &table)
{
    QList<QStringList> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < TallyTable::kColumnCount; ++column)
            cells.append(table.cell(row, column));
        rows.append(cells);
    }
    return rows;
}

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

// A game against `players` won by `winner`.
std::function<void(TallyTable &)> game(const QStringList &players, const QString &winner)
{
    return [=](TallyTable &table) {
        table.setCurrentPlayers(players);
        table.addgame(winner);
    };
}

QStringList names(const TallyTable &table)
{
    QStringList result;
    for (const TallyTable::Opponent &opponent : table.opponents())
        result.append(opponent.name);
    return result;
}

class TallyFolder : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(TallyTable::kFileName); }
    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray readFile() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    void writeText(const QByteArray &text) const { writeFile(Tlzrw1().compressBytes(text)); }
    QByteArray readText() const { return Tlzrw1().decompressBytes(readFile()); }

    QTemporaryDir dir;
};

}  // namespace

// ---- a game's end and single counters -------------------------------------------------

struct Operation {
    const char *name;
    std::function<void(TallyTable &)> apply;
    std::set<Cell> raised;
};

class TallyOperation : public ::testing::TestWithParam<Operation> { };

// Ann (row 1), Bob (row 2) and Carl (row 3) are followed; Carl never plays.
TEST_P(TallyOperation, RaisesExactlyItsCounts)
{
    TallyTable table(QString{});
    for (const char *name : {"Ann", "Bob", "Carl"})
        table.follow(QLatin1String(name));
    const QList<QStringList> before = cellsOf(table);
    GetParam().apply(table);
    EXPECT_EQ(raisedCells(before, cellsOf(table)), GetParam().raised);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, TallyOperation,
    ::testing::Values(
        Operation{"WonAgainstFollowed", game({"Ann"}, "addtomine"), {{0, 1}, {0, 2}, {1, 1}, {1, 5}, {1, 3}, {1, 7}}},
        Operation{"LostToFollowed", game({"Ann"}, "Ann"), {{0, 1}, {1, 1}, {1, 5}, {1, 2}, {1, 6}}},
        // The opponent's seat changed hands before the end (e.g. the computer took it).
        Operation{"NeitherWon", game({"Ann"}, "Computer"), {{0, 1}, {1, 1}, {1, 5}, {1, 4}, {1, 8}}},
        Operation{"WonAgainstUnfollowed", game({"Dora"}, "addtomine"), {{0, 1}, {0, 2}}},
        Operation{"LostToUnfollowed", game({"Dora"}, "Dora"), {{0, 1}}},
        Operation{"NoPlayersLoaded", game({}, "addtomine"), {{0, 1}, {0, 2}}},
        // Every followed name in the list counts the game, each with its own outcome.
        Operation{"TwoFollowedPlayers",
                  game({"Ann", "Bob"}, "Bob"),
                  {{0, 1}, {1, 1}, {1, 5}, {1, 4}, {1, 8}, {2, 1}, {2, 5}, {2, 2}, {2, 6}}},
        Operation{"AnotherWord", [](TallyTable &table) { table.anotherword(7); }, {{0, 7}}},
        Operation{"AnotherWordElsewhere", [](TallyTable &table) { table.anotherword(1); }, {}},
        Operation{"OwnGame", [](TallyTable &table) { table.addtomine(1); }, {{0, 1}}},
        Operation{"OwnWin", [](TallyTable &table) { table.addtomine(2); }, {{0, 2}}},
        Operation{"OwnElsewhere", [](TallyTable &table) { table.addtomine(7); }, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- word records ---------------------------------------------------------------------

struct WordStep {
    QString word;
    int value;
    int column;
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
    TallyTable table(QString{});
    for (const WordStep &step : GetParam().steps)
        EXPECT_EQ(table.addword(step.word, step.value, step.column), step.recorded) << step.word.toStdString();
    EXPECT_EQ(table.own(), GetParam().own);
    EXPECT_EQ(table.longestWordLength(), GetParam().own.longestLength);
    EXPECT_EQ(table.bestWordPoints(), GetParam().own.bestPoints);
}

INSTANTIATE_TEST_SUITE_P(
    Words, TallyWords,
    ::testing::Values(
        WordRecords{"LongerReplaces", {{"cat", 3, 3, true}, {"quartz", 6, 3, true}}, {0, 0, "quartz", 6, {}, 0, 0}},
        WordRecords{
            "EqualLengthDoesNot", {{"quartz", 6, 3, true}, {"jinxed", 6, 3, false}}, {0, 0, "quartz", 6, {}, 0, 0}},
        WordRecords{"ShorterDoesNot", {{"quartz", 6, 3, true}, {"ox", 2, 3, false}}, {0, 0, "quartz", 6, {}, 0, 0}},
        WordRecords{"BestByPoints",
                    {{"jinx", 40, 5, true}, {"zap", 40, 5, false}, {"quiz", 41, 5, true}},
                    {0, 0, {}, 0, "quiz", 41, 0}},
        WordRecords{
            "OtherColumnsIgnored", {{"quartz", 6, 4, false}, {"quartz", 6, 7, false}, {"quartz", 0, 3, false}}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TallyTable, ResetForgetsEverythingAndTheNextWordIsBothRecords)
{
    TallyTable table(QString{});
    table.follow("Ann");
    game({"Ann"}, "addtomine")(table);
    table.addword("quartzes", 8, 3);
    table.addword("quartzes", 60, 5);
    table.anotherword(7);

    table.reset();
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
    EXPECT_TRUE(table.addword("ox", 2, 3));
    EXPECT_TRUE(table.addword("ox", 9, 5));
    EXPECT_EQ(table.own(), (TallyTable::OwnTotals{0, 0, "ox", 2, "ox", 9, 0}));
}

// ---- following ------------------------------------------------------------------------

TEST(TallyTable, FollowAppendsARowOfZerosOnce)
{
    TallyTable table(QString{});
    EXPECT_TRUE(table.follow("Ann"));
    EXPECT_TRUE(table.follow("Bob\r\nby the sea\n"));
    EXPECT_FALSE(table.follow("Ann"));
    EXPECT_FALSE(table.follow(QString()));
    EXPECT_EQ(cellsOf(table), (QList<QStringList>{zeros(), zeros("Ann"), zeros("Bob by the sea ")}));

    // The game's names, line breaks and all, still find the row.
    game({"Bob\nby the sea\r"}, "Bob\r\nby the sea\n")(table);
    EXPECT_EQ(table.opponents()[1].total, (TallyTable::Counts{1, 1, 0, 0}));
}

struct Removal {
    const char *name;
    QStringList followed;
    int row;
    QStringList remaining;
};

class TallyMoverow : public ::testing::TestWithParam<Removal> { };

TEST_P(TallyMoverow, MovesLaterRowsUpAndLeavesRowZero)
{
    TallyTable table(QString{});
    const QStringList &followed = GetParam().followed;
    for (int i = 0; i < followed.size(); ++i) {
        table.follow(followed[i]);
        for (int games = 0; games <= i; ++games)  // a different count in each row tells them apart
            game({followed[i]}, followed[i])(table);
    }
    const QList<QStringList> before = cellsOf(table);

    table.moverow(GetParam().row);

    EXPECT_EQ(names(table), GetParam().remaining);
    const QList<QStringList> after = cellsOf(table);
    for (int row = 0; row < after.size(); ++row) {
        const int was = GetParam().row > 0 && row >= GetParam().row ? row + 1 : row;
        EXPECT_EQ(after[row], before[was]) << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TallyMoverow,
                         ::testing::Values(Removal{"OnlyOne", {"Ann"}, 1, {}},
                                           Removal{"First", {"Ann", "Bob", "Carl"}, 1, {"Bob", "Carl"}},
                                           Removal{"Middle", {"Ann", "Bob", "Carl"}, 2, {"Ann", "Carl"}},
                                           Removal{"Last", {"Ann", "Bob", "Carl"}, 3, {"Ann", "Bob"}},
                                           Removal{"OwnRowStays", {"Ann", "Bob"}, 0, {"Ann", "Bob"}},
                                           Removal{"PastTheEnd", {"Ann", "Bob"}, 3, {"Ann", "Bob"}}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- the current game's players -------------------------------------------------------

struct Seats {
    const char *name;
    int ownSlot;
    QString seat1;
    QString seat2;
    QStringList opponents;
};

class TallyChecklist : public ::testing::TestWithParam<Seats> { };

TEST_P(TallyChecklist, ListsTheOtherSeatedPlayers)
{
    TallyTable table(QString{});
    table.loadchecklist(GetParam().ownSlot, GetParam().seat1, GetParam().seat2);
    EXPECT_EQ(table.currentPlayers(), GetParam().opponents);
}

INSTANTIATE_TEST_SUITE_P(Seats, TallyChecklist,
                         ::testing::Values(Seats{"OwnSeat1", 1, "Ann", "Bob", {"Bob"}},
                                           Seats{"OwnSeat2", 2, "Ann", "Bob", {"Ann"}},
                                           Seats{"EmptySeat", 1, "Ann", "<Waiting>", {}},
                                           Seats{"Spectator", 3, "Ann", "Bob", {"Ann", "Bob"}},
                                           Seats{"SameNameTwice", 3, "Ann", "Ann", {"Ann"}},
                                           Seats{"LineBreak", 2, "A\nB", "Bob", {"A B"}}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- the stored text ------------------------------------------------------------------

TEST(TallyText, OneOpponentIsTwentyTwoLinesColumnByColumn)
{
    TallyTable table(QString{});
    table.follow("Ann");
    game({"Ann"}, "addtomine")(table);
    game({"Ann"}, "Ann")(table);
    table.addword("quartz", 6, 3);
    table.addword("jinx", 40, 5);
    table.anotherword(7);

    EXPECT_EQ(table.storedText(), crlf({"10",     "2", "0", "Ann",  // column 0: unused, the name
                                        "2",      "2",  // games
                                        "1",      "1",  // own wins, Ann's wins
                                        "quartz", "1",  // longest word, own wins against Ann
                                        "6",      "0",  // its length, neither won
                                        "jinx",   "2",  // best word, games this run
                                        "40",     "1",  // its points, Ann's wins this run
                                        "1",      "1",  // words, own wins this run
                                        "0",      "0",  // unused, neither won this run
                                        "0",      "0"}));  // unused
    EXPECT_EQ(table.storedText().count("\r\n"), 22);

    TallyTable copy(QString{});
    ASSERT_TRUE(copy.loadStoredText(table.storedText())) << copy.errorString().toStdString();
    EXPECT_EQ(cellsOf(copy), cellsOf(table));  // this run's counts as stored
}

struct OddText {
    const char *name;
    QByteArray text;
    QList<QStringList> cells;
};

class TallyTextAccepted : public ::testing::TestWithParam<OddText> { };

TEST_P(TallyTextAccepted, Reads)
{
    TallyTable table(QString{});
    ASSERT_TRUE(table.loadStoredText(GetParam().text)) << table.errorString().toStdString();
    EXPECT_EQ(cellsOf(table), GetParam().cells);
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

TEST_P(TallyTextRefused, LeavesTheTableEmpty)
{
    TallyTable table(QString{});
    table.follow("Zed");
    table.anotherword(7);
    EXPECT_FALSE(table.loadStoredText(GetParam().text));
    EXPECT_TRUE(table.errorString().contains(QLatin1String(GetParam().error))) << table.errorString().toStdString();
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
}

const QByteArray kOneRow = storedRows({zeros()});

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

// ---- the file -------------------------------------------------------------------------

TEST_F(TallyFolder, FirstRunIsEmptyAndSavesOneRow)
{
    TallyTable table(dir.path());
    EXPECT_EQ(table.filePath(), path());
    EXPECT_TRUE(table.restore()) << table.errorString().toStdString();
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
    ASSERT_TRUE(table.save()) << table.errorString().toStdString();
    EXPECT_EQ(readText(), "10\r\n1\r\n" + QByteArray("0\r\n").repeated(10));
}

TEST_F(TallyFolder, RestoresOpponentsInOrderWithThisRunAtZero)
{
    writeText(storedRows({{"0", "9", "4", "quartz", "6", "jinx", "40", "77", "0", "0"},
                          {"Cleo", "5", "2", "3", "0", "5", "2", "3", "0", "0"},
                          {"Ann", "4", "1", "2", "1", "1", "1", "0", "0", "0"},
                          {"Bob", "1", "0", "1", "0", "1", "0", "1", "0", "0"}}));
    TallyTable table(dir.path());
    ASSERT_TRUE(table.restore()) << table.errorString().toStdString();

    EXPECT_EQ(cellsOf(table),
              (QList<QStringList>{{"0", "9", "4", "quartz", "6", "jinx", "40", "77", "0", "0"},
                                  {"Cleo", "5", "2", "3", "0", "0", "0", "0", "0", "0"},
                                  {"Ann", "4", "1", "2", "1", "0", "0", "0", "0", "0"},
                                  {"Bob", "1", "0", "1", "0", "0", "0", "0", "0", "0"}}));
    EXPECT_EQ(table.longestWordLength(), 6);
    EXPECT_EQ(table.bestWordPoints(), 40);

    // What it saves, restored again, is the same.
    ASSERT_TRUE(table.save());
    EXPECT_EQ(readText(), table.storedText());
    TallyTable again(dir.path());
    ASSERT_TRUE(again.restore());
    EXPECT_EQ(cellsOf(again), cellsOf(table));
}

struct BadFile {
    const char *name;
    QByteArray bytes;
    const char *error;  // after the path; null: the container's own message
};

class TallyBadFile : public TallyFolder, public ::testing::WithParamInterface<BadFile> { };

TEST_P(TallyBadFile, StartsEmptyWithTheMessageAndKeepsTheFileUntilSaved)
{
    writeFile(GetParam().bytes);
    QString expected = path() + QLatin1String(GetParam().error);
    if (!GetParam().error) {
        try {
            Tlzrw1().decompressBytes(GetParam().bytes, path());
        } catch (const ELzrw1Exception &error) {
            expected = error.message();
        }
    }

    TallyTable table(dir.path());
    EXPECT_FALSE(table.restore());
    EXPECT_EQ(table.errorString(), expected);
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
    EXPECT_EQ(readFile(), GetParam().bytes);

    table.follow("Ann");
    ASSERT_TRUE(table.save());
    EXPECT_EQ(readText(), table.storedText());
}

INSTANTIATE_TEST_SUITE_P(Files, TallyBadFile,
                         ::testing::Values(BadFile{"NoContainer", "10\r\n1\r\n", nullptr},
                                           BadFile{"CutContainer", Tlzrw1().compressBytes(kOneRow).chopped(3), nullptr},
                                           BadFile{"BadTextInside", Tlzrw1().compressBytes("9\r\n1\r\n"),
                                                   " : line 1: the column count is \"9\", not 10"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TallyFolder, OversizedFileIsNotRead)
{
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(TallyTable::kMaxFileSize + 1));  // sparse: nothing is written
    }
    TallyTable table(dir.path());
    EXPECT_FALSE(table.restore());
    EXPECT_TRUE(table.errorString().contains("too large")) << table.errorString().toStdString();
}

// A save that fails half-way (here the file size limit, as on a full disk) keeps the
// previous tally and leaves no temporary file beside it.
TEST_F(TallyFolder, FailedSaveKeepsThePreviousFile)
{
    const QByteArray previous = Tlzrw1().compressBytes(kOneRow);
    writeFile(previous);
    TallyTable table(dir.path());
    for (int i = 0; i < 20; ++i)
        table.follow(QStringLiteral("Opponent %1").arg(i));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = previous.size() + 8;
    ASSERT_GT(rlim_t(Tlzrw1().compressBytes(table.storedText()).size()), small.rlim_cur);

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = table.save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(table.errorString().startsWith("Cannot write the tally file ")) << table.errorString().toStdString();
    EXPECT_EQ(readFile(), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{TallyTable::kFileName});
}

// The text stays in memory: a "temp.txt" in the current folder is neither made, changed
// nor removed, and nothing else appears there or beside the tally file.
TEST_F(TallyFolder, NoScratchFileAnywhere)
{
    QTemporaryDir current;
    const QString previousCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    QFile temp("temp.txt");
    ASSERT_TRUE(temp.open(QIODevice::WriteOnly));
    temp.write("someone else's notes\n");
    temp.close();
    writeText(storedRows({zeros(), zeros("Ann")}));

    TallyTable table(dir.path());
    const bool restored = table.restore();
    table.anotherword(7);
    const bool saved = table.save();
    const QByteArray tempText = temp.open(QIODevice::ReadOnly) ? temp.readAll() : QByteArray();
    const QStringList inCurrent = QDir::current().entryList(QDir::Files | QDir::Hidden);
    QDir::setCurrent(previousCurrent);

    EXPECT_TRUE(restored);
    EXPECT_TRUE(saved);
    EXPECT_EQ(tempText, "someone else's notes\n");
    EXPECT_EQ(inCurrent, QStringList{"temp.txt"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{TallyTable::kFileName});
}
