// One protocol connection over QTcpSocket; see Connection.h.
#include "net/Connection.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>

Q_LOGGING_CATEGORY(lcNet, "quarn.net", QtWarningMsg)

namespace net {

Connection::Connection(QObject *parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    wireSocket();
}

Connection::Connection(QTcpSocket *socket, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
{
    m_socket->setParent(this);
    m_everConnected = m_socket->state() == QAbstractSocket::ConnectedState;
    wireSocket();
    // Bytes may have arrived before the signals were connected.
    if (m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &Connection::readAvailable, Qt::QueuedConnection);
}

Connection::~Connection()
{
    m_socket->disconnect(this);
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
}

void Connection::wireSocket()
{
    // Messages are small and answered at once; Nagle's delay would only add latency.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, &Connection::readAvailable);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        m_everConnected = true;
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Q_EMIT connected();
    });
    connect(m_socket, &QTcpSocket::errorOccurred, this, &Connection::socketError);
    connect(m_socket, &QTcpSocket::disconnected, this, &Connection::socketDisconnected);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &Connection::checkFinished);
    m_linger.setSingleShot(true);
    m_linger.setInterval(kLingerMs);
    connect(&m_linger, &QTimer::timeout, this, [this] { m_socket->abort(); });
}

void Connection::connectToHost(const QString &host, quint16 port)
{
    m_closed = false;
    m_closeReason.clear();
    m_framer.clear();
    m_socket->connectToHost(host, port);
}

bool Connection::send(const QByteArray &message)
{
    if (!isOpen()) {
        qCDebug(lcNet) << "Send - Socket Not Connected";
        return false;
    }
    m_socket->write(message);
    if (m_socket->bytesToWrite() <= kMaxOutgoing)
        return true;
    // The peer does not read. Reported from the event loop: we are inside whoever sent.
    const QString reason = QStringLiteral("more than %1 bytes unsent; the peer does not read").arg(kMaxOutgoing);
    qCInfo(lcNet) << peerAddress() << reason;
    m_closed = true;
    m_closeReason = reason;
    m_socket->abort();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            Q_EMIT closed(reason);
            checkFinished();
        },
        Qt::QueuedConnection);
    return false;
}

void Connection::close(const QString &reason)
{
    shutDown(reason, true);
}

void Connection::abort(const QString &reason)
{
    shutDown(reason, false);
}

void Connection::shutDown(const QString &reason, bool graceful)
{
    if (m_closed)
        return;
    QPointer<Connection> self(this);
    markClosed(reason);
    if (!self)
        return;
    if (!graceful) {
        m_socket->abort();
    } else {
        // Queued data still goes out; the linger timer cuts a peer that never lets go.
        m_socket->disconnectFromHost();
        if (m_socket->state() != QAbstractSocket::UnconnectedState)
            m_linger.start();
    }
    checkFinished();
}

bool Connection::isOpen() const
{
    return !m_closed && m_socket->state() == QAbstractSocket::ConnectedState;
}

qint64 Connection::bytesToWrite() const
{
    return m_socket->bytesToWrite();
}

QString Connection::peerAddress() const
{
    return m_socket->peerAddress().toString();
}

void Connection::readAvailable()
{
    QPointer<Connection> self(this);
    while (self && !m_closed && m_socket->bytesAvailable() > 0) {
        const QByteArray chunk = m_socket->read(kReadChunk);
        if (chunk.isEmpty())
            break;
        QList<QByteArray> messages;
        const qsizetype skippedBefore = m_framer.skippedMessages();
        if (!m_framer.append(chunk, messages)) {
            abort(QStringLiteral("%1 bytes without a message end").arg(MessageFramer::kMaxUnterminated));
            return;
        }
        if (m_framer.skippedMessages() > skippedBefore)
            qCWarning(lcNet) << peerAddress() << "skipped a message longer than" << MessageFramer::kMaxMessageSize
                             << "bytes";
        for (const QByteArray &message : std::as_const(messages)) {
            if (!self || m_closed)
                return;
            Q_EMIT messageReceived(message);
        }
    }
}

void Connection::socketError(QAbstractSocket::SocketError error)
{
    if (m_closed)
        return;
    const QString reason = m_socket->errorString();
    if (!m_everConnected) {
        m_closed = true;
        m_closeReason = reason;
        Q_EMIT connectFailed(reason);
        return;
    }
    qCInfo(lcNet) << peerAddress() << "socket error" << error << reason;
    QPointer<Connection> self(this);
    // A reset or any other failure counts as a close. The socket is not aborted inside
    // its own error signal; the event loop does it next.
    markClosed(error == QAbstractSocket::RemoteHostClosedError ? QStringLiteral("closed by peer") : reason);
    if (!self)
        return;
    QTimer::singleShot(0, m_socket, [socket = m_socket] { socket->abort(); });
}

void Connection::socketDisconnected()
{
    if (!m_closed) {
        QPointer<Connection> self(this);
        markClosed(QStringLiteral("closed by peer"));
        if (!self)
            return;
    }
    m_linger.stop();
    checkFinished();
}

void Connection::markClosed(const QString &reason)
{
    m_closed = true;
    m_closeReason = reason;
    Q_EMIT closed(reason);
}

void Connection::checkFinished()
{
    if (!m_closed || m_finishedSent || m_socket->state() != QAbstractSocket::UnconnectedState)
        return;
    m_finishedSent = true;
    // Never emitted from inside close() or abort(): the owner deletes on this signal.
    QMetaObject::invokeMethod(this, &Connection::finished, Qt::QueuedConnection);
}

}  // namespace net
