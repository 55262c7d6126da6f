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
    if (!resource.open(QIODevice::ReadOnly)) {
        qCWarning(lcDictionary) << "the vocabulary resource is missing";
        return {};
    }
    // Read whole and split here: a few thousand short lines, read at every start.
    const QByteArray text = resource.readAll();
    QStringList words;
    words.reserve(text.count('\n') + 1);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QString word = QString::fromLatin1(QByteArrayView(text).sliced(start, end - start).trimmed()).toLower();
        if (isVocabularyWord(word))
            words.append(word);
        else if (!word.isEmpty())
            qCWarning(lcDictionary) << "vocabulary line skipped:" << word;
        start = end + 1;
    }
    // The resource is kept sorted; sorting is needed only when it was not.
    if (!std::is_sorted(words.cbegin(), words.cend()))
        words.sort();
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}
