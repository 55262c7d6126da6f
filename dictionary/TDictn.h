// The word list and its on-disk lookup.
// The embedded list (resource "TEXT_DEMO") is written to the file "English" in the
// working folder at construction and searched there record by record; it is never
// held in memory. The file is deleted again when the instance is destroyed.
// An "English" found there is used only when it is a well-formed sorted word list that
// this user (or the administrator) made in a folder nobody else can write; any other
// file of that name is left alone, and in a folder that others can write no "English"
// is read or written at all: a copy in this user's private folder (PrivateFolder) is
// used (and deleted) instead. Lookups that fail to read answer false with a warning in
// the "quarn.dictionary" logging category.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>

class TDictn {
public:
    // Runs Open(). `folder` is where "English" lives (the working folder in the program).
    explicit TDictn(const QString &folder = QString());
    // As above, but extracts `list` instead of the embedded list (tests, tools). An
    // empty `list` behaves like a missing resource.
    TDictn(const QString &folder, const QByteArray &list);
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
    // Resource path of the embedded list.
    static QString embeddedListPath();

private:
    struct State;
    std::unique_ptr<State> d;

    enum class Adoption { Adopted, Missing, Unusable, Raced, Failed };
    Adoption adoptExisting(const QString &path);
    Adoption extractInto(const QString &path);
    Adoption extractToTemporary();
    void adopt(std::unique_ptr<QFile> file, const QString &path);
    QByteArray listToExtract() const;
    // The embedded list's bytes where they lie in the program, when it is stored
    // uncompressed; empty otherwise.
    static QByteArrayView embeddedBytesInPlace();
    // Gives back the memory the embedded list took while it was written out.
    static void releaseEmbeddedPages();
    bool readRecord(qint64 index, char *record);
    bool recordEquals(qint64 index, const char *key);
};
