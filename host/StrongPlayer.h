// The Strong computer opponent: for the seat it plays it reads what that seat can see in
// the seat table (never the opponent's extras), lets MoveSearch choose among every action
// open to the seat, and carries the choice out with the same requests a client sends,
// through the rules' handlers, so every rule, message and score applies unchanged.
// Like the Classic computer it moves when the turn clock says so, and never writes the
// seat table itself.
#pragma once

#include "host/ComputerOpponent.h"
#include "host/MoveSearch.h"

class AnagramIndex;
class SeatTable;
class GameRules;

class StrongPlayer : public ComputerOpponent {
public:
    // `words` must outlive the player.
    StrongPlayer(const SeatTable &table, GameRules &rules, const AnagramIndex &words);

    // Makes one complete move for `seat`: the trades that spell the chosen word, then
    // exactly one place, discard or successful steal.
    void computerplay(int seat) override;

    // What `seat` can see of the table, as the search takes it.
    static SearchPosition positionFor(const SeatTable &table, int seat);
    // The plan of the last move (measurements and tests).
    const MovePlan &lastPlan() const { return m_lastPlan; }
    MoveSearch &search() { return m_search; }

private:
    void carryOut(int seat, const MovePlan &plan);
    // Ends the turn with whatever the seat still holds, when the plan could not.
    void endTurnAnyhow(int seat);

    const SeatTable &m_table;
    GameRules &m_rules;
    MoveSearch m_search;
    MovePlan m_lastPlan;
};
