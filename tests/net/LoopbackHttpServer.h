// A tiny HTTP server for tests, on 127.0.0.1 and a port the system picks. Each path has
// a scripted reply: bytes sent once the request (up to its blank line) has arrived, then
// the connection is closed, held open without a further byte (a stalled server) until
// the test resumes it, or held open with one more byte every few milliseconds (a
// trickling server). Unknown paths get a 404. Every request is kept byte for byte.
//
// Header-only and without signals, so that the tests of every folder can use it as it is.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

class LoopbackHttpServer {
public:
    enum class Then { Close, Stall, Trickle };
    static constexpr int kTrickleIntervalMs = 5;
    struct Reply {
        QByteArray bytes;
        Then then = Then::Close;
    };

    LoopbackHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
        m_trickle.setInterval(kTrickleIntervalMs);
        QObject::connect(&m_trickle, &QTimer::timeout, &m_server, [this] {
            for (const QPointer<QTcpSocket> &socket : m_trickling) {
                if (socket && socket->state() == QAbstractSocket::ConnectedState)
                    socket->write("x");
            }
        });
    }
    LoopbackHttpServer(const LoopbackHttpServer &) = delete;
    LoopbackHttpServer &operator=(const LoopbackHttpServer &) = delete;

    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const QString &path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path)); }

    void route(const QByteArray &path, Reply reply) { m_routes.insert(path, std::move(reply)); }

    // A whole response: status line, the headers given, Content-Length when asked for,
    // the blank line and the body.
    static QByteArray response(const QByteArray &statusLine, const QByteArray &body,
                               const QList<QByteArray> &headers = {}, bool withLength = true)
    {
        QByteArray bytes = statusLine + "\r\n";
        for (const QByteArray &header : headers)
            bytes += header + "\r\n";
        if (withLength)
            bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        return bytes + "\r\n" + body;
    }
    static Reply redirect(int status, const QByteArray &location)
    {
        return {response("HTTP/1.0 " + QByteArray::number(status) + " Moved", "moved", {"Location: " + location}),
                Then::Close};
    }

    // Every request received, in order of arrival.
    const QList<QByteArray> &requests() const { return m_requests; }
    // The paths asked for, in order.
    QList<QByteArray> paths() const
    {
        QList<QByteArray> paths;
        for (const QByteArray &request : m_requests)
            paths.append(request.split(' ').value(1));
        return paths;
    }

    // Accepted connections that neither side has closed yet.
    int openConnections() const
    {
        int open = 0;
        for (const QPointer<QTcpSocket> &socket : m_sockets) {
            if (socket && socket->state() == QAbstractSocket::ConnectedState)
                ++open;
        }
        return open;
    }
    // Sends `bytes` on every stalled connection; they are closed afterwards unless
    // `then` is Stall.
    void resume(const QByteArray &bytes, Then then = Then::Close)
    {
        const QList<QPointer<QTcpSocket>> stalled = m_stalled;
        if (then == Then::Close)
            m_stalled.clear();
        for (const QPointer<QTcpSocket> &socket : stalled) {
            if (!socket)
                continue;
            socket->write(bytes);
            if (then == Then::Close)
                socket->disconnectFromHost();
        }
    }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            m_sockets.append(socket);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray request = pending.left(end + 4);
        pending.clear();
        m_requests.append(request);
        const QByteArray path = request.split(' ').value(1);
        const Reply reply =
            m_routes.value(path, Reply{response("HTTP/1.0 404 Not Found", "no such file"), Then::Close});
        socket->write(reply.bytes);
        if (reply.then == Then::Close) {
            socket->disconnectFromHost();
        } else if (reply.then == Then::Stall) {
            m_stalled.append(socket);
        } else {
            m_trickling.append(socket);
            m_trickle.start();
        }
    }

    QTcpServer m_server;
    QMap<QByteArray, Reply> m_routes;
    QMap<QTcpSocket *, QByteArray> m_pending;
    QList<QByteArray> m_requests;
    QList<QPointer<QTcpSocket>> m_sockets;
    QList<QPointer<QTcpSocket>> m_stalled;
    QList<QPointer<QTcpSocket>> m_trickling;
    QTimer m_trickle;
};
