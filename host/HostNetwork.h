// The host's sockets: the listener `Sock1`, one net::Connection per slot, and the
// received-message queue `receivedlist` drained by its 10 ms timer (`socktimer`).
// It implements SlotSink for the rules and the session, and turns socket events into
// HostSession calls: accept, one request per tick (bound to the connection it came
// from), and departure when a connection closes for any reason.
//
// Every connection has its own queue in `receivedlist`, and the timer serves them in
// turn, so a participant that floods the host delays another's move by one tick at most
// per round. A peer cannot exhaust the host: a message longer than 64 KiB is skipped;
// a stream that never ends its message, more than kMaxQueuedBytes waiting in its queue,
// or more than net::Connection::kMaxOutgoing bytes of unread output closes that
// connection alone.
//
// A hosted game listens on every address; a solo game on the loopback addresses only
// (127.0.0.1 and, when the machine has it, ::1), each its own listener on one port, so
// that nobody else can take a seat in it or watch it.
#pragma once

#include "host/SlotSink.h"
#include "net/GameFacts.h"
#include "net/MessageQueue.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <array>

class HostSession;

namespace net {
class Connection;
}

Q_DECLARE_LOGGING_CATEGORY(lcHostNet)

class HostNetwork : public QObject, public SlotSink {
    Q_OBJECT
public:
    static constexpr int kSocktimerInterval = 10;  // ms
    // Bytes of requests (with their entry cost) one connection may keep waiting.
    static constexpr qsizetype kMaxQueuedBytes = 256 * 1024;
    static constexpr int kMaxSlot = quarn::kHighestSlot;

    explicit HostNetwork(QObject *parent = nullptr);
    ~HostNetwork() override;

    // The session that handles accepts, requests and departures; null detaches it.
    void setSession(HostSession *session) { m_session = session; }

    bool listen(quint16 port, const QHostAddress &address = QHostAddress::Any);
    // Listens on 127.0.0.1 and ::1 only. When `port` is taken there (another user's solo
    // game on this machine), on a free port instead; serverPort() says which.
    bool listenOnLoopback(quint16 port);
    bool isListening() const { return m_sock1.isListening(); }
    quint16 serverPort() const { return m_sock1.serverPort(); }
    QString errorString() const { return m_error; }

    // SlotSink
    void sendToSlot(int slot, const QByteArray &message) override;
    void closeSlot(int slot) override;

    // Stops listening and closes every connection; finished() once all sockets are gone.
    void closeAll();
    bool hasOpenSockets() const;

    net::MessageQueue &receivedlist() { return m_receivedlist; }
    // The connection that holds `slot`, or null.
    net::Connection *connectionOf(int slot) const;

Q_SIGNALS:
    void finished();

private:
    struct SlotEntry {
        net::Connection *connection = nullptr;
        quint64 id = 0;
    };

    void Sock1Accept(QTcpServer &listener);
    // Both loopback listeners on `port` (0 = a free one); false, with nothing listening,
    // when either address is taken.
    bool listenOnLoopbackPort(quint16 port);
    void adopt(net::Connection *connection, quint64 id);
    void Sock1Read(quint64 id, net::Connection *connection, const QByteArray &message);
    void socktimerTimer(quint64 id, const QByteArray &message);
    void tempsockInfo(quint64 id);
    void turnAway(net::Connection *connection);
    void socketFinished(net::Connection *connection);
    int slotOf(quint64 id) const;

    QTcpServer m_sock1;
    // The solo game's second loopback listener, on ::1 and the port of m_sock1.
    QTcpServer m_sock1Ipv6;
    net::MessageQueue m_receivedlist;
    std::array<SlotEntry, kMaxSlot + 1> m_slots{};
    HostSession *m_session = nullptr;
    quint64 m_nextId = 1;
    int m_liveSockets = 0;
    bool m_shuttingDown = false;
    QString m_error;
};
