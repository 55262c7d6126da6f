// The host's game rules: letter supply, game start, the turn actions, the word check,
// the turn change, the win test and the turn clock; see GameRules.h.
#include "host/GameRules.h"

#include "dictionary/TDictn.h"
#include "host/ComputerOpponent.h"
#include "host/ParticipantName.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/TurnClock.h"

namespace {

// Letters every seat gets at a game start; the sixth comes with its first turn.
constexpr int kDealtLetters = 5;
// Cells of a seat that make a drawn letter less likely: the six extras and board cells 1..4.
constexpr int kCountedBoardCells = 4;
// Ticks before the computer moves for a seat it plays.
constexpr int kComputerDelayTicks = 2;
// Ticks a person's turn runs beyond the time per turn the clients show.
constexpr int kTurnGraceTicks = 2;

}  // namespace

GameRules::GameRules(SeatTable &table, SlotSink &sink, Random &random, TDictn &spell, TurnClock &clock)
    : m_table(table)
    , m_participants(table, sink)
    , m_random(random)
    , m_spell(spell)
    , m_clock(clock)
{
}

QString GameRules::letterText(int code)
{
    return QString(quarn::letterOf(code));
}

int GameRules::letterworth(int code)
{
    return quarn::isLetterCode(code) ? quarn::letterPoints(code) : 1;
}

int GameRules::getletter(int seat)
{
    // One of the draw's faces (a, e, i and o twice); a rare letter stays half of the time.
    const int face = m_random.uniform(static_cast<int>(quarn::kDrawFaces.size()));
    int v = quarn::kDrawFaces[static_cast<size_t>(face)];
    if (quarn::isHalfKept(v) && m_random.uniform(2) == 1)
        v = m_random.uniform(quarn::kLetterCodes) + 1;
    const tplayer &player = m_table.player(seat);
    int copies = 0;
    for (int k = 1; k <= quarn::kExtras; ++k)
        copies += player.extras[static_cast<size_t>(k)] == v ? 1 : 0;
    for (int k = 1; k <= kCountedBoardCells; ++k)
        copies += player.board[static_cast<size_t>(k)] == v ? 1 : 0;
    // A letter the seat already holds survives with chance 1/(copies + 2).
    if (copies > 0 && m_random.uniform(copies + 2) > 0)
        return m_random.uniform(quarn::kLetterCodes) + 1;
    return v;
}

bool GameRules::isMover(int seat) const
{
    return m_table.gameInProgress() && quarn::isSeat(seat) && seat == m_table.whoseTurn();
}

void GameRules::startgame(const net::StartGame &request)
{
    // The starter's name is repeated to everybody: cleaned and cut like a login name, so
    // the broadcast stays one short line whatever the request held.
    const QString name = ParticipantName::clean(request.name);
    const GameSettings settings{request.timePerTurn, request.playToScore, request.steals};
    m_clock.stop();
    m_table.startGame(settings);
    m_participants.broadcast(
        net::toClient::startgame(name, settings.timePerTurn, settings.playToScore, settings.stealsAllowed));

    for (int slot = 1; slot <= SeatTable::kDealtSlots; ++slot) {
        QList<net::ExtraLetter> dealt;
        for (int k = 1; k <= kDealtLetters; ++k) {
            // Each draw sees the letters dealt before it.
            const int code = getletter(slot);
            m_table.setExtra(slot, k, code);
            dealt.append({k, code});
        }
        m_participants.sendTo(slot, net::toClient::letters(slot, dealt));
    }
    // The turn change passes the turn on, so the first mover is the other seat; both are
    // equally likely either way.
    m_table.setMover(m_random.uniform(2) + 1);
    passTurnOrDeclareWinner();
}

void GameRules::placemyletter(const net::toHost::Place &request)
{
    const auto [seat, extra, cell] = request;
    if (!isMover(seat) || !SeatTable::isExtra(extra) || !SeatTable::isCell(cell))
        return;
    const int code = m_table.player(seat).extras[static_cast<size_t>(extra)];
    if (code == 0)
        return;
    m_clock.stop();
    m_table.placeExtra(seat, extra, cell);
    m_participants.broadcast(net::toClient::placemyletter(seat, extra, cell, code));
    checkword(seat);
    passTurnOrDeclareWinner();
}

void GameRules::discardletter(const net::SeatCell &request)
{
    const auto [seat, cell] = request;
    if (!isMover(seat) || !SeatTable::isCell(cell))
        return;
    if (m_table.player(seat).board[static_cast<size_t>(cell)] == 0)
        return;
    m_clock.stop();
    m_table.clearCell(seat, cell);
    m_participants.broadcast(net::toClient::discardletter(seat, cell));
    checkword(seat);
    passTurnOrDeclareWinner();
}

void GameRules::discardextra(const net::SeatExtra &request)
{
    const auto [seat, extra] = request;
    if (!isMover(seat) || !SeatTable::isExtra(extra))
        return;
    if (m_table.player(seat).extras[static_cast<size_t>(extra)] == 0)
        return;
    m_clock.stop();
    m_table.clearExtra(seat, extra);
    // The extras are private: only their owner learns of the discard.
    m_participants.sendTo(seat, net::toClient::discardextra(seat, extra));
    checkword(seat);
    passTurnOrDeclareWinner();
}

