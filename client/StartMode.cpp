#include "client/StartMode.h"

#include "net/JoinAddress.h"

StartMode startModeFrom(const QStringList &arguments, quint16 defaultPort)
{
    if (arguments.isEmpty())
        return {StartMode::Kind::Solo, QStringLiteral("You"), QStringLiteral("127.0.0.1"), defaultPort, {}};
    StartMode mode{StartMode::Kind::Incomplete, arguments.at(0), arguments.value(1), 0, {}};
    if (arguments.size() < 3)
        return mode;
    if (arguments.at(2) == QLatin1String("true")) {
        mode.kind = StartMode::Kind::Host;
        mode.port = defaultPort;
        return mode;
    }
    QString error;
    const std::optional<net::JoinAddress> address = net::parseJoinAddress(mode.hostAddress, defaultPort, &error);
    if (!address) {
        mode.kind = StartMode::Kind::Refused;
        mode.error = error;
        return mode;
    }
    mode.kind = StartMode::Kind::Join;
    mode.hostAddress = address->host;
    mode.port = address->port;
    return mode;
}
