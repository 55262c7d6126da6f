// Tests of the dictionary: lookups on the real list and on small lists, and the
// handling of the list file (extraction, adoption, deletion, foreign files, failures).
#include "dictionary/TDictn.h"
#include "WordLists.h"
#include "dictionary/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using wordlists::readFile;
using wordlists::record;
using wordlists::sortedList;
using wordlists::writeFile;

namespace {

const QString kNotFound = QStringLiteral("English.dic dictionary not found!");

QString listPath(const QTemporaryDir &dir)
{
    return QDir(dir.path()).filePath(QStringLiteral("English"));
}

QString wordOfRecord(const QByteArray &list, qsizetype index)
{
    return QString::fromLatin1(list.mid(index * 15 + 1, 14)).trimmed();
}

}  // namespace

// ---- Lookups on the real, embedded list -------------------------------------------

struct LookupCase {
    const char *name;
    QString key;
    bool found;
};

class RealListLookup : public ::testing::TestWithParam<LookupCase> {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        spell = new TDictn(folder->path());
    }
    static void TearDownTestSuite()
    {
        delete spell;
        delete folder;
        spell = nullptr;
        folder = nullptr;
    }
    static QTemporaryDir *folder;
    static TDictn *spell;
};

QTemporaryDir *RealListLookup::folder = nullptr;
TDictn *RealListLookup::spell = nullptr;

