// An incremental reader of one HTTP/1.x response as it arrives from the network: the
// status line, the header lines, then the body. Pure (no sockets, no Qt objects), so
// that any byte stream can be fed to it, and fuzzed.
//
// Bounded: a line of the header section may hold at most kMaxLineLength bytes and the
// whole header section kMaxHeaderSize, so a hostile server cannot make it grow; the body
// is never kept, each piece is handed back as a view into the bytes just fed.
//
// The body ends where the connection ends (HTTP/1.0), or after Content-Length bytes when
// the server sent one; bytes past that length are ignored. Line ends may be CR LF or a
// bare LF. A header line that starts with a space or a tab continues the one before.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace net {

class HttpResponseParser {
public:
    static constexpr qsizetype kMaxLineLength = 8 * 1024;
    static constexpr qsizetype kMaxHeaderSize = 64 * 1024;

    enum class State {
        StatusLine,  // waiting for the status line
        Headers,  // reading header lines up to the blank line
        Body,  // every further byte is body
        Complete,  // the body reached its Content-Length
        Failed,  // see error(); nothing more is read
    };

    enum class Error {
        None,
        LineTooLong,
        HeaderTooLarge,
        BadStatusLine,
        BadHeaderLine,
        BadContentLength,
        UnsupportedTransferEncoding,
        EndedInHeader,  // the stream ended before the blank line
        EndedEarly,  // the stream ended before Content-Length bytes of body
    };

    struct Header {
        QByteArray name;
        QByteArray value;
    };

    // What one call of feed() found, in stream order.
    struct Piece {
        // The lines of the header section completed by this piece, the status line
        // included, without their line ends.
        QList<QByteArray> lines;
        // True when the blank line that ends the header section was in this piece.
        bool headerEnded = false;
        // The body bytes of this piece: a view into the data given to feed().
        QByteArrayView body;
    };

    // Reads the next bytes of the stream. After a failure it reads nothing more.
    Piece feed(QByteArrayView data);
    // The stream has ended. Returns true when the response is whole: the header section
    // was complete and the body, when its length was announced, had all its bytes.
    bool finish();

    State state() const { return m_state; }
    Error error() const { return m_error; }
    // A sentence for the user that says what went wrong; empty when nothing did.
    QString errorText() const;
    bool failed() const { return m_state == State::Failed; }
    bool headerComplete() const { return m_state == State::Body || m_state == State::Complete; }

    // Valid once the status line has been read.
    int statusCode() const { return m_statusCode; }
    const QByteArray &reasonPhrase() const { return m_reason; }
    // "404 Not Found", or the bare code when the server gave no reason.
    QString statusText() const;

    const QList<Header> &headers() const { return m_headers; }
    // The first header of that name (compared without regard to case), trimmed.
    std::optional<QByteArray> header(QByteArrayView name) const;
    // The announced length of the body, when there was one.
    std::optional<qint64> contentLength() const { return m_contentLength; }
    qint64 bodyBytes() const { return m_bodyBytes; }
    // Bytes of the header section read so far, line ends included.
    qsizetype headerBytes() const { return m_headerBytes; }

private:
    // Takes one whole line of the header section; false when it failed.
    bool takeLine(const QByteArray &line, Piece &piece);
    bool takeStatusLine(const QByteArray &line);
    bool takeHeaderLine(const QByteArray &line);
    bool endHeader();
    void fail(Error error);

    State m_state = State::StatusLine;
    Error m_error = Error::None;
    QByteArray m_line;  // the unfinished line of the header section
    qsizetype m_headerBytes = 0;
    int m_statusCode = 0;
    QByteArray m_reason;
    QList<Header> m_headers;
    std::optional<qint64> m_contentLength;
    qint64 m_bodyBytes = 0;
};

}  // namespace net
