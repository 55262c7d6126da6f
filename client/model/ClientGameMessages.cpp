// The handlers of the host's game messages: each decodes its rest with the typed decoder
// and changes the game; see ClientGame.h.
#include "client/model/ClientGame.h"

#include "client/model/GameServices.h"
#include "net/Catalogue.h"
#include "net/GameFacts.h"

#include <QPointer>

namespace {

using namespace net::toClient;

// The seat that is not `seat`.
int otherSeat(int seat)
{
    return 3 - seat;
}

QString capital(int code)
{
    return QString(quarn::letterOf(code).toUpper());
}

// A steal's count drops as soon as the host accepts it; an allowance above 100 is as
// good as unlimited and stays.
int afterOneSteal(int left)
{
    return left > 0 && left <= 100 ? left - 1 : left;
}

}  // namespace

// A seat as the subject of an action line: "You" for the own seat.
QString ClientGame::actor(int seat) const
{
    return isOwn(seat) ? QStringLiteral("You") : seatName(seat);
}

// The line that tells an action; turns that form no word leave their trace in the chat
// this way. A letter nobody may see is never named.
void ClientGame::tellAction(int seat, const QString &verb, int code)
{
    notice(actor(seat) + QLatin1Char(' ') + verb
           + (quarn::isLetterCode(code) ? QLatin1Char(' ') + capital(code) : QStringLiteral(" a letter")));
}

namespace {

}  // namespace

void ClientGame::startthegame(const QString &rest)
{
    const auto start = decode::startgame(rest);
    if (refused(start.has_value(), "CMD_startgame"))
        return;
    m_gameInPlay = true;
    if (m_winner != 0) {
        m_winner = 0;
        m_winnerName.clear();
        Q_EMIT winnerChanged();
    }
    Q_EMIT gameStarted();
    for (int seat = 1; seat <= quarn::kSeats; ++seat)
        setScore(seat, 0);
    // Announced even when empty: the words shown are now this game's.
    m_ownWords.clear();
    Q_EMIT wordsChanged();
    setSettings(Settings{start->timePerTurn, start->playToScore, start->steals, false});
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        Seat &state = *seatAt(seat);
        state.stealsFrom = Seat::StealsFrom::GameStart;
        state.stealsLeft = start->steals;
        Q_EMIT seatChanged(seat);
    }
    notice(start->name + QStringLiteral(" has started a game."));

    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        for (int p = 1; p <= quarn::kCells; ++p)
            setCell(seat, p, 0);
    }
    for (int e = 1; e <= quarn::kExtras; ++e)
        setExtra(e, 0);
    // Clearing the own seat's mark clears the "Just Watch" check mark with it.
    setJustWatching(1, false);
    setJustWatching(2, false);
    if (seat(2)->waiting)
        setSeatName(2, QString(quarn::kComputerName));
}

void ClientGame::letters(const QString &rest)
{
    const auto dealt = decode::letters(rest);
    if (refused(dealt.has_value(), "CMD_letters") || !isOwn(dealt->slot))
        return;
    for (const net::ExtraLetter &pair : std::as_const(dealt->letters))
        setExtra(pair.extra, pair.code);
}

void ClientGame::placetheletters(const QString &rest)
{
    const auto boards = decode::placetheletters(rest);
    if (refused(boards.has_value(), "CMD_placetheletters"))
        return;
    for (const net::BoardLetter &letter : std::as_const(boards->letters))
        setCell(letter.seat, letter.position, letter.code);
}

void ClientGame::gamestats(const QString &rest)
{
    const auto stats = decode::gamestats(rest);
    if (refused(stats.has_value(), "CMD_gamestats"))
        return;
    setScore(1, stats->score1);
    setScore(2, stats->score2);
    setSettings(Settings{stats->timePerTurn, stats->playToScore, stats->steals, true});
}

void ClientGame::getnextplayer(const QString &rest)
{
    const auto next = decode::nextplayer(rest);
    if (refused(next.has_value(), "CMD_nextplayer"))
        return;
    resettiles();
    m_whoseTurn = next->seat;
    m_mover = next->seat;
    Seat &mover = *seatAt(next->seat);
    mover.stealsFrom = Seat::StealsFrom::TurnChange;
    mover.stealsLeft = next->stealsLeft;
    Q_EMIT seatChanged(next->seat);
    Q_EMIT turnChanged();
    if (isOwn(next->seat))
        play(m_turnSoundChoice());
    m_turntimer.start();
    m_secondsLeft = turnLength();
}

void ClientGame::placemyletter(const QString &rest)
{
    const auto placed = decode::placemyletter(rest);
    if (refused(placed.has_value(), "CMD_placemyletter"))
        return;
    m_turntimer.stop();
    setCell(placed->seat, placed->position, placed->code);
    tellAction(placed->seat, QStringLiteral("placed"), placed->code);
    if (isOwn(placed->seat)) {
        setExtra(placed->extra, 0);
        play(QStringLiteral("place"));
    }
    resettiles();
}

void ClientGame::tradingmyletter(const QString &rest)
{
    const auto traded = decode::tradingmyletter(rest);
    if (refused(traded.has_value(), "CMD_tradingmyletter"))
        return;
    m_turntimer.stop();
    setCell(traded->seat, traded->positionA, traded->codeA);
    setCell(traded->seat, traded->positionB, traded->codeB);
    notice(actor(traded->seat) + QStringLiteral(" swapped two letters"));
    play(QStringLiteral("place"));
    resettiles();
}

