// The tally as the client's game feeds it: formed words and finished games go to the
// tally window's table, with the current game's players looked up in the game. Only a
// player's own words and games reach it; the game leaves a spectator's tally alone.
#pragma once

#include "client/model/GameServices.h"

class ClientGame;
class Ttallylist;

class TallyLink : public TallyRecorder {
public:
    TallyLink(Ttallylist &tally, const ClientGame &game);

    void addword(const QString &word, int value, int column) override;
    void anotherword(int column) override;
    void addgame(const QString &winner) override;
    int longestWordLength() const override;
    int bestWordPoints() const override;

    // The players of the current game other than this one, as View > "View Tally" lists them.
    QStringList opponents() const;

private:
    Ttallylist &m_tally;
    const ClientGame &m_game;
};
