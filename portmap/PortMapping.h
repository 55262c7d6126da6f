// What asking the router for the hosted game's port came to: one value per outcome, each
// with a sentence for the hosting player and, when others can join, the invite link.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace portmap {

// Which way the router was asked.
enum class Method { None, NatPmp, Upnp };

struct PortMapping {
    enum class Kind {
        Mapped,  // the router forwards externalAddress:externalPort to the game
        NoRouter,  // nobody answered in time: forward by hand
        Refused,  // a router answered and said no (errorCode, errorText)
        SharedAddress,  // the router's own address is private or carrier-grade shared
    };

    Kind kind = Kind::NoRouter;
    Method method = Method::None;
    quint16 internalPort = 0;  // the port the game listens on
    QHostAddress externalAddress;  // Mapped only
    quint16 externalPort = 0;  // Mapped: the router's port, which may differ from internalPort
    quint32 leaseSeconds = 0;  // Mapped: 0 is a permanent mapping, deleted when hosting ends
    int errorCode = 0;  // Refused: the router's code (UPnP error, or NAT-PMP result)
    QString errorText;  // Refused: the router's or the library's words for the code
    quint16 lastPortTried = 0;  // Refused with a held port: the last external port asked for
    QString lanAddress;  // this computer's LAN address, named in what to forward by hand
    QList<QHostAddress> ipv6;  // global IPv6 addresses the game listens on

    // The address others type or click: quarn://address:port, IPv6 in brackets.
    static QString inviteLink(const QHostAddress &address, quint16 port);
    // The link through the router; empty unless Mapped.
    QString inviteLink() const;
    // What happened and what to do, in plain sentences, the IPv6 addresses included.
    QString text() const;
};

// UPnP codes that the outcome names.
inline constexpr int kUpnpNotAuthorised = 606;
inline constexpr int kUpnpConflict = 718;
inline constexpr int kUpnpOnlyPermanentLeases = 725;

}  // namespace portmap
