#include "HostTestClient.h"

#include "net/Catalogue.h"

#include <QTest>

HostTestClient::HostTestClient(quint16 port)
{
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] { readAll(); });
    m_socket.connectToHost(QHostAddress::LocalHost, port);
}

void HostTestClient::readAll()
{
    const QByteArray bytes = m_socket.readAll();
    m_raw += bytes;
    m_framer.append(bytes, m_messages);
}

int HostTestClient::waitForSlot()
{
    const QByteArray prefix("CMD_sendlogininfo+");
    const bool seen = QTest::qWaitFor(
        [&] {
            for (const QByteArray &message : std::as_const(m_messages)) {
                if (message.startsWith(prefix) || message == "CMD_full+")
                    return true;
            }
            return false;
        },
        kWaitMs);
    if (!seen)
        return 0;
    for (const QByteArray &message : std::as_const(m_messages)) {
        if (message.startsWith(prefix))
            m_slot = message.mid(prefix.size()).toInt();
    }
    return m_slot;
}

bool HostTestClient::login(const QString &name, const QString &version)
{
    if (m_slot == 0 && waitForSlot() == 0)
        return false;
    write(net::toHost::logininfo(m_slot, version, name));
    return waitFor(net::toClient::newplayerinfo(m_slot, name).chopped(1));
}

void HostTestClient::write(const QByteArray &bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
}

bool HostTestClient::waitFor(const QByteArray &message)
{
    return QTest::qWaitFor([&] { return m_messages.contains(message); }, kWaitMs);
}

bool HostTestClient::waitForCount(qsizetype count)
{
    return QTest::qWaitFor([&] { return m_messages.size() >= count; }, kWaitMs);
}

bool HostTestClient::waitClosed()
{
    return QTest::qWaitFor([&] { return isClosed(); }, kWaitMs);
}

bool HostTestClient::isClosed() const
{
    return m_socket.state() == QAbstractSocket::UnconnectedState;
}

QList<QByteArray> HostTestClient::take()
{
    return std::exchange(m_messages, {});
}