// Case and surrounding spaces are ignored; anything inside the word that is not a
// letter, and anything longer than a record's 14 letters, never matches.
TEST_P(RealListLookup, AnswersAsNormalised)
{
    ASSERT_TRUE(spell->isOpen());
    EXPECT_EQ(spell->IsWord(GetParam().key), GetParam().found) << qPrintable(GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Keys, RealListLookup,
                         ::testing::Values(LookupCase{"LowerCase", QStringLiteral("garden"), true},
                                           LookupCase{"UpperCase", QStringLiteral("GARDEN"), true},
                                           LookupCase{"MixedCase", QStringLiteral("GaRdEn"), true},
                                           LookupCase{"SpacesAround", QStringLiteral("   garden  "), true},
                                           LookupCase{"TrailingNul", QStringLiteral("garden") + QChar(u'\0'), true},
                                           LookupCase{"TwoLetters", QStringLiteral("at"), true},
                                           LookupCase{"InnerSpace", QStringLiteral("gar den"), false},
                                           LookupCase{"InnerSpaceAtEnd", QStringLiteral("garde n"), false},
                                           LookupCase{"Empty", QString(), false},
                                           LookupCase{"OnlySpaces", QStringLiteral("          "), false},
                                           LookupCase{"OnlyNuls", QString(3, QChar(u'\0')), false},
                                           LookupCase{"Digits", QStringLiteral("gard3n"), false},
                                           LookupCase{"Accented", QStringLiteral("gärden"), false},
                                           LookupCase{"NotAWord", QStringLiteral("qzxv"), false},
                                           LookupCase{"FifteenLetters", QStringLiteral("abcdefghijklmno"), false},
                                           LookupCase{"CutFormOfLongerWord", QStringLiteral("internationali"), true},
                                           LookupCase{"FullLongerWord", QStringLiteral("internationalization"), false},
                                           LookupCase{"FullLongerWordUpper", QStringLiteral("INTERNATIONALISM"), false},
                                           LookupCase{"VeryLongKey", QString(300, QChar(u'a')), false}),
                         [](const ::testing::TestParamInfo<LookupCase> &info) { return std::string(info.param.name); });

// The first and the last record sit at the ends of the search range.
TEST_F(RealListLookup, FindsFirstAndLastRecords)
{
    const QByteArray list = TDictn::embeddedList();
    ASSERT_GE(list.size(), 30);
    const QString first = wordOfRecord(list, 0);
    const QString last = wordOfRecord(list, list.size() / 15 - 1);
    EXPECT_TRUE(spell->IsWord(first)) << qPrintable(first);
    EXPECT_TRUE(spell->IsWord(last.toLower())) << qPrintable(last);
    EXPECT_EQ(spell->recordCount(), list.size() / 15);
}

// A lookup costs at most one read per halving of the list (plus step-back reads over
// repeats); keys that cannot match cost none.
TEST_F(RealListLookup, ReadsAtMostOneRecordPerHalving)
{
    const int bound = int(std::ceil(std::log2(double(spell->recordCount()) + 1)));
    for (const char *key : {"garden", "zzzzzz", "aaaaaa", "mmmmm", "kettle"}) {
        spell->IsWord(QString::fromLatin1(key));
        EXPECT_GE(spell->recordsReadByLastLookup(), 1) << key;
        EXPECT_LE(spell->recordsReadByLastLookup(), bound) << key;
    }
    spell->IsWord(QStringLiteral("  "));
    EXPECT_EQ(spell->recordsReadByLastLookup(), 0);
}

// ---- Lookups on small lists ---------------------------------------------------------

// Repeated (cut) records are found wherever the search first lands among them, and the
// step back over the run stops at the run's start.
TEST(SmallListLookup, FindsRunsOfRepeatedRecords)
{
    QTemporaryDir dir;
    const QStringList words = {QStringLiteral("internationalism"),
                               QStringLiteral("internationalist"),
                               QStringLiteral("internationalize"),
                               QStringLiteral("internationalized"),
                               QStringLiteral("internationalizes"),
                               QStringLiteral("ab"),
                               QStringLiteral("zebra")};
    TDictn spell(dir.path(), sortedList(words));
    ASSERT_TRUE(spell.isOpen());
    EXPECT_TRUE(spell.IsWord(QStringLiteral("Internationali")));
    // Records: AB, five times INTERNATIONALI, ZEBRA. The search lands on record 3,
    // steps back over records 2 and 1 and stops at AB: four reads.
    EXPECT_EQ(spell.recordsReadByLastLookup(), 4);
    EXPECT_FALSE(spell.IsWord(QStringLiteral("internationalize")));
    EXPECT_TRUE(spell.IsWord(QStringLiteral("ab")));
    EXPECT_TRUE(spell.IsWord(QStringLiteral("zebra")));
    EXPECT_FALSE(spell.IsWord(QStringLiteral("a")));
    EXPECT_FALSE(spell.IsWord(QStringLiteral("zebras")));
}

// A word sorts before every longer word beginning with it: both are found, and the
// prefixes and extensions between them are not.
TEST(SmallListLookup, TellsPrefixesFromWords)
{
    QTemporaryDir dir;
    TDictn spell(
        dir.path(),
        sortedList({QStringLiteral("aal"), QStringLiteral("aals"), QStringLiteral("aalii"), QStringLiteral("ab")}));
    for (const char *word : {"AAL", "AALS", "AALII", "AB"})
        EXPECT_TRUE(spell.IsWord(QString::fromLatin1(word))) << word;
    for (const char *word : {"AA", "AALIIS", "AAM", "A", "ABA", "AALSS"})
        EXPECT_FALSE(spell.IsWord(QString::fromLatin1(word))) << word;
}

TEST(SmallListLookup, OneRecordList)
{
    QTemporaryDir dir;
    TDictn spell(dir.path(), record("QI"));
    EXPECT_EQ(spell.recordCount(), 1);
    EXPECT_TRUE(spell.IsWord(QStringLiteral("qi")));
    EXPECT_FALSE(spell.IsWord(QStringLiteral("q")));
    EXPECT_FALSE(spell.IsWord(QStringLiteral("qis")));
}

// ---- The list file ------------------------------------------------------------------

// Without an "English" the embedded list is written there byte for byte, used, and
// deleted again at exit.
TEST(ListFile, ExtractsEmbeddedListAndDeletesItAtExit)
{
    QTemporaryDir dir;
    const QString path = listPath(dir);
    {
        TDictn spell(dir.path());
        ASSERT_TRUE(spell.isOpen());
        EXPECT_TRUE(spell.errorText().isEmpty());
        EXPECT_EQ(QFileInfo(spell.filePath()), QFileInfo(path));
        EXPECT_EQ(readFile(path), TDictn::embeddedList());
        EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// An "English" in the word-list format is taken as the list (its words, not the
// embedded ones, answer), is not rewritten, and is deleted at exit.
TEST(ListFile, UsesExistingValidListAndDeletesItAtExit)
{
    QTemporaryDir dir;
    const QString path = listPath(dir);
    const QByteArray own = sortedList({QStringLiteral("qqqq"), QStringLiteral("zyxw"), QStringLiteral("bbbbbbbb")});
    ASSERT_TRUE(writeFile(path, own));
    {
        TDictn spell(dir.path());
        ASSERT_TRUE(spell.isOpen());
        EXPECT_EQ(QFileInfo(spell.filePath()), QFileInfo(path));
        EXPECT_EQ(spell.recordCount(), 3);
        EXPECT_TRUE(spell.IsWord(QStringLiteral("qqqq")));
        EXPECT_TRUE(spell.IsWord(QStringLiteral("ZYXW")));
        EXPECT_FALSE(spell.IsWord(QStringLiteral("garden")));
        EXPECT_EQ(readFile(path), own);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

struct ForeignFile {
    const char *name;
    QByteArray bytes;
};

class ForeignListFile : public ::testing::TestWithParam<ForeignFile> { };

// A file named "English" that is not a word list is never changed or deleted; the
// dictionary works from a private copy elsewhere, which it removes at exit.
TEST_P(ForeignListFile, IsLeftUntouchedAndLookupsStillWork)
{
    QTemporaryDir dir;
    const QString path = listPath(dir);
    const QByteArray bytes = GetParam().bytes;
    ASSERT_TRUE(writeFile(path, bytes));
    QString copyPath;
    {
        DictionaryMessages messages;
        TDictn spell(dir.path(), sortedList({QStringLiteral("garden"), QStringLiteral("kettle")}));
        ASSERT_TRUE(spell.isOpen());
        copyPath = spell.filePath();
        EXPECT_NE(QFileInfo(copyPath), QFileInfo(path));
        EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
        EXPECT_TRUE(spell.IsWord(QStringLiteral("kettle")));
        EXPECT_FALSE(spell.IsWord(QStringLiteral("hello")));
        EXPECT_EQ(messages.warnings(), 1) << qPrintable(messages.text());
        EXPECT_EQ(readFile(path), bytes);
    }
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_FALSE(QFileInfo::exists(copyPath));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ForeignListFile,
    ::testing::Values(
        ForeignFile{"Text", QByteArray("hello world\nthis is my essay\n")}, ForeignFile{"Empty", QByteArray("")},
        ForeignFile{"NotWholeRecords", record("CAT") + record("DOG") + "x"},
        ForeignFile{"WrongMark", QByteArray(30, 'A')}, ForeignFile{"MarkButLowerCase", record("cat") + record("dog")},
        ForeignFile{"InnerSpace", record("CA T") + record("DOG")}, ForeignFile{"NoLetters", record("") + record("DOG")},
        ForeignFile{"NulInWord", record(QByteArray("CA\0T", 4)) + record("DOG")},
        ForeignFile{"Unsorted", record("DOG") + record("CAT")},
        ForeignFile{"BinaryTailAfterGoodRecords", record("CAT") + record("DOG") + QByteArray(15, '\0')}),
    [](const ::testing::TestParamInfo<ForeignFile> &info) { return std::string(info.param.name); });

// An "English" that somebody else could have put there or could change is never read as
// the list, though it is well-formed: the list is written to this user's private folder
// instead, and the planted file is left as it is.
struct PlantedFile {
    const char *name;
    mode_t folderMode;
    mode_t fileMode;
    bool otherOwner;
};

class PlantedListFile : public ::testing::TestWithParam<PlantedFile> { };

TEST_P(PlantedListFile, IsNotUsed)
{
    if (GetParam().otherOwner && ::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can give a file to another user";
    QTemporaryDir dir;
    const QString path = listPath(dir);
    const QByteArray planted = sortedList({QStringLiteral("aaa"), QStringLiteral("bbb"), QStringLiteral("ccc")});
    ASSERT_TRUE(writeFile(path, planted));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), GetParam().fileMode), 0);
    if (GetParam().otherOwner) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), GetParam().folderMode), 0);
    {
        TDictn spell(dir.path(), sortedList({QStringLiteral("garden"), QStringLiteral("kettle")}));
        ASSERT_TRUE(spell.isOpen());
        EXPECT_NE(QFileInfo(spell.filePath()), QFileInfo(path));
        EXPECT_TRUE(PrivateFolder::isPrivate(QFileInfo(spell.filePath()).absolutePath()));
        EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
        EXPECT_FALSE(spell.IsWord(QStringLiteral("bbb")));
    }
    EXPECT_EQ(readFile(path), planted);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
}

