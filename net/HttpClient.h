// A small HTTP/1.0 client for fetching one file: a GET over QTcpSocket (QSslSocket for
// https addresses), the response read by HttpResponseParser, the body written to a
// device as it arrives, redirects followed, progress reported, abort at any time.
//
// One request at a time; every get() ends in exactly one finished() (abort included).
// Only a final "200" counts as success: any other status, a redirect too many, a
// malformed answer, a network error, a body over the limit or a fetch slower than the
// progress floor fails it with a text for the user. Redirect and error bodies are read
// past, never written.
//
// Bounded in size and in time, whatever the server does: a body longer than bodyLimit()
// fails (at once when its Content-Length says so; a body is never read past its
// Content-Length), and every window of the progress floor must bring at least its
// bytes, so that neither a silent server nor one that trickles a byte now and then keeps
// a fetch running.
#pragma once

#include "net/HttpResponseParser.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

class QAbstractSocket;
class QIODevice;

namespace net {

class HttpClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRedirects = 5;
    static constexpr qint64 kDefaultBodyLimit = 256 * 1024 * 1024;
    // At least this many bytes (header and body) in every window of this length: about
    // 550 bytes a second, far below any line a download is worth making over.
    static constexpr qint64 kDefaultFloorBytes = 16 * 1024;
    static constexpr std::chrono::milliseconds kDefaultFloorWindow{30000};
    // Received bytes the socket may hold before we read them.
    static constexpr qint64 kReadBufferSize = 256 * 1024;
    // The text finished() carries after abort().
    static inline const QString kAbortedText = QStringLiteral("Download Aborted");

    explicit HttpClient(QObject *parent = nullptr);
    ~HttpClient() override;

    // The most body bytes a fetch may bring.
    void setBodyLimit(qint64 bytes) { m_bodyLimit = bytes; }
    qint64 bodyLimit() const { return m_bodyLimit; }
    // A fetch fails when a `window` passes (connecting included) with fewer than
    // `bytes` received.
    void setProgressFloor(qint64 bytes, std::chrono::milliseconds window);

    // Fetches `url` (http or https), writing the body of the final response into `sink`,
    // which must be open for writing and outlive the fetch. An address that cannot be
    // fetched fails at once, reported by finished() from the event loop. A get() while
    // another runs is refused (returns false, no signal).
    bool get(const QUrl &url, QIODevice *sink);
    // Ends the running fetch: finished(false, kAbortedText) comes before this returns.
    void abort();
    bool isRunning() const { return m_running; }

    // The address of the request in flight (after redirects), and the redirects so far.
    const QUrl &currentUrl() const { return m_url; }
    int redirectCount() const { return m_redirects; }
    qint64 bodyBytesWritten() const { return m_written; }
    // The body's size as the final response's header gives it (Content-Length), once the
    // body has started; empty when the header does not say.
    std::optional<qint64> expectedBodySize() const { return m_parser.contentLength(); }

    // The exact bytes sent for `url`: the request line, User-Agent, Accept, Host and the
    // blank line.
    static QByteArray requestFor(const QUrl &url);

Q_SIGNALS:
    // One line of a response's header section (the status line included).
    void headerLineReceived(const QByteArray &line);
    // The final response's body begins (its status was 200).
    void bodyStarted();
    // More body was written; `total` is the count so far.
    void bytesReceived(qint64 total);
    // The fetch is over. `statusText` is the final status ("200 OK") on success, else
    // what went wrong.
    void finished(bool ok, const QString &statusText);

private:
    void startRequest();
    void onConnected();
    void onReadyRead();
    void onClosed();
    void onSocketError();
    // A window of the progress floor is over.
    void onWindowEnd();
    // Reads what the socket holds; false when the fetch ended on the way.
    bool readAvailable();
    // A response's header section is complete: follow, fail or start the body.
    bool headerDone();
    void succeed();
    void fail(const QString &text);
    void end(bool ok, const QString &text);
    void dropSocket();

    QPointer<QIODevice> m_sink;
    QUrl m_url;
    std::unique_ptr<QAbstractSocket> m_socket;
    HttpResponseParser m_parser;
    QTimer m_window;
    qint64 m_floorBytes = kDefaultFloorBytes;
    qint64 m_windowBytes = 0;
    qint64 m_bodyLimit = kDefaultBodyLimit;
    bool m_running = false;
    bool m_writingBody = false;
    int m_redirects = 0;
    qint64 m_written = 0;
    // Counts requests and endings, so that a handler can tell whether the request it
    // serves is still the current one after a signal it emitted.
    quint64 m_attempt = 0;
};

}  // namespace net
