// The Strong computer's move; see StrongPlayer.h.
#include "host/StrongPlayer.h"

#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "net/GameFacts.h"

StrongPlayer::StrongPlayer(const SeatTable &table, GameRules &rules, const AnagramIndex &words)
    : m_table(table)
    , m_rules(rules)
    , m_search(words)
{
}

SearchPosition StrongPlayer::positionFor(const SeatTable &table, int seat)
{
    const int other = GameRules::opponentOf(seat);
    const tplayer &me = table.player(seat);
    const tplayer &him = table.player(other);
    SearchPosition position;
    position.board = me.board;
    position.extras = me.extras;
    position.hisBoard = him.board;
    position.score = me.score;
    position.hisScore = him.score;
    position.playToScore = table.settings().playToScore;
    position.stealsLeft = table.stealsLeft(seat);
    position.hisStealsLeft = table.stealsLeft(other);
    position.formed = table.formedWords(seat);
    position.hisFormed = table.formedWords(other);
    return position;
}

void StrongPlayer::computerplay(int seat)
{
    if (!quarn::isSeat(seat))
        return;
    m_lastPlan = m_search.choose(positionFor(m_table, seat));
    carryOut(seat, m_lastPlan);
}

void StrongPlayer::carryOut(int seat, const MovePlan &plan)
{
    for (const auto &[a, b] : plan.trades)
        m_rules.tradingmyletter({seat, a, b});
    switch (plan.action) {
    case MovePlan::Action::Place: m_rules.placemyletter({seat, plan.from, plan.to}); return;
    case MovePlan::Action::DiscardLetter: m_rules.discardletter({seat, plan.from}); return;
    case MovePlan::Action::DiscardExtra: m_rules.discardextra({seat, plan.from}); return;
    case MovePlan::Action::Steal:
        // The search only plans steals that form a new word; should the rules still
        // refuse one, the turn is ended another way.
        if (!m_rules.stealinghisletter({seat, plan.from, plan.to}))
            endTurnAnyhow(seat);
        return;
    case MovePlan::Action::Nothing: endTurnAnyhow(seat); return;
    }
}

void StrongPlayer::endTurnAnyhow(int seat)
{
    if (!m_table.gameInProgress() || m_table.whoseTurn() != seat)
        return;
    const tplayer &player = m_table.player(seat);
    for (int k = 1; k <= quarn::kExtras; ++k) {
        if (player.extras[static_cast<size_t>(k)] != 0) {
            m_rules.discardextra({seat, k});
            return;
        }
    }
    for (int cell = 1; cell <= quarn::kCells; ++cell) {
        if (player.board[static_cast<size_t>(cell)] != 0) {
            m_rules.discardletter({seat, cell});
            return;
        }
    }
    // Nothing left to play with: the turn passes all the same, or the game would wait
    // forever on a clock that is already off.
    m_rules.passTurnOrDeclareWinner();
}
