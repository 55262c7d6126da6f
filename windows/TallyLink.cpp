// The game's calls into the tally; see TallyLink.h.
#include "windows/TallyLink.h"

#include "client/model/ClientGame.h"
#include "net/GameFacts.h"
#include "tally/TallyTable.h"

TallyLink::TallyLink(TallyTable &table, const ClientGame &game)
    : m_table(table)
    , m_game(game)
{
}

void TallyLink::recordLongestWord(const QString &word, int length)
{
    m_table.recordLongestWord(word, length);
}

void TallyLink::recordBestWord(const QString &word, int points)
{
    m_table.recordBestWord(word, points);
}

void TallyLink::countWord()
{
    m_table.countWord();
}

// The players of the game that just ended first, so that followed opponents among them
// count.
void TallyLink::countOwnWin()
{
    m_table.setCurrentPlayers(opponents());
    m_table.countOwnWin();
}

void TallyLink::countGameWonBy(const QString &winner)
{
    m_table.setCurrentPlayers(opponents());
    m_table.countGameWonBy(winner);
}

int TallyLink::longestWordLength() const
{
    return m_table.longestWordLength();
}

int TallyLink::bestWordPoints() const
{
    return m_table.bestWordPoints();
}

QStringList TallyLink::opponents() const
{
    QStringList names;
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        if (!m_game.isOwn(seat) && seatHeld(seat))
            names.append(m_game.seatName(seat));
    }
    return names;
}

// A seat nobody has held yet shows only its label, never an opponent to follow.
bool TallyLink::seatHeld(int seat) const
{
    const ClientGame::Seat *held = m_game.seat(seat);
    return held != nullptr && !held->waiting && !held->name.isEmpty();
}