void ClientGame::discardletter(const QString &rest)
{
    const auto discarded = decode::discardletter(rest);
    if (refused(discarded.has_value(), "CMD_discardletter"))
        return;
    m_turntimer.stop();
    tellAction(discarded->seat, QStringLiteral("discarded"), cell(discarded->seat, discarded->position));
    setCell(discarded->seat, discarded->position, 0);
    if (isOwn(discarded->seat) || isSpectator())
        play(QStringLiteral("clear"));
    resettiles();
}

void ClientGame::discardextra(const QString &rest)
{
    const auto discarded = decode::discardextra(rest);
    if (refused(discarded.has_value(), "CMD_discardextra"))
        return;
    m_turntimer.stop();
    if (!isOwn(discarded->seat))
        return;
    // An extra the time took while it was already empty tells nothing.
    if (const int code = extra(discarded->extra); quarn::isLetterCode(code))
        tellAction(discarded->seat, QStringLiteral("discarded"), code);
    setExtra(discarded->extra, 0);
    resettiles();
    play(QStringLiteral("clear"));
}

void ClientGame::newletter(const QString &rest)
{
    const auto dealt = decode::newletter(rest);
    if (refused(dealt.has_value(), "CMD_newletter"))
        return;
    // The extras drop back to rest; a picked extra stays picked (the turn change that
    // always follows drops it).
    TileSelection selection = m_selection;
    selection.raisedExtras.fill(false);
    setSelection(selection);
    if (isOwn(dealt->seat))
        setExtra(dealt->extra, dealt->code);
}

void ClientGame::stoldletter(const QString &rest)
{
    const auto stolen = decode::stoldletter(rest);
    if (refused(stolen.has_value(), "CMD_stoldletter"))
        return;
    // The letter leaves the stealer's opponent, whatever seat the victim field names.
    setCell(stolen->stealer, stolen->stealerPosition, stolen->code);
    setCell(otherSeat(stolen->stealer), stolen->victimPosition, 0);
    Seat &stealer = *seatAt(stolen->stealer);
    if (const int left = afterOneSteal(stealer.stealsLeft); left != stealer.stealsLeft) {
        stealer.stealsLeft = left;
        Q_EMIT seatChanged(stolen->stealer);
    }
    const int victim = otherSeat(stolen->stealer);
    const QString letter = capital(stolen->code);
    if (isOwn(victim))
        notice(seatName(stolen->stealer) + QStringLiteral(" stole your ") + letter);
    else if (isOwn(stolen->stealer))
        notice(QStringLiteral("You stole ") + letter + QStringLiteral(" from ") + seatName(victim));
    else
        notice(seatName(stolen->stealer) + QStringLiteral(" stole ") + letter + QStringLiteral(" from ")
               + seatName(victim));
    if (isOwn(stolen->stealer) || isSpectator())
        play(QStringLiteral("roundover"));
    resettiles();
}

void ClientGame::formedword(const QString &rest)
{
    const auto formed = decode::formedword(rest);
    if (refused(formed.has_value(), "CMD_formedword"))
        return;
    m_turntimer.stop();
    const QString &word = formed->word;
    if (isOwn(formed->seat)) {
        m_ownWords.prepend(OwnWord{word, formed->points});
        Q_EMIT wordsChanged();
        play(QStringLiteral("goodword"));
        if (TallyRecorder *tally = m_services.tally) {
            if (word.size() > tally->longestWordLength())
                tally->recordLongestWord(word, static_cast<int>(word.size()));
            if (formed->points > tally->bestWordPoints())
                tally->recordBestWord(word, formed->points);
            tally->countWord();
        }
    }
    setScore(formed->seat, formed->score);
    notice(QStringLiteral("For %1 points ").arg(formed->points) + seatName(formed->seat) + QStringLiteral(" formed ")
           + word.toUpper());
    if (isSpectator())
        play(QStringLiteral("goodword"));
    resettiles();
}

void ClientGame::notvalid(const QString &rest)
{
    const auto refusal = decode::notvalid(rest);
    if (refused(refusal.has_value(), "CMD_notvalid"))
        return;
    resettiles();
    if (!isOwn(refusal->seat))
        return;
    showBox(QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word."),
            [game = QPointer<ClientGame>(this)] {
                if (game)
                    game->releaseOpponentPick(true);
            });
}

void ClientGame::toomany(const QString &rest)
{
    const auto refusal = decode::toomany(rest);
    if (refused(refusal.has_value(), "CMD_toomany"))
        return;
    resettiles();
    if (!isOwn(refusal->seat))
        return;
    showBox(QStringLiteral("You have used all your steals."), [game = QPointer<ClientGame>(this)] {
        if (game)
            game->releaseOpponentPick(false);
    });
}

void ClientGame::timeup(const QString &rest)
{
    if (refused(decode::timeup(rest).has_value(), "CMD_timeup"))
        return;
    notice(QStringLiteral("Time Up!"));
}

void ClientGame::winner(const QString &rest)
{
    const auto won = decode::winner(rest);
    if (refused(won.has_value(), "CMD_winner"))
        return;
    m_turntimer.stop();
    m_secondsLeft = 0;
    m_whoseTurn = 0;
    m_gameInPlay = false;
    m_winner = won->seat;
    m_winnerName = seatName(won->seat);
    Q_EMIT winnerChanged();

    if (TallyRecorder *tally = m_services.tally) {
        if (isOwn(won->seat))
            tally->countOwnWin();
        else if (isPlayer())
            tally->countGameWonBy(m_winnerName);
    }
    notice(m_winnerName + QStringLiteral(" has Won the Game!"));
    play(QStringLiteral("gameover"));
}
