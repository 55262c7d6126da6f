// The host's seat table: the record of every slot and the game-wide values, changed only
// through the named operations below and read through const access. Slots 1..9 hold the
// participants; seats 1 and 2 play; slots 1..3 are dealt letters at a game start and keep
// a list of the words they formed (the clients expect slot 3's five letters).
//
// The table keeps two promises the rest of the host relies on: every connected slot lies
// within 1..seatsUsed(), and seatsUsed() never shrinks. Operations outside the valid
// slots, cells or extras change nothing; a slot outside 1..9 reads as an empty record.
#pragma once

#include "net/GameFacts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One slot's record.
struct tplayer {
    using Extras = std::array<int, quarn::kExtras + 1>;  // positions 1..6; [0] unused; 0 = empty
    using Board = std::array<int, quarn::kCells + 1>;  // positions 1..10; [0] unused; 0 = empty

    QString name;
    quint8 connected = 0;
    qint32 score = 0;
    quint8 justwatching = 0;
    Extras extras{};
    Board board{};
    quint8 turnlock = 0;
    qint32 steals = 0;
};

// What the hosting player chose for a game, stored as sent.
struct GameSettings {
    int timePerTurn = 0;
    int playToScore = 0;
    int stealsAllowed = 0;
};

// a + b held within the range of int: scores and clock ticks saturate, never wrap.
int saturatedSum(qint64 a, qint64 b);

class SeatTable {
public:
    static constexpr int kHighestSlot = quarn::kHighestSlot;
    static constexpr int kDealtSlots = 3;

    static bool isSlot(int slot) { return slot >= 1 && slot <= kHighestSlot; }
    static bool isCell(int position) { return position >= 1 && position <= quarn::kCells; }
    static bool isExtra(int position) { return position >= 1 && position <= quarn::kExtras; }

    // --- participants ---------------------------------------------------------------
    // Takes the lowest free slot of 1..9 and marks it connected; 0 when all are taken.
    int accept();
    // Names the participant of `slot` (and marks it connected, should it not be yet).
    void login(int slot, const QString &name);
    // The participant has gone: not connected, no name, not watching. The seat's board,
    // extras, score and words stay for whoever takes the slot next.
    void depart(int slot);
    void setWatching(int seat, bool on);
    bool isConnected(int slot) const;
    // The highest slot ever taken.
    int seatsUsed() const { return m_seatsUsed; }
    // Connected slots, ascending: the order in which everybody is told anything.
    QList<int> connectedSlots() const;

    // --- reading --------------------------------------------------------------------
    const tplayer &player(int slot) const;
    // The seat to move (1 or 2), 0 before the first game.
    int whoseTurn() const { return m_whoseTurn; }
    bool gameInProgress() const { return m_gameInProgress; }
    const GameSettings &settings() const { return m_settings; }
    // The words `seat` formed this game, lower case, in order; empty beyond slot 3.
    const QStringList &formedWords(int seat) const;
    // Case does not matter: a word counts once per seat and game.
    bool hasFormed(int seat, const QString &word) const;
    // As announced at the seat's turn; may be negative with odd settings.
    int stealsLeft(int seat) const;

    // --- the game -------------------------------------------------------------------
    // A new game: running with `settings`; slots 1..3 lose score, steals, just-watching
    // mark, board, extras and words. The mover is left for the dealer to set.
    void startGame(const GameSettings &settings);
    void endGame();
    // Only seats 1 and 2 move.
    void setMover(int seat);
    // The other seat moves next, its turn lock cleared; returns the new mover.
    int passTurn();
    void setExtra(int seat, int extra, int code);
    void clearExtra(int seat, int extra) { setExtra(seat, extra, 0); }
    // The extra's letter goes to the cell (whatever the cell held is lost).
    void placeExtra(int seat, int extra, int cell);
    void setCell(int seat, int cell, int code);
    void clearCell(int seat, int cell) { setCell(seat, cell, 0); }
    void swapCells(int seat, int a, int b);
    // Adds `points` to the seat's score, saturating; returns the new score.
    int addToScore(int seat, int points);
    // With unlimited steals the count stays 0, so the seat always has 10000 left.
    void countSteal(int seat);
    void recordFormedWord(int seat, const QString &word);

    // --- positions for tests and measurements ----------------------------------------
    // A running game with `settings`, the seats left exactly as they are.
    void setRunningGame(const GameSettings &settings);
    void setBoard(int seat, const tplayer::Board &board);
    void setExtras(int seat, const tplayer::Extras &extras);
    void setScore(int seat, int score);
    void setSteals(int seat, int steals);

private:
    // The record of `slot`, or null outside 1..9.
    tplayer *record(int slot);

    std::array<tplayer, kHighestSlot + 1> m_players{};
    std::array<QStringList, kDealtSlots + 1> m_formed;
    int m_seatsUsed = 0;
    int m_whoseTurn = 0;
    bool m_gameInProgress = false;
    GameSettings m_settings;
};