INSTANTIATE_TEST_SUITE_P(Files, PlantedListFile,
                         ::testing::Values(PlantedFile{"InAFolderOthersCanWrite", 0777, 0644, false},
                                           PlantedFile{"InASharedStickyFolder", 01777, 0644, false},
                                           PlantedFile{"InAFolderItsGroupCanWrite", 0770, 0644, false},
                                           PlantedFile{"OthersCanChangeIt", 0700, 0666, false},
                                           PlantedFile{"OfAnotherUser", 0755, 0644, true}),
                         [](const ::testing::TestParamInfo<PlantedFile> &info) {
                             return std::string(info.param.name);
                         });

// In a folder others can write, no "English" is written either.
TEST(ListFile, NothingIsWrittenInAFolderOthersCanWrite)
{
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    {
        TDictn spell(dir.path(), sortedList({QStringLiteral("garden")}));
        ASSERT_TRUE(spell.isOpen());
        EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
}

// A directory named "English" is another kind of foreign file.
TEST(ListFile, DirectoryNamedEnglishIsLeftAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("English")));
    {
        DictionaryMessages messages;
        TDictn spell(dir.path(), sortedList({QStringLiteral("garden")}));
        ASSERT_TRUE(spell.isOpen());
        EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
    }
    EXPECT_TRUE(QFileInfo(listPath(dir)).isDir());
}

