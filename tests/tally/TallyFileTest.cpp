// Tests of the tally's file: restored through the container, saved atomically, a file
// that cannot be restored kept aside and never written over, and never a scratch file
// beside it or in the current folder.
#include "tally/TallyFile.h"

#include "tally/TallyCells.h"
#include "tally/Tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace tallytest;

namespace {

const QByteArray kOneRow = storedRows({zeros()});

class TallyFolder : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(TallyFile::kFileName); }
    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray readFile(const QString &name = {}) const
    {
        QFile file(name.isEmpty() ? path() : name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    void writeText(const QByteArray &text) const { writeFile(Tlzrw1().compressBytes(text)); }
    QByteArray readText() const { return Tlzrw1().decompressBytes(readFile()); }

    QTemporaryDir dir;
    TallyFile file{dir.path()};
};

}  // namespace

TEST_F(TallyFolder, FirstRunIsEmptyAndSavesOneRow)
{
    TallyTable table;
    table.follow("Zed");
    EXPECT_TRUE(file.restore(table)) << file.errorString().toStdString();
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
    ASSERT_TRUE(file.save(table)) << file.errorString().toStdString();
    EXPECT_EQ(readText(), "10\r\n1\r\n" + QByteArray("0\r\n").repeated(10));
}

TEST_F(TallyFolder, RestoresOpponentsInOrderWithThisRunAtZero)
{
    writeText(storedRows({{"0", "9", "4", "quartz", "6", "jinx", "40", "77", "0", "0"},
                          {"Cleo", "5", "2", "3", "0", "5", "2", "3", "0", "0"},
                          {"Ann", "4", "1", "2", "1", "1", "1", "0", "0", "0"},
                          {"Bob", "1", "0", "1", "0", "1", "0", "1", "0", "0"}}));
    TallyTable table;
    ASSERT_TRUE(file.restore(table)) << file.errorString().toStdString();

    EXPECT_EQ(cellsOf(table),
              (QList<QStringList>{{"0", "9", "4", "quartz", "6", "jinx", "40", "77", "0", "0"},
                                  {"Cleo", "5", "2", "3", "0", "0", "0", "0", "0", "0"},
                                  {"Ann", "4", "1", "2", "1", "0", "0", "0", "0", "0"},
                                  {"Bob", "1", "0", "1", "0", "0", "0", "0", "0", "0"}}));
    EXPECT_EQ(table.longestWordLength(), 6);
    EXPECT_EQ(table.bestWordPoints(), 40);

    // What it saves, restored again, is the same.
    ASSERT_TRUE(file.save(table));
    EXPECT_EQ(readText(), TallyText::write(table.content()));
    TallyTable again;
    ASSERT_TRUE(TallyFile(dir.path()).restore(again));
    EXPECT_EQ(again.content(), table.content());
}

struct BadFile {
    const char *name;
    QByteArray bytes;
    const char *error;  // after the path; null: the container's own message
};

class TallyBadFile : public TallyFolder, public ::testing::WithParamInterface<BadFile> { };

