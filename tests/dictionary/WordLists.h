// Test helpers: building small word lists in the 15-byte record format, and catching
// what the dictionary logs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace wordlists {

// One record: 0x1E, then `word` as given, padded with spaces to 14 bytes.
QByteArray record(const QByteArray &word);
// Records of `words` upper-cased and cut to 14 letters, sorted by bytes.
QByteArray sortedList(const QStringList &words);
// Writes `bytes` to `path`; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);
// The whole content of `path`, or a null array when it cannot be read.
QByteArray readFile(const QString &path);

}  // namespace wordlists

// Collects the messages of the "quarn.dictionary" category while it lives.
class DictionaryMessages {
public:
    DictionaryMessages();
    ~DictionaryMessages();
    DictionaryMessages(const DictionaryMessages &) = delete;
    DictionaryMessages &operator=(const DictionaryMessages &) = delete;

    int warnings() const;
    QString text() const;
};
