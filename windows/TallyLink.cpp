// The game's calls into the tally; see TallyLink.h.
#include "windows/TallyLink.h"

#include "client/model/ClientGame.h"
#include "tally/TallyTable.h"
#include "tally/Ttallylist.h"

TallyLink::TallyLink(Ttallylist &tally, const ClientGame &game)
    : m_tally(tally)
    , m_game(game)
{
}

void TallyLink::addword(const QString &word, int value, int column)
{
    m_tally.table().addword(word, value, column);
}

void TallyLink::anotherword(int column)
{
    m_tally.table().anotherword(column);
}

void TallyLink::addgame(const QString &winner)
{
    // The players of the game that just ended, so that followed opponents among them count.
    m_tally.table().loadchecklist(m_game.ownSlot(), m_game.seatName(1), m_game.seatName(2));
    m_tally.table().addgame(winner);
}

int TallyLink::longestWordLength() const
{
    return m_tally.table().longestWordLength();
}

int TallyLink::bestWordPoints() const
{
    return m_tally.table().bestWordPoints();
}

QStringList TallyLink::opponents() const
{
    return TallyTable::opponentsInGame(m_game.ownSlot(), m_game.seatName(1), m_game.seatName(2));
}
