// The host's rules (the host form `TServer` of the game's design, less its connections):
// the letter supply, game start, every turn action, the word check, the turn change, the
// win test and the turn clock's expiry. They act on a SeatTable they are given, time turns
// with a TurnClock they are given, and leave the computer's moves to a ComputerOpponent
// they are given. They know no sockets, no widgets and no wire text: requests come in
// decoded by the catalogue (HostSession reads them, the computer players build them), and
// messages go out to the participants through a SlotSink.
#pragma once

#include "host/Participants.h"
#include "net/Catalogue.h"
#include "net/GameFacts.h"

#include <QString>

class ComputerOpponent;
class Random;
class SeatTable;
class SlotSink;
class TDictn;
class TurnClock;

class GameRules {
public:
    static constexpr int kUnlimitedSteals = quarn::kUnlimitedSteals;
    // Tags of the turn clock.
    static constexpr int kTurnTag = 1;  // a person's turn
    static constexpr int kComputerTag = 2;  // the computer's move

    GameRules(SeatTable &table, SlotSink &sink, Random &random, TDictn &spell, TurnClock &clock);

    // The opponent that moves for a seat the computer plays; until one is set, such a
    // seat's clock runs out without a move.
    void setComputer(ComputerOpponent *computer) { m_computer = computer; }

    // The letter of a code (1..26), a space for anything else.
    static QString letterText(int code);
    // The points of a letter code; 1 for anything that is no letter.
    static int letterworth(int code);
    // A new letter for `seat`: vowels favoured, j q x z and letters the seat holds less likely.
    int getletter(int seat);

    // Request handlers. Turn actions count only from the mover of a running game, with
    // positions in range; anything else is ignored silently. stealinghisletter is true
    // when the steal succeeded.
    void startgame(const net::StartGame &request);
    void placemyletter(const net::toHost::Place &request);
    void discardletter(const net::SeatCell &request);
    void discardextra(const net::SeatExtra &request);
    void tradingmyletter(const net::toHost::Trade &request);
    bool stealinghisletter(const net::toHost::Steal &request);

    // Scores the seat's board when it spells a listed word new for the seat.
    bool checkword(int seat);
    // The turn change (`findplayer`): the win test first, and only when nobody won the
    // next mover's turn begins. Nothing happens outside a running game.
    void passTurnOrDeclareWinner();
    bool checkforwin();
    // The clock's tick; does nothing while the clock is stopped or no game runs.
    void turntimerTimer();
    // A seat was switched to just watching: during its own turn the computer moves next tick.
    // Does nothing unless the seat is marked just watching, is the mover and a game runs.
    void justWatchSwitched(int seat);

    // The opponent of seat n: 2 for seats 1 and 3, otherwise 1.
    static int opponentOf(int seat);
    // True when the computer makes the moves of `seat` (an unheld seat 2, or just watching).
    bool playedByComputer(int seat) const;

    const SeatTable &table() const { return m_table; }
    Random &random() { return m_random; }
    TDictn &spell() { return m_spell; }

private:
    // True when `seat` may act now: a running game, the seat is 1 or 2 and is the mover.
    bool isMover(int seat) const;
    void timeUp();

    SeatTable &m_table;
    Participants m_participants;
    Random &m_random;
    TDictn &m_spell;
    TurnClock &m_clock;
    ComputerOpponent *m_computer = nullptr;
};
