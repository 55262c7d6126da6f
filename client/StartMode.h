// How the program plays, read from its command line: no arguments is a solo game against
// the computer; a name, an address and a mode flag (as the lobby program starts it) host
// when the flag is exactly "true" and join for anything else. One or two arguments name
// the player (and the address) but start nothing; arguments after the third are ignored.
#pragma once

#include <QString>
#include <QStringList>

struct StartMode {
    enum class Kind { Solo, Host, Join, Incomplete };

    Kind kind = Kind::Incomplete;
    QString playerName;
    // Empty when the command line gave none.
    QString hostAddress;

    bool operator==(const StartMode &) const = default;
};

StartMode startModeFrom(const QStringList &arguments);
