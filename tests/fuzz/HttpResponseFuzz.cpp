// Fuzz harness of the HTTP response reader behind the lobby download: a server's answer
// arriving in pieces. Whatever the bytes, the reader stays within its bounds, reads the
// same answer however the stream is cut, and hands back as body exactly the bytes after
// the header section (up to the announced length).
//
// Input: byte 0 says how many chunk-size bytes follow (0..7; 0 feeds the stream in one
// piece); the sizes are used in turn, a byte below 0xC0 meaning 1..192 bytes and a larger
// one 1 KiB steps up to 64 KiB. Everything after them is the received stream.
#include "ChunkedInput.h"
#include "FuzzCheck.h"

#include "net/HttpResponseParser.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

using net::HttpResponseParser;
using Error = HttpResponseParser::Error;

struct Reading {
    QList<QByteArray> lines;
    int headerEnds = 0;
    QByteArray body;
};

// Feeds `stream` cut as the sizes say, checking what every piece gives back.
Reading read(HttpResponseParser &parser, const QList<QByteArray> &pieces)
{
    Reading reading;
    for (const QByteArray &piece : pieces) {
        const bool bodyBefore = reading.headerEnds > 0;
        const HttpResponseParser::Piece found = parser.feed(piece);

        FUZZ_CHECK(parser.headerBytes() <= HttpResponseParser::kMaxHeaderSize);
        for (const QByteArray &line : found.lines) {
            FUZZ_CHECK(line.size() <= HttpResponseParser::kMaxLineLength);
            FUZZ_CHECK(!line.contains('\n'));
            FUZZ_CHECK(!line.isEmpty());
        }
        // No header line after the header's end, no body before it.
        FUZZ_CHECK(!bodyBefore || found.lines.isEmpty());
        FUZZ_CHECK(!found.headerEnded || !bodyBefore);
        FUZZ_CHECK(found.body.isEmpty() || bodyBefore || found.headerEnded);
        // The body is a part of this very piece.
        if (!found.body.isEmpty()) {
            FUZZ_CHECK(found.body.data() >= piece.constData());
            FUZZ_CHECK(found.body.data() + found.body.size() <= piece.constData() + piece.size());
        }
        reading.lines += found.lines;
        reading.headerEnds += found.headerEnded ? 1 : 0;
        reading.body += found.body.toByteArray();
        if (parser.failed())
            FUZZ_CHECK(found.body.isEmpty() && !found.headerEnded);
    }
    return reading;
}

void checkStatusText(const HttpResponseParser &parser)
{
    const QString text = parser.statusText();
    FUZZ_CHECK(text.startsWith(QString::number(parser.statusCode())));
    FUZZ_CHECK(text.size() <= 3 + 1 + 100);
    for (const QChar c : text)
        FUZZ_CHECK(c.category() != QChar::Other_Control);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<ChunkedInput> input = ChunkedInput::read(data, size, 1024);
    if (!input)
        return 0;

    HttpResponseParser cut;
    const Reading pieces = read(cut, input->pieces());
    HttpResponseParser whole;
    const Reading once = read(whole, input->pieces(true));

    // The same answer however the stream was cut. Only which bound a too-large header
    // breaks first may depend on the cuts.
    FUZZ_CHECK(cut.failed() == whole.failed());
    if (cut.error() != whole.error()) {
        const auto bound = [](Error e) { return e == Error::LineTooLong || e == Error::HeaderTooLarge; };
        FUZZ_CHECK(bound(cut.error()) && bound(whole.error()));
    } else {
        FUZZ_CHECK(pieces.lines == once.lines);
    }
    FUZZ_CHECK(pieces.headerEnds == once.headerEnds && once.headerEnds <= 1);
    FUZZ_CHECK(pieces.body == once.body);
    FUZZ_CHECK(cut.state() == whole.state());
    FUZZ_CHECK(cut.errorText().isEmpty() == !cut.failed());

    // The body is what follows the header section, up to the announced length.
    FUZZ_CHECK(once.body.size() == whole.bodyBytes());
    if (whole.headerComplete()) {
        FUZZ_CHECK(once.headerEnds == 1);
        FUZZ_CHECK(once.body == input->stream().mid(whole.headerBytes(), once.body.size()));
        const qsizetype rest = input->stream().size() - whole.headerBytes();
        if (whole.contentLength())
            FUZZ_CHECK(once.body.size() == std::min<qint64>(rest, *whole.contentLength()));
        else
            FUZZ_CHECK(once.body.size() == rest);
        FUZZ_CHECK(whole.statusCode() >= 100 && whole.statusCode() <= 599);
        FUZZ_CHECK(whole.statusCode() == cut.statusCode());
        FUZZ_CHECK(whole.headers().size() == cut.headers().size());
        checkStatusText(whole);
    } else {
        FUZZ_CHECK(once.body.isEmpty());
    }

    // The end of the stream: whole exactly when the header ended and no announced byte
    // is missing; a second finish says the same.
    const bool complete = whole.finish();
    FUZZ_CHECK(complete
               == (once.headerEnds == 1 && (!whole.contentLength() || whole.bodyBytes() == *whole.contentLength())));
    FUZZ_CHECK(complete != whole.failed());
    FUZZ_CHECK(whole.errorText().isEmpty() == complete);
    FUZZ_CHECK(whole.finish() == complete);
    FUZZ_CHECK(cut.finish() == complete);
    return 0;
}
