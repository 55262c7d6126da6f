// Reading what a router answered: the scope of its external address and the outcome
// that a NAT-PMP or UPnP answer comes to. Pure functions over plain values, so the
// libraries' results and a fuzzer's bytes go through the same code.
#pragma once

#include "portmap/PortMapping.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHostAddress>
#include <QString>

#include <optional>

namespace portmap {

enum class AddressScope {
    Public,
    Private,  // 10/8, 172.16/12, 192.168/16: the router sits behind another one
    Shared,  // 100.64/10: the provider's carrier-grade NAT
    Unusable,  // loopback, link-local, unspecified, multicast: not an internet address
};

AddressScope addressScope(const QHostAddress &address);
// An IPv4 address as a router writes it ("203.0.113.5"), nothing else.
std::optional<QHostAddress> readRouterAddress(QByteArrayView text);
// IPv6 addresses others on the internet can reach (2000::/3), from a list of this
// computer's addresses.
QList<QHostAddress> globalIpv6(const QList<QHostAddress> &addresses);

// A NAT-PMP exchange, as libnatpmp reported it.
struct NatPmpAnswer {
    bool answered = false;  // the gateway answered at all
    int resultCode = 0;  // the gateway's result code, 0 for success
    quint32 publicAddress = 0;  // host order
    quint16 mappedPort = 0;
    quint32 lifetime = 0;
};

// A UPnP-IGD exchange, as miniupnpc reported it.
struct UpnpAnswer {
    bool found = false;  // an internet gateway device answered
    int error = 0;  // 0, a UPnP error code or a negative miniupnpc code
    QString errorText;  // the words for `error`
    QByteArray externalAddress;  // as the router wrote it
    quint16 externalPort = 0;
    quint32 leaseSeconds = 0;
    quint16 lastPortTried = 0;
};

// The outcome of an answer. `base` brings the game's port, the LAN address and the IPv6
// addresses. A NAT-PMP gateway that did not answer gives NoRouter.
PortMapping readNatPmpAnswer(const NatPmpAnswer &answer, PortMapping base);
PortMapping readUpnpAnswer(const UpnpAnswer &answer, PortMapping base);
// The words for a NAT-PMP result code.
QString natPmpResultText(int resultCode);

}  // namespace portmap
