// A soak player's view of its seat and its moves; see SeatPlayer.h.
#include "bench/soak/SeatPlayer.h"

#include "bench/soak/Participant.h"
#include "net/Catalogue.h"

#include <QStringList>

namespace soak {
namespace {

// The numeric fields of a message's rest ("1+4+7+" or "1+1+5+2+19").
QList<int> numbers(const QString &rest)
{
    QList<int> values;
    for (const QString &field : rest.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = field.toInt(&ok);
        values.append(ok ? value : -1);
    }
    return values;
}

bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

}  // namespace

SeatPlayer::SeatPlayer(Participant &participant, SoakCounters &counts, WordPlanner &planner, const GameSettings &game,
                       quint32 seed, QObject *parent)
    : QObject(parent)
    , m_participant(participant)
    , m_counts(counts)
    , m_planner(planner)
    , m_game(game)
    , m_random(seed)
{
    connect(&m_participant, &Participant::received, this, &SeatPlayer::onReceived);
}

void SeatPlayer::begin()
{
    if (m_participant.slot() == 1)
        startGame();
}

void SeatPlayer::stop()
{
    m_stopped = true;
}

bool SeatPlayer::own(int seat) const
{
    return seat == m_participant.slot();
}

void SeatPlayer::startGame()
{
    m_participant.send(
        net::toHost::startgame(m_participant.name(), m_game.timePerTurn, m_game.playToScore, m_game.steals));
}

void SeatPlayer::onReceived(const QString &command, const QString &rest)
{
    if (command == QLatin1String("CMD_formedword")) {
        // The word is text: "seat+word+points+score+".
        const QStringList fields = rest.split(QLatin1Char('+'));
        if (own(fields.value(0).toInt())) {
            m_seat.formed.insert(fields.value(1).toLower());
            m_turnsWithoutWord = 0;
            ++m_counts.wordsFormed;
        }
        return;
    }
    const QList<int> n = numbers(rest);
    const auto at = [&](qsizetype i) { return n.value(i, -1); };
    const auto cell = [](int value) { return static_cast<size_t>(inRange(value, 1, WordPlanner::kCells) ? value : 0); };
    const auto extra = [](int value) {
        return static_cast<size_t>(inRange(value, 1, WordPlanner::kExtras) ? value : 0);
    };

    if (command == QLatin1String("CMD_startgame")) {
        m_seat = SeatState{};
        m_waiting = false;
        m_turnsWithoutWord = 0;
        if (m_participant.slot() == 1)
            ++m_counts.gamesStarted;
    } else if (command == QLatin1String("CMD_letters")) {
        if (own(at(0))) {
            for (qsizetype i = 1; i + 1 < n.size(); i += 2)
                m_seat.extras[extra(at(i))] = at(i + 1);
        }
    } else if (command == QLatin1String("CMD_newletter")) {
        if (own(at(0)))
            m_seat.extras[extra(at(1))] = at(2);
    } else if (command == QLatin1String("CMD_placemyletter")) {
        if (own(at(0))) {
            m_seat.board[cell(at(2))] = at(3);
            m_seat.extras[extra(at(1))] = 0;
            settle();
        }
    } else if (command == QLatin1String("CMD_discardletter")) {
        if (own(at(0))) {
            m_seat.board[cell(at(1))] = 0;
            settle();
        }
    } else if (command == QLatin1String("CMD_discardextra")) {
        // Also what the turn clock sends when it takes an extra; CMD_timeup came first then.
        if (own(at(0))) {
            m_seat.extras[extra(at(1))] = 0;
            settle();
        }
    } else if (command == QLatin1String("CMD_tradingmyletter")) {
        if (own(at(0))) {
            m_seat.board[cell(at(1))] = at(2);
            m_seat.board[cell(at(3))] = at(4);
        }
    } else if (command == QLatin1String("CMD_stoldletter")) {
        if (own(at(0)))
            m_seat.board[cell(at(2))] = at(4);
        if (own(at(1)))
            m_seat.board[cell(at(3))] = 0;
    } else if (command == QLatin1String("CMD_timeup")) {
        if (m_waiting) {
            ++m_counts.movesTimedOut;
            m_waiting = false;
        }
    } else if (command == QLatin1String("CMD_nextplayer")) {
        settle();
        if (own(at(0)) && !m_stopped)
            takeTurn();
    } else if (command == QLatin1String("CMD_winner")) {
        settle();
        if (m_participant.slot() == 1) {
            ++m_counts.gamesFinished;
            if (!m_stopped)
                startGame();
        }
    }
    // Index 0 of both arrays is where out-of-range positions went; keep it empty.
    m_seat.board[0] = 0;
    m_seat.extras[0] = 0;
}

void SeatPlayer::takeTurn()
{
    const bool stalled = ++m_turnsWithoutWord > kStallTurns;
    Move move;
    if (!m_planner.choose(m_seat, stalled, m_random, move))
        return;  // nothing to play with; the host's clock ends the turn
    QByteArray request;
    const int slot = m_participant.slot();
    switch (move.kind) {
    case Move::Kind::Place:
        request = net::toHost::placemyletter(slot, move.first, move.second);
        ++m_counts.placeMoves;
        break;
    case Move::Kind::DiscardLetter:
        request = net::toHost::discardletter(slot, move.first);
        ++m_counts.letterDiscards;
        break;
    case Move::Kind::DiscardExtra:
        request = net::toHost::discardextra(slot, move.first);
        ++m_counts.extraDiscards;
        break;
    }
    if (stalled)
        ++m_counts.stalledMoves;
    m_sentAtNs = m_counts.clock.nsecsElapsed();
    m_waiting = m_participant.send(request);
}

void SeatPlayer::settle()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_counts.moveLatencyMs.push_back(double(m_counts.clock.nsecsElapsed() - m_sentAtNs) / 1e6);
}

}  // namespace soak
