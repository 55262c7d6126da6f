// The game start dialog's choices as the settings half saves and restores them. The
// dialog lives in windows/; this interface keeps the client library independent of it.
#pragma once

#include <QString>

class GameStartSettings {
public:
    virtual ~GameStartSettings() = default;
    virtual QString playtoscoreText() const = 0;
    virtual QString creationtimeText() const = 0;
    virtual QString stealsText() const = 0;
    virtual bool unlimitedChecked() const = 0;
    // Puts saved values into the value boxes and arrows unchanged (no range check); a
    // value that is not a whole number leaves its row as it is.
    virtual void restoreSaved(const QString &playtoscore, const QString &creationtime,
                              const QString &steals, bool unlimited) = 0;
};
