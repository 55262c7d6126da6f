// The Strong computer's word list in memory: grouping by letters, the words it keeps,
// the points of a group, keys of changed letter bags, and reading the list file.
#include "WordListFolder.h"

#include "dictionary/TDictn.h"
#include "host/AnagramIndex.h"
#include "net/GameFacts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

LetterBag bagOf(const char *letters)
{
    LetterBag bag;
    for (const char *c = letters; *c; ++c)
        bag.add(quarn::codeOf(QLatin1Char(*c)));
    return bag;
}

QStringList spellingsOf(const AnagramIndex::Group &group)
{
    QStringList words;
    for (const LetterBag::Key *word = group.first; word != group.last; ++word)
        words.append(LetterBag::textOf(*word));
    return words;
}

TEST(AnagramIndexTest, WordsOfTheSameLettersShareOneGroupWhateverTheOrder)
{
    const AnagramIndex index = AnagramIndex::fromWords({"cat", "ACT", "tack", "at"});
    EXPECT_EQ(spellingsOf(index.find(bagOf("tca").key())), (QStringList{"act", "cat"}));
    EXPECT_EQ(spellingsOf(index.find(bagOf("kcat").key())), QStringList{"tack"});
    EXPECT_TRUE(index.find(bagOf("cats").key()).isEmpty());
    EXPECT_EQ(index.wordCount(), 4);
    EXPECT_EQ(index.groupCount(), 3);
}

TEST(AnagramIndexTest, OnlyWordsOfTwoToTenPlainLettersAreKept)
{
    const AnagramIndex index =
        AnagramIndex::fromWords({"a", "ab", "abcdefghij", "abcdefghijk", "co-op", "cat", "cat", ""});
    EXPECT_EQ(index.wordCount(), 3);
    EXPECT_FALSE(index.find(bagOf("ab").key()).isEmpty());
    EXPECT_FALSE(index.find(bagOf("jihgfedcba").key()).isEmpty());
}

struct PointsRow {
    const char *word;
    int points;
};

class AnagramIndexPointsTest : public ::testing::TestWithParam<PointsRow> { };

// A group scores what the rules give its words: the letter sum, times 2 to 6 from six letters on.
TEST_P(AnagramIndexPointsTest, AGroupScoresWhatTheRulesGiveItsWords)
{
    const AnagramIndex index = AnagramIndex::fromWords({QString::fromLatin1(GetParam().word)});
    EXPECT_EQ(index.find(bagOf(GetParam().word).key()).points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Words, AnagramIndexPointsTest,
                         ::testing::Values(PointsRow{"cat", 5}, PointsRow{"quiz", 22}, PointsRow{"stared", 12},
                                           PointsRow{"salters", 21}, PointsRow{"abcdefghij", 6 * 26}));

struct KeyRow {
    const char *name;
    const char *bag;
    char remove;  // '.' = none
    char add;
    const char *expected;  // the letters of the resulting key; "" = no key
};

class LetterBagKeyTest : public ::testing::TestWithParam<KeyRow> { };

// A key with one letter dropped and one added is the key of the bag so changed, and there
// is none for a letter the bag lacks or for a length no word has.
TEST_P(LetterBagKeyTest, KeyWithIsTheKeyOfTheChangedBag)
{
    const KeyRow &row = GetParam();
    const int remove = row.remove == '.' ? 0 : quarn::codeOf(QLatin1Char(row.remove));
    const int add = row.add == '.' ? 0 : quarn::codeOf(QLatin1Char(row.add));
    const LetterBag::Key expected = *row.expected ? bagOf(row.expected).key() : 0;
    EXPECT_EQ(bagOf(row.bag).keyWith(remove, add), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LetterBagKeyTest,
    ::testing::Values(KeyRow{"unchanged", "tac", '.', '.', "act"}, KeyRow{"addFirst", "tac", '.', 'a', "aact"},
                      KeyRow{"addLast", "tac", '.', 'z', "actz"}, KeyRow{"drop", "tac", 'c', '.', "at"},
                      KeyRow{"replace", "tac", 'c', 's', "ats"}, KeyRow{"dropOneOfTwo", "ttac", 't', '.', "act"},
                      KeyRow{"letterNotInTheBag", "tac", 'q', 's', ""}, KeyRow{"oneLetterLeft", "at", 't', '.', ""},
                      KeyRow{"elevenLetters", "abcdefghij", '.', 'k', ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AnagramIndexTest, LoadsTheWordsOfAListFile)
{
    const WordListFolder folder({"cat", "act", "zebra"});
    ASSERT_TRUE(folder.isValid());
    QString error;
    const std::optional<AnagramIndex> index =
        AnagramIndex::load(QDir(folder.path()).filePath(QStringLiteral("English")), &error);
    ASSERT_TRUE(index) << error.toStdString();
    EXPECT_EQ(index->wordCount(), 3);
    EXPECT_EQ(spellingsOf(index->find(bagOf("abrez").key())), QStringList{"zebra"});
}

TEST(AnagramIndexTest, AMissingOrMalformedFileIsRefusedWithAReason)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(AnagramIndex::load(dir.filePath(QStringLiteral("English")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot read"))) << error.toStdString();

    QFile junk(dir.filePath(QStringLiteral("junk")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a word list at all");
    junk.close();
    error.clear();
    EXPECT_FALSE(AnagramIndex::load(junk.fileName(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("is no word list"))) << error.toStdString();
}

// The embedded list: every record of 2 to 10 letters is in the index, once, and a sample
// of the index's words is what the dictionary accepts.
TEST(AnagramIndexTest, HoldsEveryShortRecordOfTheEmbeddedListAndNothingElse)
{
    QTemporaryDir dir;
    TDictn spell(dir.path());
    ASSERT_TRUE(spell.isOpen());
    const std::optional<AnagramIndex> index = AnagramIndex::load(spell.filePath());
    ASSERT_TRUE(index);

    const QByteArray records = TDictn::embeddedList();
    std::set<QByteArray> shortWords;
    for (qsizetype at = 0; at + 15 <= records.size(); at += 15) {
        const QByteArray word = records.mid(at + 1, 14).trimmed();
        if (word.size() >= 2 && word.size() <= 10)
            shortWords.insert(word);
    }
    EXPECT_EQ(index->wordCount(), static_cast<int>(shortWords.size()));
    int checked = 0;
    int step = 0;
    for (const QByteArray &word : shortWords) {
        if (++step % 997 != 0)
            continue;
        LetterBag bag;
        for (const char c : word)
            bag.add(quarn::codeOf(QLatin1Char(c)));
        EXPECT_TRUE(spellingsOf(index->find(bag.key())).contains(QString::fromLatin1(word).toLower()))
            << word.constData();
        EXPECT_TRUE(spell.IsWord(QString::fromLatin1(word)));
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
