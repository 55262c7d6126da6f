// Fuzz harness of the receiving side of the protocol: the framer cutting a byte stream
// that arrives in pieces, then every message it produces through splitMessage and a
// FieldReader, the way the host and the clients read their requests.
//
// Input: byte 0 says how many chunk-size bytes follow (0..7; 0 feeds the stream in one
// piece); the sizes are used in turn, a byte below 0xC0 meaning 1..192 bytes and a larger
// one 4 KiB steps up to 256 KiB. Everything after them is the received stream.
#include "ChunkedInput.h"
#include "FuzzCheck.h"

#include "net/Message.h"
#include "net/MessageFramer.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

constexpr qsizetype kMax = net::MessageFramer::kMaxMessageSize;

// What toInt must accept: an optional "-", one to ten digits, a 32-bit value.
std::optional<int> expectedInt(const QString &field)
{
    const qsizetype start = field.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype digits = field.size() - start;
    if (digits < 1 || digits > 10)
        return std::nullopt;
    for (qsizetype i = start; i < field.size(); ++i) {
        const char16_t c = field.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = field.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return int(value);
}

// Takes the fields of a message's rest as the handlers do, numbers and texts in turn,
// checking that nothing is lost or invented on the way; then reads it again as a list.
void readFields(const QString &rest)
{
    net::FieldReader reader(rest);
    for (int step = 0; step < 64; ++step) {
        const QString before = reader.rest();
        const qsizetype plus = before.indexOf(QLatin1Char('+'));
        QString field;
        if (step % 2 == 0) {
            field = net::FieldReader(before).takeField();
            const std::optional<int> expected = expectedInt(field);
            try {
                const int value = reader.takeInt();
                FUZZ_CHECK(expected && *expected == value);
            } catch (const net::ConversionError &) {
                FUZZ_CHECK(!expected);
            }
        } else {
            field = reader.takeField();
        }
        if (plus < 0) {
            // No separator left: an empty field, and the rest stays as it was.
            FUZZ_CHECK(field.isEmpty());
            FUZZ_CHECK(reader.rest() == before);
            break;
        }
        FUZZ_CHECK(field == before.left(plus));
        FUZZ_CHECK(reader.rest() == before.mid(plus + 1));
    }

    net::FieldReader list(rest);
    list.beginList();
    const qsizetype separators = rest.count(QLatin1Char('+')) + 1;
    for (qsizetype i = 0; i < separators; ++i) {
        FUZZ_CHECK(!list.listEnded());
        list.takeField();
    }
    FUZZ_CHECK(list.listEnded());
}

void readMessage(const QByteArray &message)
{
    FUZZ_CHECK(message.size() <= kMax);
    FUZZ_CHECK(!message.contains(net::kTerminator));
    const QString text = net::decodeText(message);
    const std::optional<net::Message> parsed = net::splitMessage(message);
    const qsizetype plus = text.indexOf(QLatin1Char('+'));
    if (!parsed) {
        FUZZ_CHECK(plus <= 0);
        return;
    }
    FUZZ_CHECK(plus > 0);
    FUZZ_CHECK(!parsed->command.isEmpty() && !parsed->command.contains(QLatin1Char('+')));
    FUZZ_CHECK(parsed->command + QLatin1Char('+') + parsed->rest == text);
    // Long messages are read only in part: the checks are quadratic in the field count.
    readFields(parsed->rest.left(1024));
}

// The messages any correct framer may produce: the terminated pieces of the stream that
// are not too long, in order. A framer that skips an over-long message gives all of them,
// one that gives up at the first gives the ones before it; either way a prefix.
QList<QByteArray> acceptableMessages(const QByteArray &stream)
{
    QList<QByteArray> pieces = stream.split(net::kTerminator);
    pieces.removeLast();  // the unterminated tail
    QList<QByteArray> messages;
    for (const QByteArray &piece : pieces) {
        if (piece.size() <= kMax)
            messages.append(piece);
    }
    return messages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<ChunkedInput> input = ChunkedInput::read(data, size, 4096);
    if (!input)
        return 0;

    net::MessageFramer framer;
    QList<QByteArray> produced;
    for (const QByteArray &piece : input->pieces()) {
        const qsizetype before = produced.size();
        const bool open = framer.append(piece, produced);
        FUZZ_CHECK(framer.pendingSize() >= 0 && framer.pendingSize() <= kMax);
        for (qsizetype i = before; i < produced.size(); ++i)
            readMessage(produced.at(i));
        if (!open)
            break;  // the owner closes the connection here
    }

    const QList<QByteArray> acceptable = acceptableMessages(input->stream());
    FUZZ_CHECK(produced.size() <= acceptable.size());
    for (qsizetype i = 0; i < produced.size(); ++i)
        FUZZ_CHECK(produced.at(i) == acceptable.at(i));
    return 0;
}
