// The replay of a recorded game; see GameReplay.h.
#include "client/model/GameReplay.h"

#include "client/model/ClientGame.h"
#include "net/Catalogue.h"
#include "net/Message.h"

namespace {

using Kind = RecordEvent::Kind;
namespace compose = net::toClient;

// The rest of a composed message, as the connection hands it to a handler.
QString restOf(QByteArray message)
{
    if (message.endsWith(net::kTerminator))
        message.chop(1);
    const auto split = net::splitMessage(message);
    return split ? split->rest : QString();
}

int opponentOf(int seat)
{
    return quarn::kSeats + 1 - seat;
}

}  // namespace

GameReplay::GameReplay(ClientGame &game)
    : m_game(game)
{
}

void GameReplay::load(const GameRecord &record)
{
    m_record = record;
    restart();
}

void GameReplay::restart()
{
    const GameRecord::Header &h = m_record.header;
    if (m_game.ownSlot() != h.viewer)
        m_game.logIn(h.viewer);
    for (int seat = 1; seat <= quarn::kSeats; ++seat)
        m_game.setSeatName(seat, h.names[quarn::positionIndex(seat)]);
    // A win clears the turn; the start that follows clears the win, the boards, the
    // extras, the scores and the words.
    m_game.winner(restOf(compose::winner(1)));
    m_game.startthegame(restOf(compose::startgame(h.names[0], h.timePerTurn, h.playToScore, h.steals)));
    m_position = 0;
}

void GameReplay::stepTo(int position)
{
    position = std::clamp(position, 0, length());
    if (position < m_position)
        restart();
    while (m_position < position)
        play(m_record.events[m_position++]);
    // The countdown belongs to a live game only.
    m_game.turntimer().stop();
}

void GameReplay::play(const RecordEvent &e)
{
    const GameRecord::Header &h = m_record.header;
    switch (e.kind) {
    case Kind::Deal: m_game.letters(restOf(compose::letters(h.viewer, {{e.extra, e.letter}}))); break;
    case Kind::Boards: {
        // The host's catch-up names the filled cells only; the record holds both boards
        // whole, so the empty cells are emptied here.
        QList<net::BoardLetter> letters;
        for (int seat = 1; seat <= quarn::kSeats; ++seat) {
            for (int cell = 1; cell <= quarn::kCells; ++cell) {
                const int code = e.boards[quarn::positionIndex(seat)][quarn::positionIndex(cell)];
                if (code != 0)
                    letters.append({seat, cell, code});
                else if (m_game.cell(seat, cell) != 0)
                    m_game.discardletter(restOf(compose::discardletter(seat, cell)));
            }
        }
        m_game.placetheletters(restOf(compose::placetheletters(letters)));
        break;
    }
    case Kind::Scores:
        m_game.gamestats(restOf(compose::gamestats(h.timePerTurn, h.playToScore, h.steals, e.scores[0], e.scores[1])));
        break;
    case Kind::Place: m_game.placemyletter(restOf(compose::placemyletter(e.seat, e.extra, e.cell, e.letter))); break;
    case Kind::DiscardLetter: m_game.discardletter(restOf(compose::discardletter(e.seat, e.cell))); break;
    case Kind::DiscardExtra: m_game.discardextra(restOf(compose::discardextra(e.seat, e.extra))); break;
    case Kind::Swap:
        m_game.tradingmyletter(restOf(compose::tradingmyletter(e.seat, e.cell, e.letter, e.cell2, e.letter2)));
        break;
    case Kind::Steal:
        m_game.stoldletter(restOf(compose::stoldletter(e.seat, opponentOf(e.seat), e.cell, e.cell2, e.letter)));
        break;
    case Kind::Word:
        m_game.formedword(
            restOf(compose::formedword(e.seat, e.text, e.points, e.scores[quarn::positionIndex(e.seat)])));
        break;
    case Kind::Refused:
        if (e.reason == RecordEvent::Reason::NotAWord)
            m_game.notvalid(restOf(compose::notvalid(e.seat)));
        else
            m_game.toomany(restOf(compose::toomany(e.seat)));
        break;
    case Kind::TimeUp: m_game.timeup(restOf(compose::timeup())); break;
    case Kind::Turn: m_game.getnextplayer(restOf(compose::nextplayer(e.seat, e.steals))); break;
    case Kind::Winner: m_game.winner(restOf(compose::winner(e.seat))); break;
    case Kind::Name: m_game.setSeatName(e.seat, e.text); break;
    }
}

QStringList GameReplay::eventTexts() const
{
    QStringList texts;
    texts.reserve(length());
    std::array<QString, quarn::kSeats> names = m_record.header.names;
    for (const RecordEvent &e : m_record.events) {
        texts.append(e.describe(names[0], names[1]));
        if (e.kind == Kind::Name)
            names[quarn::positionIndex(e.seat)] = e.text;
    }
    return texts;
}

QList<RecordEvent> GameReplay::wordsSoFar() const
{
    QList<RecordEvent> words;
    for (int i = 0; i < m_position; ++i) {
        if (m_record.events[i].kind == Kind::Word)
            words.append(m_record.events[i]);
    }
    return words;
}
