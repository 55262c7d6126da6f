// This computer's addresses; see LocalAddresses.h.
#include "portmap/LocalAddresses.h"

#include "portmap/RouterAnswer.h"

#include <QNetworkInterface>

namespace portmap {

namespace {

QList<QHostAddress> upAddresses()
{
    QList<QHostAddress> addresses;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            addresses.append(entry.ip());
    }
    return addresses;
}

}  // namespace

QString lanAddress()
{
    // A home network's address when there is one; otherwise whatever IPv4 address the
    // computer has (a network numbered from a public or a documentation range).
    QString other;
    for (const QHostAddress &address : upAddresses()) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        const AddressScope scope = addressScope(address);
        if (scope == AddressScope::Private)
            return address.toString();
        if (scope != AddressScope::Unusable && other.isEmpty())
            other = address.toString();
    }
    return other;
}

QList<QHostAddress> globalIpv6Addresses()
{
    return globalIpv6(upAddresses());
}

}  // namespace portmap
