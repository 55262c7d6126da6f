// Names of the computer levels; see ComputerLevel.h.
#include "host/ComputerLevel.h"

QString computerLevelName(ComputerLevel level)
{
    return level == ComputerLevel::Strong ? QStringLiteral("Strong") : QStringLiteral("Classic");
}

std::optional<ComputerLevel> computerLevelFromName(const QString &name)
{
    for (const ComputerLevel level : {ComputerLevel::Classic, ComputerLevel::Strong}) {
        if (name.compare(computerLevelName(level), Qt::CaseInsensitive) == 0)
            return level;
    }
    return std::nullopt;
}
