// The fake NAT-PMP gateway; see FakeNatPmpGateway.h.
#include "FakeNatPmpGateway.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QtEndian>

namespace {

constexpr quint16 kNatPmpPort = 5351;

}  // namespace

FakeNatPmpGateway::FakeNatPmpGateway()
{
    // Any 127/8 address is this computer's own; a random one keeps parallel tests apart.
    for (int attempt = 0; attempt < 20 && !isListening(); ++attempt) {
        const quint32 host = 0x7F000000u | (QRandomGenerator::global()->bounded(1u, 0xFFFFFEu));
        m_socket.bind(QHostAddress(host), kNatPmpPort);
    }
    connect(&m_socket, &QUdpSocket::readyRead, this, &FakeNatPmpGateway::onReadyRead);
}

void FakeNatPmpGateway::onReadyRead()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        const QByteArray in = datagram.data();
        if (in.size() < 2 || in[0] != 0)
            continue;
        NatPmpRequest request;
        request.opcode = quint8(in[1]);
        if (request.opcode == 2 && in.size() >= 12) {
            request.internalPort = qFromBigEndian<quint16>(in.constData() + 4);
            request.externalPort = qFromBigEndian<quint16>(in.constData() + 6);
            request.lifetime = qFromBigEndian<quint32>(in.constData() + 8);
        }
        requests.append(request);
        Q_EMIT requestSeen();
        if (silent)
            continue;

        QByteArray out(request.opcode == 0 ? 12 : 16, '\0');
        out[1] = char(128 + request.opcode);
        qToBigEndian<quint32>(1234, out.data() + 4);  // seconds since the gateway started
        if (request.opcode == 0) {
            qToBigEndian<quint32>(publicAddress.toIPv4Address(), out.data() + 8);
        } else {
            qToBigEndian<quint16>(resultCode, out.data() + 2);
            qToBigEndian<quint16>(request.internalPort, out.data() + 8);
            const quint16 given = request.lifetime == 0 ? 0 : (mappedPort ? mappedPort : request.externalPort);
            qToBigEndian<quint16>(given, out.data() + 10);
            qToBigEndian<quint32>(request.lifetime, out.data() + 12);
        }
        m_socket.writeDatagram(out, datagram.senderAddress(), datagram.senderPort());
    }
}
