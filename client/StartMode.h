// How the program plays, read from its command line: no arguments is a solo game against
// the computer; a name, an address and a mode flag (as the lobby program starts it) host
// when the flag is exactly "true" and join for anything else. One or two arguments name
// the player (and the address) but start nothing; arguments after the third are ignored.
//
// A joining address may carry a port ("192.0.2.10:7800", "[2001:db8::1]:7800") or be an
// invite link; without one the default port is used. An address that cannot be joined
// (see net::parseJoinAddress) refuses the start with the reader's sentence. A hosting
// copy never reads the address, so a bad one does not stop it.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

struct StartMode {
    enum class Kind { Solo, Host, Join, Incomplete, Refused };

    Kind kind = Kind::Incomplete;
    QString playerName;
    // Join: the host alone (name, IPv4, or IPv6 without brackets). Otherwise the address
    // argument as given; empty when the command line gave none.
    QString hostAddress;
    // Join: the port to connect to, the address's own or `defaultPort`.
    quint16 port = 0;
    // Refused: why, as a sentence for the user.
    QString error;

    bool operator==(const StartMode &) const = default;
};

StartMode startModeFrom(const QStringList &arguments, quint16 defaultPort);
