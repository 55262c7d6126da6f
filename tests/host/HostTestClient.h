// A participant for the host's socket tests: a raw QTcpSocket on loopback that keeps
// every byte and every whole message the host sends it, and writes whatever the test
// gives it, well-formed or not.
#pragma once

#include "net/MessageFramer.h"

#include <QByteArray>
#include <QList>
#include <QTcpSocket>

class HostTestClient {
public:
    static constexpr int kWaitMs = 5000;

    explicit HostTestClient(quint16 port);

    // Waits for CMD_sendlogininfo (or the full notice); the slot it names, 0 if none.
    int waitForSlot();
    // Sends the login and waits for the own CMD_newplayerinfo.
    bool login(const QString &name, const QString &version = QStringLiteral("1.0.6"));

    void write(const QByteArray &bytes);
    // Waits until `message` (terminator removed) is among the messages received.
    bool waitFor(const QByteArray &message);
    // Waits until at least `count` messages have been received in all.
    bool waitForCount(qsizetype count);
    bool waitClosed();
    bool isClosed() const;

    // Messages received and not yet taken; take() forgets them.
    QList<QByteArray> take();
    const QList<QByteArray> &messages() const { return m_messages; }
    // Every byte received, terminators included.
    const QByteArray &raw() const { return m_raw; }
    int slot() const { return m_slot; }
    QTcpSocket &socket() { return m_socket; }

private:
    void readAll();

    QTcpSocket m_socket;
    net::MessageFramer m_framer;
    QList<QByteArray> m_messages;
    QByteArray m_raw;
    int m_slot = 0;
};
