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
    for (const QHostAddress &address : upAddresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol && addressScope(address) == AddressScope::Private)
            return address.toString();
    return {};
}

QList<QHostAddress> globalIpv6Addresses()
{
    return globalIpv6(upAddresses());
}

}  // namespace portmap
