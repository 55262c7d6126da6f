// Loading the computer opponent's vocabulary from the resource
// ":/dictionary/vocabulary.txt" (resources/wordlist.qrc, one word per line).
#include "dictionary/Vocabulary.h"

#include "dictionary/DictionaryLog.h"
#include "dictionary/DictionaryResources.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr qsizetype kLongestWord = 7;

bool isVocabularyWord(const QString &word)
{
    if (word.isEmpty() || word.size() > kLongestWord)
        return false;
    return std::all_of(word.cbegin(), word.cend(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

}  // namespace

QStringList loadVocabulary()
{
    ensureDictionaryResources();
    QFile resource(QStringLiteral(":/dictionary/vocabulary.txt"));
    if (!resource.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCWarning(lcDictionary) << "the vocabulary resource is missing";
        return {};
    }
    QStringList words;
    while (!resource.atEnd()) {
        const QString word = QString::fromLatin1(resource.readLine()).trimmed().toLower();
        if (isVocabularyWord(word))
            words.append(word);
        else if (!word.isEmpty())
            qCWarning(lcDictionary) << "vocabulary line skipped:" << word;
    }
    words.sort();
    words.removeDuplicates();
    return words;
}
