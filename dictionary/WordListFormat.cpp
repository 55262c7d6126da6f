// Checking that a file really is a word list before the dictionary adopts it.
#include "dictionary/WordListFormat.h"

#include <QBuffer>
#include <QIODevice>

#include <cstring>

// Walks the records of a list in chunks, remembering the previous record for the
// order check across chunk boundaries.
class WordListFormat::Checker {
public:
    bool feed(const char *data, qsizetype size)
    {
        for (qsizetype at = 0; at + RecordSize <= size; at += RecordSize) {
            if (!recordIsWellFormed(data + at))
                return fail(QStringLiteral("record %1 is malformed").arg(m_count));
            if (m_count > 0 && std::memcmp(m_previous, data + at, RecordSize) > 0)
                return fail(QStringLiteral("record %1 is out of order").arg(m_count));
            std::memcpy(m_previous, data + at, RecordSize);
            ++m_count;
        }
        return true;
    }
    qint64 count() const { return m_count; }
    QString reason() const { return m_reason; }

private:
    static bool recordIsWellFormed(const char *record)
    {
        if (record[0] != RecordMark)
            return false;
        int at = 1;
        while (at <= WordWidth && record[at] >= 'A' && record[at] <= 'Z')
            ++at;
        if (at == 1)
            return false;  // no letters at all
        while (at <= WordWidth && record[at] == ' ')
            ++at;
        return at == RecordSize;  // letters, then only padding
    }
    bool fail(const QString &reason)
    {
        m_reason = reason;
        return false;
    }

    char m_previous[RecordSize] = {};
    qint64 m_count = 0;
    QString m_reason;
};

bool WordListFormat::check(QIODevice &device, QString *reason)
{
    auto failWith = [reason](const QString &text) {
        if (reason)
            *reason = text;
        return false;
    };
    const qint64 size = device.size() - device.pos();
    if (size <= 0)
        return failWith(QStringLiteral("the file is empty"));
    if (size % RecordSize != 0)
        return failWith(QStringLiteral("its size is not a whole number of records"));

    // Every byte is looked at: the list is a few megabytes, read once at start-up, and
    // a full check is what makes it safe to delete the file again at exit.
    constexpr qint64 chunkSize = 4096 * RecordSize;
    Checker checker;
    QByteArray pending;
    for (qint64 remaining = size; remaining > 0;) {
        const QByteArray got = device.read(qMin(remaining, chunkSize));
        if (got.isEmpty())
            return failWith(QStringLiteral("it could not be read completely"));
        remaining -= got.size();
        pending += got;
        const qsizetype whole = pending.size() - pending.size() % RecordSize;
        if (!checker.feed(pending.constData(), whole))
            return failWith(checker.reason());
        pending.remove(0, whole);
    }
    return true;
}

bool WordListFormat::check(const QByteArray &list, QString *reason)
{
    QByteArray copy = list;  // QBuffer wants a mutable array; the copy shares the data
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return check(buffer, reason);
}
