// The host's seat table; see SeatTable.h.
#include "host/SeatTable.h"

#include <algorithm>
#include <limits>
#include <utility>

int saturatedSum(qint64 a, qint64 b)
{
    return static_cast<int>(
        std::clamp<qint64>(a + b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

tplayer *SeatTable::record(int slot)
{
    return isSlot(slot) ? &m_players[static_cast<size_t>(slot)] : nullptr;
}

const tplayer &SeatTable::player(int slot) const
{
    static const tplayer kNobody;
    return isSlot(slot) ? m_players[static_cast<size_t>(slot)] : kNobody;
}

int SeatTable::accept()
{
    for (int slot = 1; slot <= kHighestSlot; ++slot) {
        if (!isConnected(slot)) {
            m_players[static_cast<size_t>(slot)].connected = 1;
            m_seatsUsed = std::max(m_seatsUsed, slot);
            return slot;
        }
    }
    return 0;
}

void SeatTable::login(int slot, const QString &name)
{
    if (tplayer *p = record(slot)) {
        p->name = name;
        p->connected = 1;
        m_seatsUsed = std::max(m_seatsUsed, slot);
    }
}

void SeatTable::depart(int slot)
{
    if (tplayer *p = record(slot)) {
        p->connected = 0;
        p->name.clear();
        p->justwatching = 0;
    }
}

void SeatTable::setWatching(int seat, bool on)
{
    if (tplayer *p = record(seat))
        p->justwatching = on ? 1 : 0;
}

bool SeatTable::isConnected(int slot) const
{
    return player(slot).connected == 1;
}

QList<int> SeatTable::connectedSlots() const
{
    QList<int> slots;
    for (int slot = 1; slot <= m_seatsUsed; ++slot) {
        if (isConnected(slot))
            slots.append(slot);
    }
    return slots;
}

const QStringList &SeatTable::formedWords(int seat) const
{
    static const QStringList kNone;
    return seat >= 1 && seat <= kDealtSlots ? m_formed[static_cast<size_t>(seat)] : kNone;
}

bool SeatTable::hasFormed(int seat, const QString &word) const
{
    return formedWords(seat).contains(word, Qt::CaseInsensitive);
}

int SeatTable::stealsLeft(int seat) const
{
    if (!isSlot(seat))
        return 0;
    return saturatedSum(m_settings.stealsAllowed, -qint64(player(seat).steals));
}

void SeatTable::startGame(const GameSettings &settings)
{
    m_gameInProgress = true;
    m_settings = settings;
    for (int slot = 1; slot <= kDealtSlots; ++slot) {
        tplayer &p = m_players[static_cast<size_t>(slot)];
        p.score = 0;
        p.steals = 0;
        p.justwatching = 0;
        p.board.fill(0);
        p.extras.fill(0);
        m_formed[static_cast<size_t>(slot)].clear();
    }
}

void SeatTable::endGame()
{
    m_gameInProgress = false;
}

void SeatTable::setMover(int seat)
{
    if (quarn::isSeat(seat))
        m_whoseTurn = seat;
}

int SeatTable::passTurn()
{
    m_whoseTurn = m_whoseTurn == 1 ? 2 : 1;
    m_players[static_cast<size_t>(m_whoseTurn)].turnlock = 0;
    return m_whoseTurn;
}

void SeatTable::setExtra(int seat, int extra, int code)
{
    if (tplayer *p = record(seat); p && isExtra(extra))
        p->extras[static_cast<size_t>(extra)] = code;
}

void SeatTable::placeExtra(int seat, int extra, int cell)
{
    if (tplayer *p = record(seat); p && isExtra(extra) && isCell(cell)) {
        p->board[static_cast<size_t>(cell)] = p->extras[static_cast<size_t>(extra)];
        p->extras[static_cast<size_t>(extra)] = 0;
    }
}

void SeatTable::setCell(int seat, int cell, int code)
{
    if (tplayer *p = record(seat); p && isCell(cell))
        p->board[static_cast<size_t>(cell)] = code;
}

void SeatTable::swapCells(int seat, int a, int b)
{
    if (tplayer *p = record(seat); p && isCell(a) && isCell(b))
        std::swap(p->board[static_cast<size_t>(a)], p->board[static_cast<size_t>(b)]);
}

int SeatTable::addToScore(int seat, int points)
{
    tplayer *p = record(seat);
    if (!p)
        return 0;
    p->score = saturatedSum(p->score, points);
    return p->score;
}

void SeatTable::countSteal(int seat)
{
    if (tplayer *p = record(seat))
        p->steals = m_settings.stealsAllowed == quarn::kUnlimitedSteals ? 0 : saturatedSum(p->steals, 1);
}

void SeatTable::recordFormedWord(int seat, const QString &word)
{
    if (seat >= 1 && seat <= kDealtSlots)
        m_formed[static_cast<size_t>(seat)].append(word);
}

void SeatTable::setRunningGame(const GameSettings &settings)
{
    m_gameInProgress = true;
    m_settings = settings;
}

void SeatTable::setBoard(int seat, const tplayer::Board &board)
{
    if (tplayer *p = record(seat)) {
        p->board = board;
        p->board[0] = 0;
    }
}

void SeatTable::setExtras(int seat, const tplayer::Extras &extras)
{
    if (tplayer *p = record(seat)) {
        p->extras = extras;
        p->extras[0] = 0;
    }
}

void SeatTable::setScore(int seat, int score)
{
    if (tplayer *p = record(seat))
        p->score = score;
}

void SeatTable::setSteals(int seat, int steals)
{
    if (tplayer *p = record(seat))
        p->steals = steals;
}