void GameRules::tradingmyletter(const net::toHost::Trade &request)
{
    const auto [seat, a, b] = request;
    if (!isMover(seat) || !SeatTable::isCell(a) || !SeatTable::isCell(b))
        return;
    // The clock stays off until the seat ends its turn: trades have no time limit.
    m_clock.stop();
    m_table.swapCells(seat, a, b);
    const tplayer::Board &board = m_table.player(seat).board;
    m_participants.broadcast(
        net::toClient::tradingmyletter(seat, a, board[static_cast<size_t>(a)], b, board[static_cast<size_t>(b)]));
}

bool GameRules::stealinghisletter(const net::toHost::Steal &request)
{
    const auto [seat, hisCell, myCell] = request;
    if (!isMover(seat) || !SeatTable::isCell(hisCell) || !SeatTable::isCell(myCell))
        return false;
    if (m_table.player(seat).steals >= m_table.settings().stealsAllowed) {
        m_participants.sendTo(seat, net::toClient::toomany(seat));
        return false;
    }
    const int victim = opponentOf(seat);
    const int code = m_table.player(victim).board[static_cast<size_t>(hisCell)];
    const int replaced = m_table.player(seat).board[static_cast<size_t>(myCell)];
    // The stolen letter is tried on the seat's board first; only a new word keeps it.
    m_table.setCell(seat, myCell, code);
    if (!checkword(seat)) {
        m_participants.sendTo(seat, net::toClient::notvalid(seat));
        m_table.setCell(seat, myCell, replaced);
        return false;
    }
    m_clock.stop();
    m_table.countSteal(seat);
    m_table.clearCell(victim, hisCell);
    m_participants.broadcast(net::toClient::stoldletter(seat, victim, myCell, hisCell, code));
    passTurnOrDeclareWinner();
    return true;
}

bool GameRules::checkword(int seat)
{
    if (seat < 1 || seat > SeatTable::kDealtSlots)
        return false;
    const tplayer &player = m_table.player(seat);
    // The dictionary is asked for the whole board, gaps as spaces, so a board with a gap
    // is never a word; the word kept and scored is the letters alone.
    QString spelled;
    QString word;
    int sum = 0;
    for (int cell = 1; cell <= quarn::kCells; ++cell) {
        const int code = player.board[static_cast<size_t>(cell)];
        spelled += letterText(code);
        if (quarn::isLetterCode(code)) {
            word += letterText(code);
            sum += letterworth(code);
        }
    }
    if (!m_spell.IsWord(spelled))
        return false;
    if (m_table.hasFormed(seat, word))
        return false;
    m_table.recordFormedWord(seat, word);
    const int points = sum * quarn::wordFactor(static_cast<int>(word.size()));
    const int score = m_table.addToScore(seat, points);
    m_participants.broadcast(net::toClient::formedword(seat, word, points, score));
    return true;
}

void GameRules::passTurnOrDeclareWinner()
{
    // Once a game is won no new turn begins, whoever asks for one.
    if (!m_table.gameInProgress() || checkforwin())
        return;
    m_clock.stop();
    const int mover = m_table.passTurn();
    const tplayer &player = m_table.player(mover);
    for (int k = 1; k <= quarn::kExtras; ++k) {
        if (player.extras[static_cast<size_t>(k)] == 0) {
            const int code = getletter(mover);
            m_table.setExtra(mover, k, code);
            m_participants.sendTo(mover, net::toClient::newletter(mover, k, code));
            break;
        }
    }
    m_participants.broadcast(net::toClient::nextplayer(mover, m_table.stealsLeft(mover)));
    if (playedByComputer(mover))
        m_clock.start(kComputerTag, kComputerDelayTicks);
    else
        m_clock.start(kTurnTag, saturatedSum(m_table.settings().timePerTurn, kTurnGraceTicks));
}

bool GameRules::checkforwin()
{
    const int mover = m_table.whoseTurn();
    if (!quarn::isSeat(mover))
        return false;
    if (m_table.player(mover).score < m_table.settings().playToScore)
        return false;
    if (m_table.player(1).score == m_table.player(2).score)
        return false;
    m_clock.stop();
    m_table.endGame();
    m_participants.broadcast(net::toClient::winner(mover));
    return true;
}

void GameRules::turntimerTimer()
{
    // A stopped clock never ticks, also when a caller drives the handler directly.
    if (!m_table.gameInProgress() || !m_clock.isActive())
        return;
    if (m_clock.countDown() >= 1)
        return;
    m_clock.stop();
    const int mover = m_table.whoseTurn();
    if (!quarn::isSeat(mover))
        return;
    if (m_clock.tag() == kComputerTag) {
        if (m_computer)
            m_computer->computerplay(mover);
    } else {
        timeUp();
    }
}

void GameRules::timeUp()
{
    const int mover = m_table.whoseTurn();
    m_participants.broadcast(net::toClient::timeup());
    // The drawn extra is cleared and reported even when it is already empty.
    const int extra = m_random.uniform(quarn::kExtras) + 1;
    m_table.clearExtra(mover, extra);
    m_participants.sendTo(mover, net::toClient::discardextra(mover, extra));
    passTurnOrDeclareWinner();
}

void GameRules::justWatchSwitched(int seat)
{
    if (!isMover(seat) || m_table.player(seat).justwatching != 1)
        return;
    m_clock.start(kComputerTag, 1);
}

int GameRules::opponentOf(int seat)
{
    return seat == 1 || seat == 3 ? 2 : 1;
}

bool GameRules::playedByComputer(int seat) const
{
    if (!SeatTable::isSlot(seat))
        return false;
    return (seat == 2 && !m_table.isConnected(2)) || m_table.player(seat).justwatching == 1;
}
