// Which of this computer's addresses others can join.
#include "windows/HostingAddresses.h"

#include "net/JoinAddress.h"

#include <QNetworkInterface>

QList<HostingAddresses::Interface> HostingAddresses::system()
{
    QList<Interface> interfaces;
    for (const QNetworkInterface &each : QNetworkInterface::allInterfaces()) {
        Interface item;
        item.up = each.flags().testFlag(QNetworkInterface::IsUp);
        item.running = each.flags().testFlag(QNetworkInterface::IsRunning);
        item.loopback = each.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry &entry : each.addressEntries())
            item.entries.append({entry.ip(), entry.isTemporary()});
        interfaces.append(item);
    }
    return interfaces;
}

bool HostingAddresses::isPrivateIPv4(const QHostAddress &address)
{
    return address.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8)
        || address.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12)
        || address.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16);
}

QList<QHostAddress> HostingAddresses::reachable(const QList<Interface> &interfaces)
{
    QList<QHostAddress> lan;
    QList<QHostAddress> global;
    for (const Interface &each : interfaces) {
        if (!each.up || !each.running || each.loopback)
            continue;
        for (const Interface::Entry &entry : each.entries) {
            const QHostAddress &address = entry.address;
            if (address.protocol() == QAbstractSocket::IPv4Protocol && isPrivateIPv4(address)) {
                if (!lan.contains(address))
                    lan.append(address);
            } else if (address.protocol() == QAbstractSocket::IPv6Protocol && address.isGlobal()
                       && !address.isUniqueLocalUnicast() && !entry.temporary && !global.contains(address)) {
                // Without the scope: a global address needs none.
                QHostAddress plain(address);
                plain.setScopeId(QString());
                global.append(plain);
            }
        }
    }
    return lan + global;
}

QStringList HostingAddresses::inviteLinks(const QList<Interface> &interfaces, quint16 port)
{
    QStringList links;
    for (const QHostAddress &address : reachable(interfaces))
        links.append(net::inviteLink({address.toString(), port}));
    return links;
}
