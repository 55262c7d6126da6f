// A NAT-PMP gateway of the tests' own: UDP on a loopback address of its own (127.x.y.z),
// port 5351, since libnatpmp speaks to no other port. It answers as told and records
// every request.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>

struct NatPmpRequest {
    int opcode = 0;  // 0 public address, 2 TCP mapping
    quint16 internalPort = 0;
    quint16 externalPort = 0;
    quint32 lifetime = 0;
};

class FakeNatPmpGateway : public QObject {
    Q_OBJECT
public:
    FakeNatPmpGateway();
    bool isListening() const { return m_socket.state() == QAbstractSocket::BoundState; }
    QHostAddress address() const { return m_socket.localAddress(); }

    bool silent = false;  // never answers
    quint16 resultCode = 0;  // for mapping requests
    QHostAddress publicAddress{QStringLiteral("203.0.113.7")};
    quint16 mappedPort = 0;  // 0: the port asked for
    QList<NatPmpRequest> requests;

Q_SIGNALS:
    void requestSeen();

private:
    void onReadyRead();
    QUdpSocket m_socket;
};
