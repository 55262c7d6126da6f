// The word list and its on-disk lookup.
// The embedded list (resource "TEXT_DEMO") is written to the file "English" in the
// working folder at construction and searched there record by record; it is never
// held in memory. The file is deleted again when the instance is destroyed.
#pragma once

#include <QFile>
#include <QString>

class TDictn {
public:
    // Runs Open(). `folder` is where "English" lives (the working folder in the program).
    explicit TDictn(const QString &folder = QString());
    ~TDictn();
    TDictn(const TDictn &) = delete;
    TDictn &operator=(const TDictn &) = delete;

    // Extracts (when needed) and opens the list; false and errorText() set on failure.
    bool Open();
    // Closes the file and deletes it when this instance wrote or verified it.
    void Close();
    // True when `text`, trimmed of spaces and upper-cased, equals some record.
    bool IsWord(const QString &text);

    bool isOpen() const;
    // "English.dic dictionary not found!" after a failed Open, else empty.
    QString errorText() const;
    // Path of the list file in use.
    QString filePath() const;
    // Records read by the last IsWord (for measurements).
    int recordsReadByLastLookup() const;
    // Number of records in the list.
    qint64 recordCount() const;

    // The embedded list's bytes (the TEXT_DEMO resource).
    static QByteArray embeddedList();

private:
    // Implementation detail, owned by the dictionary's developer.
    struct State;
    State *d;
};
