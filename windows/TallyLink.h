// The tally as the client's game feeds it: formed words and finished games go to the
// tally's table, with the current game's players looked up in the game. Only a player's
// own words and games reach it; the game leaves a spectator's tally alone.
#pragma once

#include "client/model/GameServices.h"

#include <QStringList>

class ClientGame;
class TallyTable;

class TallyLink : public TallyRecorder {
public:
    TallyLink(TallyTable &table, const ClientGame &game);

    void recordLongestWord(const QString &word, int length) override;
    void recordBestWord(const QString &word, int points) override;
    void countWord() override;
    void countOwnWin() override;
    void countGameWonBy(const QString &winner) override;
    int longestWordLength() const override;
    int bestWordPoints() const override;

    // The players seated in the current game other than this one (the original tally's
    // "loadchecklist"), as View > "View Tally" lists them; a spectator gets both.
    QStringList opponents() const;

private:
    bool seatHeld(int seat) const;

    TallyTable &m_table;
    const ClientGame &m_game;
};
