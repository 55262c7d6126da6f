// The HTTP/1.0 file fetcher; see HttpClient.h.
#include "net/HttpClient.h"

#include <QIODevice>
#include <QTcpSocket>
#if QT_CONFIG(ssl)
#include <QSslSocket>
#endif

#include <utility>

namespace net {

namespace {

constexpr qint64 kReadPiece = 64 * 1024;

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307;
}

bool isHttps(const QUrl &url)
{
    return url.scheme() == QLatin1String("https");
}

int defaultPort(const QUrl &url)
{
    return isHttps(url) ? 443 : 80;
}

// Why `url` cannot be fetched, or an empty text when it can.
QString unusable(const QUrl &url)
{
    const bool web = url.scheme() == QLatin1String("http") || isHttps(url);
    if (!url.isValid() || !web || url.host().isEmpty())
        return QStringLiteral("Not a web address that can be downloaded: %1").arg(url.toDisplayString());
#if QT_CONFIG(ssl)
    if (isHttps(url) && !QSslSocket::supportsSsl())
        return QStringLiteral("Secure (https) downloads are not available on this computer.");
#else
    if (isHttps(url))
        return QStringLiteral("Secure (https) downloads are not available on this computer.");
#endif
    return {};
}

}  // namespace

HttpClient::HttpClient(QObject *parent)
    : QObject(parent)
{
    m_window.setInterval(kDefaultFloorWindow);
    connect(&m_window, &QTimer::timeout, this, &HttpClient::onWindowEnd);
}

HttpClient::~HttpClient()
{
    // Quietly: whoever listens may be going too.
    m_window.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void HttpClient::setProgressFloor(qint64 bytes, std::chrono::milliseconds window)
{
    m_floorBytes = bytes;
    m_window.setInterval(window);
}

QByteArray HttpClient::requestFor(const QUrl &url)
{
    QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty())
        path = "/";
    if (url.hasQuery())
        path += '?' + url.query(QUrl::FullyEncoded).toLatin1();

    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    const int port = url.port();
    if (port != -1 && port != defaultPort(url))
        host += ':' + QByteArray::number(port);

    return "GET " + path
        + " HTTP/1.0\r\n"
          "User-Agent: Mozilla/3.0 (compatible)\r\n"
          "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
          "Host: "
        + host
        + "\r\n"
          "\r\n";
}

bool HttpClient::get(const QUrl &url, QIODevice *sink)
{
    if (m_running)
        return false;
    m_running = true;
    m_sink = sink;
    m_url = url;
    m_redirects = 0;
    m_written = 0;
    const QString why = unusable(url);
    if (why.isEmpty()) {
        startRequest();
    } else {
        // Reported from the event loop, as every other ending is.
        const quint64 attempt = m_attempt;
        QMetaObject::invokeMethod(
            this,
            [this, attempt, why] {
                if (m_running && m_attempt == attempt)
                    fail(why);
            },
            Qt::QueuedConnection);
    }
    return true;
}

void HttpClient::abort()
{
    if (m_running)
        end(false, kAbortedText);
}

void HttpClient::startRequest()
{
    dropSocket();
    ++m_attempt;
    m_parser = HttpResponseParser();
    m_writingBody = false;

    const QString host = m_url.host();
    const auto port = quint16(m_url.port(defaultPort(m_url)));
#if QT_CONFIG(ssl)
    if (isHttps(m_url)) {
        auto *ssl = new QSslSocket;
        m_socket.reset(ssl);
        connect(ssl, &QSslSocket::encrypted, this, &HttpClient::onConnected);
    } else
#endif
    {
        m_socket = std::make_unique<QTcpSocket>();
        connect(m_socket.get(), &QAbstractSocket::connected, this, &HttpClient::onConnected);
    }
    m_socket->setReadBufferSize(kReadBufferSize);
    connect(m_socket.get(), &QIODevice::readyRead, this, &HttpClient::onReadyRead);
    connect(m_socket.get(), &QAbstractSocket::disconnected, this, &HttpClient::onClosed);
    connect(m_socket.get(), &QAbstractSocket::errorOccurred, this, &HttpClient::onSocketError);
    // Each request (a redirect's too) starts a fresh window.
    m_windowBytes = 0;
    m_window.start();
#if QT_CONFIG(ssl)
    if (auto *ssl = qobject_cast<QSslSocket *>(m_socket.get())) {
        ssl->connectToHostEncrypted(host, port);
        return;
    }
#endif
    m_socket->connectToHost(host, port);
}

void HttpClient::onConnected()
{
    m_socket->write(requestFor(m_url));
}

