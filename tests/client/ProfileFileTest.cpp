// The settings file reader and writer: case-insensitive lookup, byte-for-byte keeping of
// everything it does not write, creation, line ends, and the atomic save.
#include "client/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    QString path(const QString &name = QStringLiteral("korvexlobby.ini")) const { return dir.filePath(name); }

    void writeRaw(const QByteArray &bytes, const QString &file = {}) const
    {
        QFile out(file.isEmpty() ? path() : file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QByteArray readRaw(const QString &file = {}) const
    {
        QFile in(file.isEmpty() ? path() : file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, MissingFileOrKeyGivesTheDefault)
{
    EXPECT_EQ(ProfileFile::readString(path(), QStringLiteral("Quarn"), QStringLiteral("Top"), QStringLiteral("3")),
              QStringLiteral("3"));
    writeRaw("[Quarn]\r\nLeft=9\r\n");
    EXPECT_EQ(ProfileFile::readString(path(), QStringLiteral("Quarn"), QStringLiteral("Top"), QStringLiteral("3")),
              QStringLiteral("3"));
    EXPECT_EQ(ProfileFile::readString(path(), QStringLiteral("Lobby"), QStringLiteral("Left"), QStringLiteral("x")),
              QStringLiteral("x"));
}

// Section names and keys match without regard to case; spaces around "=" and a BOM
// do not matter; comments and other sections are not read as keys.
TEST_F(ProfileFileTest, LookupIgnoresCaseSpacingBomAndComments)
{
    writeRaw("\xEF\xBB\xBF; comment Top=1\n[Lobby]\nTop=2\n[ quarn ]\n;Top=4\n  TOP =  12  \ntop=13\n");
    ProfileFile file(path());
    ASSERT_TRUE(file.load());
    EXPECT_EQ(file.value(QStringLiteral("Quarn"), QStringLiteral("Top")), QStringLiteral("12"));
    EXPECT_EQ(file.value(QStringLiteral("LOBBY"), QStringLiteral("top")), QStringLiteral("2"));
    EXPECT_TRUE(file.contains(QStringLiteral("quarn"), QStringLiteral("tOp")));
    EXPECT_FALSE(file.contains(QStringLiteral("Quarn"), QStringLiteral("Left")));
}

// Writing changes only the written values: the foreign section, comments, blank lines,
// odd-case keys, the BOM and the CRLF line ends come back byte for byte.
TEST_F(ProfileFileTest, SaveKeepsEverythingItDoesNotWriteByteForByte)
{
    const QByteArray before = "\xEF\xBB\xBF[Lobby]\r\n; the lobby's own\r\nNICK = Zed\r\nsound=On\r\n\r\n"
                              "[QUARN]\r\nTextSIZE = 10\r\nPhrase1=Hi there\r\n\r\n[Other]\r\nx=1";
    writeRaw(before);
    ASSERT_TRUE(ProfileFile::writeStrings(
        path(), QStringLiteral("Quarn"),
        {{QStringLiteral("Textsize"), QStringLiteral("12")}, {QStringLiteral("Top"), QStringLiteral("3")}}));
    EXPECT_EQ(readRaw(),
              QByteArray("\xEF\xBB\xBF[Lobby]\r\n; the lobby's own\r\nNICK = Zed\r\nsound=On\r\n\r\n"
                         "[QUARN]\r\nTextSIZE = 12\r\nPhrase1=Hi there\r\nTop=3\r\n\r\n[Other]\r\nx=1"));
}

TEST_F(ProfileFileTest, CreatesFolderFileAndSectionWhenMissing)
{
    const QString nested = dir.filePath(QStringLiteral("a/b/korvexlobby.ini"));
    ASSERT_TRUE(
        ProfileFile::writeStrings(nested, QStringLiteral("Quarn"), {{QStringLiteral("Top"), QStringLiteral("5")}}));
    EXPECT_EQ(readRaw(nested), QByteArray("[Quarn]\r\nTop=5\r\n"));

    writeRaw("[Lobby]\nName=x");  // LF ends, no final line end
    ASSERT_TRUE(
        ProfileFile::writeStrings(path(), QStringLiteral("Quarn"), {{QStringLiteral("Top"), QStringLiteral("5")}}));
    EXPECT_EQ(readRaw(), QByteArray("[Lobby]\nName=x\n[Quarn]\nTop=5\n"));
}

// The first of two equal keys is read and written; the second stays untouched.
TEST_F(ProfileFileTest, FirstOfDuplicateKeysWins)
{
    writeRaw("[Quarn]\nTop=1\nTOP=2\n");
    ProfileFile file(path());
    ASSERT_TRUE(file.load());
    EXPECT_EQ(file.value(QStringLiteral("Quarn"), QStringLiteral("top")), QStringLiteral("1"));
    file.setValue(QStringLiteral("Quarn"), QStringLiteral("Top"), QStringLiteral("7"));
    EXPECT_EQ(file.contents(), QByteArray("[Quarn]\nTop=7\nTOP=2\n"));
}

// A file in a single-byte code page is read as Latin-1 and its bytes are kept.
TEST_F(ProfileFileTest, NonUtf8FileReadsAsLatin1AndKeepsItsBytes)
{
    writeRaw("[Quarn]\r\nPhrase1=Caf\xE9!\r\n");
    ProfileFile file(path());
    ASSERT_TRUE(file.load());
    EXPECT_EQ(file.value(QStringLiteral("Quarn"), QStringLiteral("Phrase1")), QString::fromUtf8("Caf\xC3\xA9!"));
    file.setValue(QStringLiteral("Quarn"), QStringLiteral("Top"), QStringLiteral("4"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readRaw(), QByteArray("[Quarn]\r\nPhrase1=Caf\xE9!\r\nTop=4\r\n"));
}

// A Latin-1 file whose last byte begins a UTF-8 sequence that never ends is Latin-1 too,
// so a value set afterwards is written in the file's own encoding.
TEST_F(ProfileFileTest, Latin1FileEndingInAnAccentedLetterStaysLatin1)
{
    writeRaw("[Quarn]\nName=Jos\xE9");
    ProfileFile file(path());
    ASSERT_TRUE(file.load());
    EXPECT_EQ(file.value(QStringLiteral("Quarn"), QStringLiteral("Name")), QString::fromUtf8("Jos\xC3\xA9"));
    file.setValue(QStringLiteral("Quarn"), QStringLiteral("Town"), QString::fromUtf8("Z\xC3\xBCrich"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readRaw(), QByteArray("[Quarn]\nName=Jos\xE9\nTown=Z\xFCrich\n"));
}

// A write that fails half-way (here: the file size limit, as on a full disk) leaves the
// previous file whole and no temporary file behind.
TEST_F(ProfileFileTest, FailedWriteLeavesThePreviousFile)
{
    const QByteArray before = "[Quarn]\r\nTop=3\r\n";
    writeRaw(before);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ProfileFile::writeStrings(path(), QStringLiteral("Quarn"),
                                                   {{QStringLiteral("Phrase1"), QString(200, QLatin1Char('x'))}});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readRaw(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("korvexlobby.ini")});
}

}  // namespace