// Without list data (a missing resource) the open fails with the one message, and
// every lookup answers false; a foreign file stays as it is.
TEST(ListFile, MissingListFailsWithMessage)
{
    QTemporaryDir dir;
    DictionaryMessages messages;
    TDictn spell(dir.path(), QByteArray());
    EXPECT_FALSE(spell.isOpen());
    EXPECT_EQ(spell.errorText(), kNotFound);
    EXPECT_FALSE(spell.IsWord(QStringLiteral("garden")));
    EXPECT_EQ(spell.recordsReadByLastLookup(), 0);
    EXPECT_EQ(spell.recordCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(listPath(dir)));
    EXPECT_GE(messages.warnings(), 1);
}

TEST(ListFile, MissingListWithForeignFileFailsAndKeepsIt)
{
    QTemporaryDir dir;
    const QByteArray bytes("not a list");
    ASSERT_TRUE(writeFile(listPath(dir), bytes));
    {
        DictionaryMessages messages;
        TDictn spell(dir.path(), QByteArray());
        EXPECT_FALSE(spell.isOpen());
        EXPECT_EQ(spell.errorText(), kNotFound);
    }
    EXPECT_EQ(readFile(listPath(dir)), bytes);
}

// A folder where "English" cannot be written does not stop the dictionary.
TEST(ListFile, UnwritableFolderFallsBackToPrivateCopy)
{
    QTemporaryDir dir;
    const QString missingFolder = QDir(dir.path()).filePath(QStringLiteral("no/such/folder"));
    QString copyPath;
    {
        TDictn spell(missingFolder, sortedList({QStringLiteral("garden")}));
        ASSERT_TRUE(spell.isOpen());
        copyPath = spell.filePath();
        EXPECT_TRUE(QFileInfo::exists(copyPath));
        EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
    }
    EXPECT_FALSE(QFileInfo::exists(copyPath));
}

