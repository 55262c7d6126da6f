// A small HTTP/1.0 client for fetching one file: a GET over QTcpSocket (QSslSocket for
// https addresses), the response read by HttpResponseParser, the body written to a
// device as it arrives, redirects followed, progress reported, abort at any time.
//
// One request at a time; every get() ends in exactly one finished() (abort included).
// Only a final "200" counts as success: any other status, a redirect too many, a
// malformed answer, a network error or a stall of idleTimeout() fails the fetch with a
// text for the user. Redirect and error bodies are read past, never written.
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
    static constexpr std::chrono::milliseconds kDefaultIdleTimeout{60000};
    // Received bytes the socket may hold before we read them.
    static constexpr qint64 kReadBufferSize = 256 * 1024;
    // The text finished() carries after abort().
    static inline const QString kAbortedText = QStringLiteral("Download Aborted");

    explicit HttpClient(QObject *parent = nullptr);
    ~HttpClient() override;

    // How long the connection may stay silent (connecting, or between two reads) before
    // the fetch fails.
    void setIdleTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds idleTimeout() const;

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
    void onIdle();
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
    QTimer m_idle;
    bool m_running = false;
    bool m_writingBody = false;
    int m_redirects = 0;
    qint64 m_written = 0;
    // Counts requests and endings, so that a handler can tell whether the request it
    // serves is still the current one after a signal it emitted.
    quint64 m_attempt = 0;
};

}  // namespace net
