// One TCP connection of the game protocol, on the GUI thread, event driven.
//
// Receiving: every read (at most 32,768 bytes at a time) goes through a MessageFramer;
// each whole message is emitted by messageReceived(), terminator removed, in order. A
// message over the framer's limit is skipped with a warning and the connection stays;
// only a stream that never ends its message is closed.
// Sending: send() hands a whole composed message to the socket's outgoing buffer; it
// never blocks and never reorders. A peer that stops reading cannot make us buffer
// without bound: above kMaxOutgoing bytes waiting the connection is aborted.
// So one connection holds at most kMaxOutgoing bytes to send plus the framer's pending
// message; nine of them stay within a few MiB.
// Closing: an orderly close by the peer, a reset, any socket error, an overlong
// message, close() and abort() all end in one closed() signal, emitted once.
// close() and abort() emit it at once (before they return); a close caused by send()
// (the outgoing cap) is reported from the event loop, so the owner's handlers never run
// inside the code that was sending. A connect that never succeeds emits connectFailed()
// instead of closed(): such a connection was never open.
//
// After closed(), the object may still be flushing what close() left to write; it
// emits finished() when the socket is gone, and only then should the owner delete it
// (deleting earlier drops unsent bytes, which is fine after abort()).
#pragma once

#include "net/MessageFramer.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

Q_DECLARE_LOGGING_CATEGORY(lcNet)

namespace net {

class Connection : public QObject {
    Q_OBJECT
public:
    // Outgoing bytes a connection may hold before the peer counts as not reading.
    static constexpr qint64 kMaxOutgoing = 256 * 1024;
    // Largest single read from the socket.
    static constexpr qint64 kReadChunk = 32768;
    // How long close() waits for the outgoing bytes to leave before it aborts.
    static constexpr int kLingerMs = 3000;

    // An idle client connection; connectToHost() opens it.
    explicit Connection(QObject *parent = nullptr);
    // Adopts an accepted, connected socket (it becomes this object's child).
    explicit Connection(QTcpSocket *socket, QObject *parent = nullptr);
    ~Connection() override;

    // Starts a non-blocking connect; connected() or connectFailed() follows.
    void connectToHost(const QString &host, quint16 port);

    // Queues one whole message. False (and nothing sent) when the connection is not open.
    bool send(const QByteArray &message);
    // Orderly close: what is queued still goes out, then the socket closes.
    void close(const QString &reason = QStringLiteral("closed"));
    // Immediate close; queued output is dropped.
    void abort(const QString &reason);

    // Connected and not yet closed.
    bool isOpen() const;
    bool isClosed() const { return m_closed; }
    qint64 bytesToWrite() const;
    QString peerAddress() const;
    // Over-long messages skipped on this connection so far.
    qsizetype skippedMessages() const { return m_framer.skippedMessages(); }
    // Why the connection closed; empty while it is open.
    QString closeReason() const { return m_closeReason; }

Q_SIGNALS:
    void connected();
    void connectFailed(const QString &reason);
    void messageReceived(const QByteArray &message);
    void closed(const QString &reason);
    void finished();

private:
    void wireSocket();
    void readAvailable();
    void socketError(QAbstractSocket::SocketError error);
    void socketDisconnected();
    void markClosed(const QString &reason);
    void shutDown(const QString &reason, bool graceful);
    void checkFinished();

    QTcpSocket *m_socket = nullptr;
    MessageFramer m_framer;
    QTimer m_linger;
    QString m_closeReason;
    bool m_everConnected = false;
    bool m_closed = false;
    bool m_finishedSent = false;
};

}  // namespace net