void HttpClient::onReadyRead()
{
    readAvailable();
}

bool HttpClient::readAvailable()
{
    const quint64 attempt = m_attempt;
    const auto stillOurs = [this, attempt] { return m_running && m_attempt == attempt; };
    while (stillOurs() && m_socket->bytesAvailable() > 0) {
        const QByteArray data = m_socket->read(kReadPiece);
        if (data.isEmpty())
            break;
        m_windowBytes += data.size();
        const HttpResponseParser::Piece piece = m_parser.feed(data);
        for (const QByteArray &line : piece.lines) {
            Q_EMIT headerLineReceived(line);
            if (!stillOurs())
                return false;
        }
        if (m_parser.failed()) {
            fail(m_parser.errorText());
            return false;
        }
        if (piece.headerEnded && !headerDone())
            return false;
        if (m_writingBody && !piece.body.isEmpty()) {
            if (!m_sink) {
                fail(QStringLiteral("The file was closed during the download."));
                return false;
            }
            if (m_written + piece.body.size() > m_bodyLimit) {
                fail(QStringLiteral("The file is larger than the %1 bytes allowed.").arg(m_bodyLimit));
                return false;
            }
            if (m_sink->write(piece.body.data(), piece.body.size()) != piece.body.size()) {
                fail(QStringLiteral("The file could not be written: %1").arg(m_sink->errorString()));
                return false;
            }
            m_written += piece.body.size();
            Q_EMIT bytesReceived(m_written);
            if (!stillOurs())
                return false;
        }
        if (m_writingBody && m_parser.state() == HttpResponseParser::State::Complete) {
            succeed();
            return false;
        }
    }
    return stillOurs();
}

bool HttpClient::headerDone()
{
    const int status = m_parser.statusCode();
    if (isRedirect(status)) {
        const std::optional<QByteArray> location = m_parser.header("Location");
        if (!location || location->isEmpty()) {
            fail(QStringLiteral("%1 (the server gave no new address)").arg(m_parser.statusText()));
            return false;
        }
        if (m_redirects >= kMaxRedirects) {
            fail(QStringLiteral("Too many redirects (more than %1).").arg(kMaxRedirects));
            return false;
        }
        // Relative addresses are resolved against the one that answered.
        const QUrl next = m_url.resolved(QUrl(QString::fromLatin1(*location), QUrl::TolerantMode));
        const QString why = unusable(next);
        if (!why.isEmpty()) {
            fail(why);
            return false;
        }
        ++m_redirects;
        m_url = next;
        startRequest();
        return false;
    }
    if (status != 200) {
        fail(m_parser.statusText());
        return false;
    }
    if (m_parser.contentLength().value_or(0) > m_bodyLimit) {
        fail(QStringLiteral("The file is larger than the %1 bytes allowed (the server announced %2).")
                 .arg(m_bodyLimit)
                 .arg(*m_parser.contentLength()));
        return false;
    }
    const quint64 attempt = m_attempt;
    m_writingBody = true;
    Q_EMIT bodyStarted();
    return m_running && m_attempt == attempt;
}

void HttpClient::onClosed()
{
    if (!m_running || !readAvailable())
        return;
    if (m_parser.finish() && m_writingBody)
        succeed();
    else
        fail(m_parser.errorText());
}

void HttpClient::onSocketError()
{
    if (!m_running)
        return;
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError) {
        onClosed();
        return;
    }
    fail(m_socket->errorString());
}

void HttpClient::onWindowEnd()
{
    if (!m_running)
        return;
    const qint64 received = std::exchange(m_windowBytes, 0);
    if (received >= m_floorBytes)
        return;
    const double seconds = double(m_window.interval()) / 1000.0;
    if (received == 0)
        fail(QStringLiteral("The server sent nothing for %1 seconds.").arg(seconds));
    else
        fail(QStringLiteral("The download is too slow: %1 bytes in %2 seconds.").arg(received).arg(seconds));
}

void HttpClient::succeed()
{
    end(true, m_parser.statusText());
}

void HttpClient::fail(const QString &text)
{
    end(false, text);
}

void HttpClient::end(bool ok, const QString &text)
{
    m_running = false;
    ++m_attempt;
    m_window.stop();
    dropSocket();
    m_sink = nullptr;
    Q_EMIT finished(ok, text);
}

void HttpClient::dropSocket()
{
    if (!m_socket)
        return;
    // This may run inside one of the socket's own signals: it goes once they return.
    QAbstractSocket *socket = m_socket.release();
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

}  // namespace net
