#include "client/StartMode.h"

StartMode startModeFrom(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return {StartMode::Kind::Solo, QStringLiteral("You"), QStringLiteral("127.0.0.1")};
    StartMode mode{StartMode::Kind::Incomplete, arguments.at(0), arguments.value(1)};
    if (arguments.size() >= 3)
        mode.kind = arguments.at(2) == QLatin1String("true") ? StartMode::Kind::Host : StartMode::Kind::Join;
    return mode;
}
