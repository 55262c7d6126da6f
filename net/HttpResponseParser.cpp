// The incremental HTTP response reader; see HttpResponseParser.h.
#include "net/HttpResponseParser.h"

#include <algorithm>

namespace net {

namespace {

// The longest reason phrase statusText() passes on; the rest of a long one is noise.
constexpr qsizetype kMaxReasonShown = 100;
// Eighteen digits always fit in a qint64.
constexpr qsizetype kMaxLengthDigits = 18;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A character allowed in a header name (an HTTP token).
bool isTokenChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7F)
        return false;
    static constexpr QByteArrayView kSeparators("()<>@,;:\\\"/[]?={}");
    return !kSeparators.contains(c);
}

std::optional<qint64> decimal(QByteArrayView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > kMaxLengthDigits)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

HttpResponseParser::Piece HttpResponseParser::feed(QByteArrayView data)
{
    Piece piece;
    qsizetype at = 0;
    while (at < data.size() && (m_state == State::StatusLine || m_state == State::Headers)) {
        const qsizetype newline = data.indexOf('\n', at);
        const qsizetype end = newline < 0 ? data.size() : newline;
        const qsizetype taken = (newline < 0 ? end : end + 1) - at;
        // One byte more than a line may hold, for the CR before its LF.
        if (m_line.size() + (end - at) > kMaxLineLength + 1) {
            fail(Error::LineTooLong);
            return piece;
        }
        if (m_headerBytes + taken > kMaxHeaderSize) {
            fail(Error::HeaderTooLarge);
            return piece;
        }
        m_headerBytes += taken;
        m_line.append(data.sliced(at, end - at));
        at += taken;
        if (newline < 0)
            break;
        QByteArray line = std::exchange(m_line, QByteArray());
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > kMaxLineLength) {
            fail(Error::LineTooLong);
            return piece;
        }
        if (!takeLine(line, piece))
            return piece;
    }

    if (m_state == State::Body && at < data.size()) {
        qsizetype length = data.size() - at;
        if (m_contentLength)
            length = qsizetype(std::min<qint64>(length, *m_contentLength - m_bodyBytes));
        piece.body = data.sliced(at, length);
        m_bodyBytes += length;
        if (m_contentLength && m_bodyBytes == *m_contentLength)
            m_state = State::Complete;
    }
    return piece;
}

bool HttpResponseParser::takeLine(const QByteArray &line, Piece &piece)
{
    if (m_state == State::StatusLine) {
        // Blank lines before the status line are tolerated, as old servers send them.
        if (line.isEmpty())
            return true;
        if (!takeStatusLine(line))
            return false;
        piece.lines.append(line);
        m_state = State::Headers;
        return true;
    }
    if (line.isEmpty()) {
        if (!endHeader())
            return false;
        piece.headerEnded = true;
        return true;
    }
    if (!takeHeaderLine(line))
        return false;
    piece.lines.append(line);
    return true;
}

bool HttpResponseParser::takeStatusLine(const QByteArray &line)
{
    // "HTTP/" version SP three digits, then SP and the reason phrase, or nothing.
    const QByteArrayView view(line);
    if (!view.startsWith("HTTP/")) {
        fail(Error::BadStatusLine);
        return false;
    }
    const qsizetype space = view.indexOf(' ');
    const QByteArrayView version = space < 0 ? QByteArrayView() : view.sliced(5, space - 5);
    const bool versionOk = !version.isEmpty() && version.size() <= 8 && isDigit(version.front())
        && std::all_of(version.begin(), version.end(), [](char c) { return isDigit(c) || c == '.'; });
    if (!versionOk || view.size() < space + 4) {
        fail(Error::BadStatusLine);
        return false;
    }
    const QByteArrayView code = view.sliced(space + 1, 3);
    const QByteArrayView rest = view.sliced(space + 4);
    if (!std::all_of(code.begin(), code.end(), isDigit) || code.front() < '1' || code.front() > '5'
        || (!rest.isEmpty() && rest.front() != ' ')) {
        fail(Error::BadStatusLine);
        return false;
    }
    m_statusCode = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    m_reason = rest.trimmed().toByteArray();
    return true;
}