// Copies of the program in one folder: the second uses the first one's file; each
// keeps working after the other deleted it; a copy never deletes an "English" that a
// later copy wrote after it.
TEST(ListFile, SeveralCopiesShareOneFolder)
{
    QTemporaryDir dir;
    const QString path = listPath(dir);
    auto first = std::make_unique<TDictn>(dir.path());
    auto second = std::make_unique<TDictn>(dir.path());
    ASSERT_TRUE(first->isOpen());
    ASSERT_TRUE(second->isOpen());
    EXPECT_EQ(QFileInfo(second->filePath()), QFileInfo(path));

    first.reset();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(second->IsWord(QStringLiteral("garden")));

    auto third = std::make_unique<TDictn>(dir.path());
    ASSERT_TRUE(third->isOpen());
    ASSERT_TRUE(QFileInfo::exists(path));
    second.reset();
    EXPECT_TRUE(QFileInfo::exists(path)) << "a copy deleted a file written after it";
    EXPECT_TRUE(third->IsWord(QStringLiteral("garden")));
    third.reset();
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A list file that shrinks under the dictionary makes lookups answer false with a
// warning; nothing crashes.
TEST(ListFile, FileChangedOnDiskAnswersNotFoundWithWarning)
{
    QTemporaryDir dir;
    TDictn spell(dir.path(),
                 sortedList({QStringLiteral("ab"), QStringLiteral("garden"), QStringLiteral("kettle"),
                             QStringLiteral("zebra")}));
    ASSERT_TRUE(spell.isOpen());
    ASSERT_TRUE(QFile::resize(spell.filePath(), 0));
    DictionaryMessages messages;
    EXPECT_FALSE(spell.IsWord(QStringLiteral("garden")));
    EXPECT_FALSE(spell.IsWord(QStringLiteral("zebra")));
    EXPECT_EQ(messages.warnings(), 2) << qPrintable(messages.text());
}

// Close ends lookups and removes the file; Open starts over.
TEST(ListFile, CloseAndOpenAgain)
{
    QTemporaryDir dir;
    TDictn spell(dir.path(), sortedList({QStringLiteral("garden")}));
    ASSERT_TRUE(spell.isOpen());
    spell.Close();
    EXPECT_FALSE(spell.isOpen());
    EXPECT_FALSE(spell.IsWord(QStringLiteral("garden")));
    EXPECT_FALSE(QFileInfo::exists(listPath(dir)));
    EXPECT_TRUE(spell.filePath().isEmpty());
    spell.Close();  // a second close is harmless

    ASSERT_TRUE(spell.Open());
    EXPECT_TRUE(spell.Open());  // already open
    EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
    EXPECT_TRUE(QFileInfo::exists(listPath(dir)));
}

// The default folder is the working folder.
TEST(ListFile, DefaultFolderIsWorkingFolder)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    {
        TDictn spell;
        EXPECT_EQ(QFileInfo(spell.filePath()), QFileInfo(listPath(dir)));
        EXPECT_TRUE(spell.IsWord(QStringLiteral("garden")));
    }
    QDir::setCurrent(previous);
    EXPECT_FALSE(QFileInfo::exists(listPath(dir)));
}
