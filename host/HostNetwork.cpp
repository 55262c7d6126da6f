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
    connect(&m_sock1, &QTcpServer::newConnection, this, [this] { Sock1Accept(m_sock1); });
    connect(&m_sock1Ipv6, &QTcpServer::newConnection, this, [this] { Sock1Accept(m_sock1Ipv6); });
    m_receivedlist.setSourceLimit(kMaxQueuedBytes);
    connect(&m_receivedlist, &net::MessageQueue::messageTaken, this, &HostNetwork::socktimerTimer);
}

HostNetwork::~HostNetwork()
{
    m_session = nullptr;
    m_sock1.close();
    m_sock1Ipv6.close();
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

bool HostNetwork::listenOnLoopback(quint16 port)
{
    if (m_sock1.isListening())
        return true;
    m_shuttingDown = false;
    // A few tries at a free port: between the two binds another program may take the
    // IPv6 side of the port just given to the IPv4 side.
    constexpr int kFreePortTries = 5;
    bool listening = listenOnLoopbackPort(port);
    for (int attempt = 0; !listening && attempt < kFreePortTries; ++attempt)
        listening = listenOnLoopbackPort(0);
    if (!listening) {
        qCWarning(lcHostNet) << m_error;
        return false;
    }
    if (port != 0 && m_sock1.serverPort() != port)
        qCInfo(lcHostNet) << "port" << port << "is taken on loopback; listening on" << m_sock1.serverPort();
    m_error.clear();
    return true;
}

bool HostNetwork::listenOnLoopbackPort(quint16 port)
{
    if (!m_sock1.listen(QHostAddress::LocalHost, port)) {
        m_error = QStringLiteral("Listen - Error Binding Socket: %1").arg(m_sock1.errorString());
        return false;
    }
    if (m_sock1Ipv6.listen(QHostAddress::LocalHostIPv6, m_sock1.serverPort()))
        return true;
    // A machine without IPv6 loopback plays over 127.0.0.1 alone; a taken port is tried again.
    if (m_sock1Ipv6.serverError() != QAbstractSocket::AddressInUseError) {
        qCDebug(lcHostNet) << "no IPv6 loopback listener:" << m_sock1Ipv6.errorString();
        return true;
    }
    m_error = QStringLiteral("Listen - Error Binding Socket: %1").arg(m_sock1Ipv6.errorString());
    m_sock1.close();
    return false;
}

void HostNetwork::Sock1Accept(QTcpServer &listener)
{
    while (QTcpSocket *socket = listener.nextPendingConnection()) {
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
    m_sock1Ipv6.close();
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