bool HttpResponseParser::takeHeaderLine(const QByteArray &line)
{
    if (line.front() == ' ' || line.front() == '\t') {
        // A continuation of the previous header's value.
        if (m_headers.isEmpty()) {
            fail(Error::BadHeaderLine);
            return false;
        }
        QByteArray &value = m_headers.last().value;
        const QByteArray more = line.trimmed();
        if (!more.isEmpty())
            value += (value.isEmpty() ? QByteArray() : QByteArray(" ")) + more;
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) {
        fail(Error::BadHeaderLine);
        return false;
    }
    const QByteArrayView name = QByteArrayView(line).first(colon);
    if (!std::all_of(name.begin(), name.end(), isTokenChar)) {
        fail(Error::BadHeaderLine);
        return false;
    }
    m_headers.append({name.toByteArray(), line.mid(colon + 1).trimmed()});
    return true;
}

bool HttpResponseParser::endHeader()
{
    for (const Header &h : std::as_const(m_headers)) {
        if (h.name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0
            && h.value.compare("identity", Qt::CaseInsensitive) != 0) {
            fail(Error::UnsupportedTransferEncoding);
            return false;
        }
        if (h.name.compare("Content-Length", Qt::CaseInsensitive) != 0)
            continue;
        // Repeated lengths (in one header or several) must agree.
        for (const QByteArray &item : h.value.split(',')) {
            const std::optional<qint64> length = decimal(item);
            if (!length || (m_contentLength && *m_contentLength != *length)) {
                fail(Error::BadContentLength);
                return false;
            }
            m_contentLength = length;
        }
    }
    m_state = m_contentLength == 0 ? State::Complete : State::Body;
    return true;
}

bool HttpResponseParser::finish()
{
    switch (m_state) {
    case State::Failed: return false;
    case State::StatusLine:
    case State::Headers: fail(Error::EndedInHeader); return false;
    case State::Body:
        if (m_contentLength && m_bodyBytes < *m_contentLength) {
            fail(Error::EndedEarly);
            return false;
        }
        m_state = State::Complete;
        return true;
    case State::Complete: return true;
    }
    return false;
}

void HttpResponseParser::fail(Error error)
{
    m_state = State::Failed;
    m_error = error;
    m_line.clear();
}

std::optional<QByteArray> HttpResponseParser::header(QByteArrayView name) const
{
    for (const Header &h : m_headers) {
        if (QByteArrayView(h.name).compare(name, Qt::CaseInsensitive) == 0)
            return h.value;
    }
    return std::nullopt;
}

QString HttpResponseParser::statusText() const
{
    QString reason = QString::fromLatin1(m_reason.left(kMaxReasonShown));
    for (QChar &c : reason) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    reason = reason.simplified();
    const QString code = QString::number(m_statusCode);
    return reason.isEmpty() ? code : code + QLatin1Char(' ') + reason;
}

QString HttpResponseParser::errorText() const
{
    switch (m_error) {
    case Error::None: return {};
    case Error::LineTooLong:
        return QStringLiteral("The server sent a header line longer than %1 bytes.").arg(kMaxLineLength);
    case Error::HeaderTooLarge:
        return QStringLiteral("The server sent more than %1 bytes of headers.").arg(kMaxHeaderSize);
    case Error::BadStatusLine: return QStringLiteral("The server's answer is not an HTTP response.");
    case Error::BadHeaderLine: return QStringLiteral("The server sent a malformed header line.");
    case Error::BadContentLength: return QStringLiteral("The server sent an invalid Content-Length.");
    case Error::UnsupportedTransferEncoding:
        return QStringLiteral("The server sent the file in an unsupported transfer encoding.");
    case Error::EndedInHeader: return QStringLiteral("The connection closed before the server's answer was complete.");
    case Error::EndedEarly:
        return QStringLiteral("The connection closed after %1 of %2 bytes.")
            .arg(m_bodyBytes)
            .arg(m_contentLength.value_or(0));
    }
    return {};
}

}  // namespace net
