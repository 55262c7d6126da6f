// Reading a router's answers; see RouterAnswer.h.
#include "portmap/RouterAnswer.h"

namespace portmap {

namespace {

bool inSubnet(const QHostAddress &address, const char *subnet)
{
    return address.isInSubnet(QHostAddress::parseSubnet(QString::fromLatin1(subnet)));
}

PortMapping refused(PortMapping base, int code, const QString &text)
{
    base.kind = PortMapping::Kind::Refused;
    base.errorCode = code;
    base.errorText = text;
    return base;
}

// The external address decides first: behind a shared address no port is asked for, and a
// mapping there would reach nobody anyway.
PortMapping mapped(PortMapping base, const QHostAddress &external, quint16 port, quint32 lease)
{
    if (addressScope(external) != AddressScope::Public) {
        base.kind = PortMapping::Kind::SharedAddress;
        return base;
    }
    if (port == 0)
        return refused(base, 0, QStringLiteral("the router gave no port"));
    base.kind = PortMapping::Kind::Mapped;
    base.externalAddress = external;
    base.externalPort = port;
    base.leaseSeconds = lease;
    return base;
}

}  // namespace

AddressScope addressScope(const QHostAddress &address)
{
    if (address.isNull() || address.isLoopback() || address.isLinkLocal() || address.isMulticast()
        || address.isBroadcast() || address == QHostAddress(QHostAddress::AnyIPv4)
        || address == QHostAddress(QHostAddress::AnyIPv6))
        return AddressScope::Unusable;
    if (inSubnet(address, "10.0.0.0/8") || inSubnet(address, "172.16.0.0/12") || inSubnet(address, "192.168.0.0/16"))
        return AddressScope::Private;
    if (inSubnet(address, "100.64.0.0/10"))
        return AddressScope::Shared;
    if (inSubnet(address, "0.0.0.0/8"))
        return AddressScope::Unusable;
    return AddressScope::Public;
}

std::optional<QHostAddress> readRouterAddress(QByteArrayView text)
{
    // Strict dotted quad: QHostAddress also takes forms a router never sends.
    if (text.isEmpty() || text.size() > 15)
        return std::nullopt;
    for (const char c : text)
        if (c != '.' && (c < '0' || c > '9'))
            return std::nullopt;
    const QHostAddress address(QString::fromLatin1(text.data(), text.size()));
    if (address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    return address;
}

QList<QHostAddress> globalIpv6(const QList<QHostAddress> &addresses)
{
    QList<QHostAddress> global;
    for (const QHostAddress &address : addresses)
        if (address.protocol() == QAbstractSocket::IPv6Protocol && inSubnet(address, "2000::/3"))
            global.append(address);
    return global;
}

QString natPmpResultText(int resultCode)
{
    switch (resultCode) {
    case 1: return QStringLiteral("unsupported version");
    case 2: return QStringLiteral("not authorised");
    case 3: return QStringLiteral("the router has no internet connection");
    case 4: return QStringLiteral("the router has no room for another mapping");
    case 5: return QStringLiteral("unsupported request");
    default: return QStringLiteral("unknown result");
    }
}

PortMapping readNatPmpAnswer(const NatPmpAnswer &answer, PortMapping base)
{
    base.method = Method::NatPmp;
    if (!answer.answered) {
        base.kind = PortMapping::Kind::NoRouter;
        return base;
    }
    if (answer.resultCode != 0)
        return refused(base, answer.resultCode, natPmpResultText(answer.resultCode));
    return mapped(base, QHostAddress(answer.publicAddress), answer.mappedPort, answer.lifetime);
}

PortMapping readUpnpAnswer(const UpnpAnswer &answer, PortMapping base)
{
    base.method = Method::Upnp;
    if (!answer.found) {
        base.kind = PortMapping::Kind::NoRouter;
        return base;
    }
    base.lastPortTried = answer.lastPortTried;
    if (answer.error != 0) {
        // The words come from the library's table, never from the router's reply.
        return refused(base, answer.error, answer.errorText.left(200));
    }
    const std::optional<QHostAddress> external = readRouterAddress(answer.externalAddress);
    if (!external)
        return refused(base, 0, QStringLiteral("the router gave no valid external address"));
    return mapped(base, *external, answer.externalPort, answer.leaseSeconds);
}

}  // namespace portmap
