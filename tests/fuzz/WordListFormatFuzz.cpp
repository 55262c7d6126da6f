// Fuzz harness of the word-list check: the input is the list. Both overloads must give
// the same answer and reason: on the bytes, on a buffer, on a buffer read from past a
// prefix, and on a device that hands out 1 to 41 bytes per read (by the input's length),
// so that records split across reads are met with small inputs too. The answer must also
// be that of a plain record-by-record reading of the format.
#include "FuzzCheck.h"

#include "dictionary/WordListFormat.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// A buffer whose reads return at most `step` bytes, as a pipe or a slow file may.
class TrickleBuffer : public QBuffer {
public:
    TrickleBuffer(QByteArray *bytes, qint64 step)
        : QBuffer(bytes)
        , m_step(step)
    {
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override { return QBuffer::readData(data, qMin(maxSize, m_step)); }

private:
    qint64 m_step;
};

bool isWellFormed(const char *record)
{
    if (record[0] != WordListFormat::RecordMark)
        return false;
    int letters = 0;
    while (letters < WordListFormat::WordWidth && record[1 + letters] >= 'A' && record[1 + letters] <= 'Z')
        ++letters;
    if (letters == 0)
        return false;
    for (int at = 1 + letters; at < WordListFormat::RecordSize; ++at) {
        if (record[at] != ' ')
            return false;
    }
    return true;
}

bool expectedAnswer(const QByteArray &list)
{
    constexpr qsizetype size = WordListFormat::RecordSize;
    if (list.isEmpty() || list.size() % size != 0)
        return false;
    for (qsizetype at = 0; at < list.size(); at += size) {
        if (!isWellFormed(list.constData() + at))
            return false;
        // Ascending by bytes, as unsigned; equal neighbours are allowed.
        if (at > 0 && std::memcmp(list.constData() + at - size, list.constData() + at, size_t(size)) > 0)
            return false;
    }
    return true;
}

const QString kUntouched = QStringLiteral("(untouched)");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray list(reinterpret_cast<const char *>(data), qsizetype(size));

    QString bytesReason = kUntouched;
    const bool fromBytes = WordListFormat::check(list, &bytesReason);
    FUZZ_CHECK(WordListFormat::check(list) == fromBytes);
    FUZZ_CHECK(fromBytes == expectedAnswer(list));
    FUZZ_CHECK(fromBytes ? bytesReason == kUntouched : !bytesReason.isEmpty() && bytesReason != kUntouched);

    QBuffer buffer(&list);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    QString bufferReason = kUntouched;
    FUZZ_CHECK(WordListFormat::check(buffer, &bufferReason) == fromBytes);
    FUZZ_CHECK(bufferReason == bytesReason);

    QByteArray prefixed = QByteArray("\x1E"
                                     "PREFIX        ",
                                     WordListFormat::RecordSize - 3)
        + list;
    QBuffer afterPrefix(&prefixed);
    FUZZ_CHECK(afterPrefix.open(QIODevice::ReadOnly));
    FUZZ_CHECK(afterPrefix.seek(WordListFormat::RecordSize - 3));
    QString prefixReason = kUntouched;
    FUZZ_CHECK(WordListFormat::check(afterPrefix, &prefixReason) == fromBytes);
    FUZZ_CHECK(prefixReason == bytesReason);

    const qint64 step = qint64(size % 41) + 1;
    TrickleBuffer trickle(&list, step);
    FUZZ_CHECK(trickle.open(QIODevice::ReadOnly));
    QString trickleReason = kUntouched;
    FUZZ_CHECK(WordListFormat::check(trickle, &trickleReason) == fromBytes);
    FUZZ_CHECK(trickleReason == bytesReason);
    return 0;
}
