// The two computer opponents the hosting player chooses between: Classic, the original
// vocabulary player and the default, and Strong, which searches the whole word list.
#pragma once

#include <QString>

#include <optional>

enum class ComputerLevel { Classic, Strong };

// "Classic" or "Strong": the name shown in the game start dialog and kept in the
// settings file.
QString computerLevelName(ComputerLevel level);
// The level of a name given in any case ("strong", "Strong", "STRONG"); nothing for any
// other text.
std::optional<ComputerLevel> computerLevelFromName(const QString &name);
