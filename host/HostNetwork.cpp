// The host's listener, per-slot connections and message timer; see HostNetwork.h.
#include "host/HostNetwork.h"

#include "host/HostSession.h"
#include "net/Catalogue.h"
#include "net/Connection.h"

#include <QTcpSocket>

Q_LOGGING_CATEGORY(lcHostNet, "quarn.host.net", QtWarningMsg)

HostNetwork::HostNetwork(QObject *parent)
    : QObject(parent)
    , m_receivedlist(std::chrono::milliseconds(kSocktimerInterval))
{
    // The listener's backlog is the system's; QTcpServer's own queue of accepted but
    // not yet taken connections is emptied on every accept event.
    connect(&m_sock1, &QTcpServer::newConnection, this, &HostNetwork::Sock1Accept);
    m_receivedlist.setSourceLimit(kMaxQueuedBytes);
    connect(&m_receivedlist, &net::MessageQueue::messageTaken, this, &HostNetwork::socktimerTimer);
}

HostNetwork::~HostNetwork()
{
    m_session = nullptr;
    m_sock1.close();
    // Children (the connections) go with this object; nothing may reach the session now.
    for (net::Connection *connection : findChildren<net::Connection *>(Qt::FindDirectChildrenOnly))
        connection->disconnect(this);
}

bool HostNetwork::listen(quint16 port, const QHostAddress &address)
{
    if (m_sock1.isListening())
        return true;
    m_shuttingDown = false;
    if (!m_sock1.listen(address, port)) {
        m_error = QStringLiteral("Listen - Error Binding Socket: %1").arg(m_sock1.errorString());
        qCWarning(lcHostNet) << m_error;
        return false;
    }
    m_error.clear();
    return true;
}

void HostNetwork::Sock1Accept()
{
    while (QTcpSocket *socket = m_sock1.nextPendingConnection()) {
        auto *connection = new net::Connection(socket, this);
        ++m_liveSockets;
        connect(connection, &net::Connection::finished, this, [this, connection] { socketFinished(connection); });
        const int slot = (m_session && !m_shuttingDown) ? m_session->acceptParticipant() : 0;
        if (slot == 0) {
            turnAway(connection);
            continue;
        }
        const quint64 id = m_nextId++;
        m_slots[slot] = SlotEntry{connection, id};
        adopt(connection, id);
        qCDebug(lcHostNet) << "slot" << slot << "accepted from" << connection->peerAddress();
        m_session->welcome(slot);
    }
}

void HostNetwork::adopt(net::Connection *connection, quint64 id)
{
    connect(connection, &net::Connection::messageReceived, this,
            [this, connection, id](const QByteArray &message) { Sock1Read(id, connection, message); });
    connect(connection, &net::Connection::closed, this, [this, id] { tempsockInfo(id); });
}

void HostNetwork::turnAway(net::Connection *connection)
{
    // Every slot is taken: the connection gets the full notice and is closed.
    connection->send(net::toClient::full());
    connection->close(QStringLiteral("game full"));
}

void HostNetwork::Sock1Read(quint64 id, net::Connection *connection, const QByteArray &message)
{
    if (!m_receivedlist.append(id, message))
        connection->abort(QStringLiteral("more than %1 bytes of requests waiting").arg(kMaxQueuedBytes));
}

void HostNetwork::socktimerTimer(quint64 id, const QByteArray &message)
{
    const int slot = slotOf(id);
    if (slot == 0 || !m_session)
        return;  // its connection has gone, and its slot may already be someone else's
    m_session->serveRequest(slot, message);
}

void HostNetwork::tempsockInfo(quint64 id)
{
    const int slot = slotOf(id);
    if (slot == 0)
        return;
    qCDebug(lcHostNet) << "slot" << slot << "closed:" << m_slots[slot].connection->closeReason();
    m_slots[slot] = SlotEntry{};
    m_receivedlist.removeFrom(id);
    // At shutdown nobody is told: every other connection is closing as well.
    if (m_session && !m_shuttingDown)
        m_session->connectionClosed(slot);
}

void HostNetwork::socketFinished(net::Connection *connection)
{
    connection->deleteLater();
    --m_liveSockets;
    if (m_shuttingDown && m_liveSockets == 0)
        Q_EMIT finished();
}

void HostNetwork::sendToSlot(int slot, const QByteArray &message)
{
    if (net::Connection *connection = connectionOf(slot))
        connection->send(message);
}

void HostNetwork::closeSlot(int slot)
{
    if (net::Connection *connection = connectionOf(slot))
        connection->close(QStringLiteral("removed by the host"));
}

void HostNetwork::closeAll()
{
    m_shuttingDown = true;
    m_sock1.close();
    m_receivedlist.clear();
    for (int slot = 1; slot <= kMaxSlot; ++slot) {
        if (net::Connection *connection = connectionOf(slot))
            connection->close(QStringLiteral("host shutting down"));
    }
    if (m_liveSockets == 0)
        QMetaObject::invokeMethod(this, &HostNetwork::finished, Qt::QueuedConnection);
}

bool HostNetwork::hasOpenSockets() const
{
    return m_liveSockets > 0;
}

net::Connection *HostNetwork::connectionOf(int slot) const
{
    if (slot < 1 || slot > kMaxSlot)
        return nullptr;
    return m_slots[slot].connection;
}

int HostNetwork::slotOf(quint64 id) const
{
    for (int slot = 1; slot <= kMaxSlot; ++slot) {
        if (m_slots[slot].id == id && m_slots[slot].connection)
            return slot;
    }
    return 0;
}