// A refused file is moved aside before anything could be written over it; a later
// refusal keeps its file under the next number, and the new tally is saved in its place.
TEST_P(TallyBadFile, IsKeptAsideUnderTheNextFreeNameBeforeAnySave)
{
    QString reason = path() + QLatin1String(GetParam().error);
    if (!GetParam().error) {
        try {
            Tlzrw1().decompressBytes(GetParam().bytes, path());
        } catch (const ELzrw1Exception &error) {
            reason = error.message();
        }
    }
    const QByteArray earlier("an earlier damaged tally");
    writeFile(earlier);
    QFile::rename(path(), path() + ".bad");

    writeFile(GetParam().bytes);
    TallyTable table;
    table.follow("Zed");
    EXPECT_FALSE(file.restore(table));
    EXPECT_EQ(file.keptPath(), path() + ".bad.1");
    EXPECT_TRUE(file.errorString().startsWith(reason)) << file.errorString().toStdString();
    EXPECT_TRUE(file.errorString().contains(file.keptPath()));
    EXPECT_EQ(cellsOf(table), QList<QStringList>{zeros()});
    EXPECT_EQ(readFile(path() + ".bad.1"), GetParam().bytes);
    EXPECT_EQ(readFile(path() + ".bad"), earlier);

    table.follow("Ann");
    ASSERT_TRUE(file.save(table));
    EXPECT_EQ(readText(), TallyText::write(table.content()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, TallyBadFile,
    ::testing::Values(BadFile{"NoContainer", "10\r\n1\r\n", nullptr},
                      BadFile{"CutContainer", Tlzrw1().compressBytes(kOneRow).chopped(3), nullptr},
                      BadFile{"NotACount", Tlzrw1().compressBytes(storedRows({{"0", "x"}})),
                              " : line 4 (row 0, column 1): \"x\" is not a count"},
                      BadFile{"NameTwice", Tlzrw1().compressBytes(storedRows({zeros(), zeros("A"), zeros("A")})),
                              " : line 5: \"A\" is followed twice"}),
    [](const auto &info) { return std::string(info.param.name); });

// With no free name left the refused file stays where it is, and no save replaces it.
TEST_F(TallyFolder, FileThatCannotBeKeptAsideIsNeverSavedOver)
{
    for (int number = 0; number < 1000; ++number)
        QFile(path() + ".bad" + (number ? "." + QString::number(number) : QString())).open(QIODevice::WriteOnly);
    const QByteArray damaged = Tlzrw1().compressBytes("9\r\n1\r\n");
    writeFile(damaged);
    TallyTable table;
    EXPECT_FALSE(file.restore(table));
    EXPECT_TRUE(file.errorString().contains("could not be kept aside")) << file.errorString().toStdString();
    EXPECT_TRUE(file.keptPath().isEmpty());

    table.follow("Ann");
    EXPECT_FALSE(file.save(table));
    EXPECT_EQ(readFile(), damaged);
}

TEST_F(TallyFolder, OversizedFileIsNotRead)
{
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(TallyFile::kMaxFileSize + 1));  // sparse: nothing is written
    }
    TallyTable table;
    EXPECT_FALSE(file.restore(table));
    EXPECT_TRUE(file.errorString().contains("too large")) << file.errorString().toStdString();
}

// A save that fails half-way (here the file size limit, as on a full disk) keeps the
// previous tally and leaves no temporary file beside it.
TEST_F(TallyFolder, FailedSaveKeepsThePreviousFile)
{
    const QByteArray previous = Tlzrw1().compressBytes(kOneRow);
    writeFile(previous);
    TallyTable table;
    for (int i = 0; i < 20; ++i)
        table.follow(QStringLiteral("Opponent %1").arg(i));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = previous.size() + 8;
    ASSERT_GT(rlim_t(Tlzrw1().compressBytes(TallyText::write(table.content())).size()), small.rlim_cur);

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = file.save(table);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(file.errorString().startsWith("Cannot write the tally file ")) << file.errorString().toStdString();
    EXPECT_EQ(readFile(), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{TallyFile::kFileName});
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

    TallyTable table;
    const bool restored = file.restore(table);
    table.countWord();
    const bool saved = file.save(table);
    const QByteArray tempText = temp.open(QIODevice::ReadOnly) ? temp.readAll() : QByteArray();
    const QStringList inCurrent = QDir::current().entryList(QDir::Files | QDir::Hidden);
    QDir::setCurrent(previousCurrent);

    EXPECT_TRUE(restored);
    EXPECT_TRUE(saved);
    EXPECT_EQ(tempText, "someone else's notes\n");
    EXPECT_EQ(inCurrent, QStringList{"temp.txt"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{TallyFile::kFileName});
}
