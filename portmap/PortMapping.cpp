// The outcome of a port mapping and its sentences; see PortMapping.h.
#include "portmap/PortMapping.h"

namespace portmap {

namespace {

QString byHand(const PortMapping &m)
{
    const QString where = m.lanAddress.isEmpty() ? QStringLiteral("this computer")
                                                 : QStringLiteral("this computer's LAN address %1").arg(m.lanAddress);
    return QStringLiteral("To let others join over the internet, forward TCP port %1 to %2 in the router's settings.")
        .arg(m.internalPort)
        .arg(where);
}

QString refusal(const PortMapping &m)
{
    switch (m.errorCode) {
    case kUpnpNotAuthorised:
        return QStringLiteral("The router refused to open TCP port %1: not authorised (error 606). Allow port "
                              "mapping (UPnP) in the router's settings, or forward the port by hand. %2")
            .arg(m.internalPort)
            .arg(byHand(m));
    case kUpnpConflict:
        return QStringLiteral("The router refused: TCP ports %1 to %2 are held by another computer (error 718). "
                              "Free one of them in the router's settings, or host on another port. %3")
            .arg(m.internalPort)
            .arg(m.lastPortTried)
            .arg(byHand(m));
    default:
        return QStringLiteral("The router refused to open TCP port %1: error %2 (%3). %4")
            .arg(m.internalPort)
            .arg(m.errorCode)
            .arg(m.errorText.isEmpty() ? QStringLiteral("no reason given") : m.errorText)
            .arg(byHand(m));
    }
}

QString mainSentence(const PortMapping &m)
{
    switch (m.kind) {
    case PortMapping::Kind::Mapped: {
        QString text = QStringLiteral("The router forwards %1 port %2 to this game. Others can join with %3")
                           .arg(m.externalAddress.toString())
                           .arg(m.externalPort)
                           .arg(m.inviteLink());
        if (m.leaseSeconds == 0)
            text += QStringLiteral(" (the router keeps this mapping until hosting ends)");
        return text + QLatin1Char('.');
    }
    case PortMapping::Kind::NoRouter: return QStringLiteral("No router answered within 3 seconds. ") + byHand(m);
    case PortMapping::Kind::Refused: return refusal(m);
    case PortMapping::Kind::SharedAddress:
        return QStringLiteral("The router's own internet address is not a public one: the internet provider "
                              "shares one address among many customers, and others cannot reach this game "
                              "directly.");
    }
    return {};
}

}  // namespace

QString PortMapping::inviteLink(const QHostAddress &address, quint16 port)
{
    QString host = address.toString();
    if (address.protocol() == QAbstractSocket::IPv6Protocol)
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return QStringLiteral("quarn://%1:%2").arg(host).arg(port);
}

QString PortMapping::inviteLink() const
{
    return kind == Kind::Mapped ? inviteLink(externalAddress, externalPort) : QString();
}

QString PortMapping::text() const
{
    QString text = mainSentence(*this);
    for (const QHostAddress &address : ipv6)
        text += QStringLiteral(" Over IPv6, others can join with %1 (a firewall may still block it).")
                    .arg(inviteLink(address, internalPort));
    return text;
}

}  // namespace portmap
