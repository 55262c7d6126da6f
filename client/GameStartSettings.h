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
    virtual void restoreSaved(const QString &playtoscore, const QString &creationtime, const QString &steals,
                              bool unlimited) = 0;
    // The computer opponent's level as saved: "Classic" or "Strong". A dialog that offers
    // no choice of level answers an empty text, and nothing is saved for it.
    virtual QString computerLevelText() const { return QString(); }
    // Shows a saved level; "Strong" in any case chooses Strong, any other text Classic.
    virtual void restoreComputerLevel(const QString &level) { Q_UNUSED(level); }
};
