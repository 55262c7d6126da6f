// A soak player in seat 1 or 2: follows its own board and extras through the host's
// messages, moves the moment CMD_nextplayer names its seat, and times each move from
// the request to the host's answer. Seat 1 also starts every game.
#pragma once

#include "bench/soak/SoakFigures.h"
#include "bench/soak/WordPlanner.h"

#include <QObject>
#include <QString>

#include <random>

namespace soak {

class Participant;

struct GameSettings {
    int timePerTurn = 30;
    int playToScore = 30;
    int steals = 3;
};

class SeatPlayer : public QObject {
    Q_OBJECT
public:
    // Own turns without a word of its own after which a seat only discards extras
    // until it forms one again: fresh letters end any stall.
    static constexpr int kStallTurns = 40;

    SeatPlayer(Participant &participant, SoakCounters &counts, WordPlanner &planner, const GameSettings &game,
               quint32 seed, QObject *parent = nullptr);

    // Seat 1 starts the first game; every later one starts when the last has a winner.
    void begin();
    // No more moves and no more games.
    void stop();

private:
    void onReceived(const QString &command, const QString &rest);
    void startGame();
    void takeTurn();
    // The host answered the waiting move (or ended the turn); records its latency.
    void settle();
    bool own(int seat) const;

    Participant &m_participant;
    SoakCounters &m_counts;
    WordPlanner &m_planner;
    GameSettings m_game;
    std::mt19937 m_random;
    SeatState m_seat;
    bool m_waiting = false;
    qint64 m_sentAtNs = 0;
    int m_turnsWithoutWord = 0;
    bool m_stopped = false;
};

}  // namespace soak
