// The addresses others can use to reach a hosting program: each LAN address of this
// computer (IPv4 in the private ranges, on interfaces that are up and running, never a
// loopback one) and its global IPv6 addresses (not the temporary ones, which change),
// each as an invite link. The interfaces are given, so that the choice can be checked
// against any set of them; system() reads this computer's.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QStringList>

class HostingAddresses {
public:
    struct Interface {
        bool up = false;
        bool running = false;
        bool loopback = false;
        struct Entry {
            QHostAddress address;
            bool temporary = false;
        };
        QList<Entry> entries;
    };

    static QList<Interface> system();

    // The reachable addresses, LAN IPv4 first, each once, in the interfaces' order.
    static QList<QHostAddress> reachable(const QList<Interface> &interfaces);
    // The same as invite links to `port`.
    static QStringList inviteLinks(const QList<Interface> &interfaces, quint16 port);

    static bool isPrivateIPv4(const QHostAddress &address);
};
