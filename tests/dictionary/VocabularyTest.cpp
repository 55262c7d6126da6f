// Tests of the computer opponent's vocabulary.
#include "dictionary/Vocabulary.h"
#include "dictionary/DictionaryResources.h"
#include "dictionary/TDictn.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

TEST(Vocabulary, IsSortedLowerCaseWordsOfOneToSevenLetters)
{
    const QStringList words = loadVocabulary();
    EXPECT_GT(words.size(), 7000);
    EXPECT_LT(words.size(), 8500);
    std::map<qsizetype, int> byLength;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        ASSERT_GE(word.size(), 1);
        ASSERT_LE(word.size(), 7);
        for (QChar c : word) {
            ASSERT_TRUE(c >= u'a' && c <= u'z') << qPrintable(word);
        }
        if (i > 0) {
            ASSERT_LT(words.at(i - 1), word) << "sorted without repeats";
        }
        ++byLength[word.size()];
    }
    // Mostly words of 4 to 7 letters, which the opponent can build towards.
    EXPECT_GT(byLength[7], byLength[4]);
    EXPECT_GT(byLength[4], byLength[3]);
    EXPECT_GT(byLength[3], byLength[2]);
}

// Every line of the resource is a word: nothing is dropped while loading.
TEST(Vocabulary, LoadsEveryLineOfTheResource)
{
    ensureDictionaryResources();
    QFile resource(QStringLiteral(":/dictionary/vocabulary.txt"));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = resource.readAll().split('\n');
    const qsizetype nonEmpty =
        std::count_if(lines.cbegin(), lines.cend(), [](const QByteArray &line) { return !line.isEmpty(); });
    EXPECT_EQ(loadVocabulary().size(), nonEmpty);
}

// The opponent aims only for words the host will accept: all but a handful (the
// one-letter words, which it never aims for) are in the word list.
TEST(Vocabulary, NearlyAllWordsAreInTheWordList)
{
    QTemporaryDir dir;
    TDictn spell(dir.path());
    ASSERT_TRUE(spell.isOpen());
    QStringList missing;
    for (const QString &word : loadVocabulary()) {
        if (!spell.IsWord(word))
            missing.append(word);
    }
    EXPECT_LE(missing.size(), 11) << qPrintable(missing.join(u' '));
    for (const QString &word : missing)
        EXPECT_EQ(word.size(), 1) << qPrintable(word);
}
