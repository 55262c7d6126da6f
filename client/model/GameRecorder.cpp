// The recorder of the games this client sees; see GameRecorder.h.
#include "client/model/GameRecorder.h"

#include "client/model/ClientGame.h"
#include "net/Catalogue.h"

namespace {

using Kind = RecordEvent::Kind;
namespace decode = net::toClient::decode;

RecordEvent eventOf(Kind kind, int seat = 0)
{
    RecordEvent event;
    event.kind = kind;
    event.seat = seat;
    return event;
}

}  // namespace

GameRecorder::GameRecorder(ClientGame &game, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_now([] { return QDateTime::currentDateTimeUtc(); })
{
    connect(&m_game, &ClientGame::seatChanged, this, &GameRecorder::seatChanged);
}

void GameRecorder::setClock(std::function<QDateTime()> now)
{
    if (now)
        m_now = std::move(now);
}

void GameRecorder::setComputerLevel(std::function<QString()> level)
{
    m_level = std::move(level);
}

void GameRecorder::leave()
{
    if (m_recording)
        finish(false, 0);
}

void GameRecorder::begin(bool fromStart)
{
    m_record = GameRecord();
    GameRecord::Header &h = m_record.header;
    h.date = m_now();
    h.viewer = m_game.ownSlot();
    h.fromStart = fromStart;
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        m_names[quarn::positionIndex(seat)] = m_game.seatName(seat);
        h.names[quarn::positionIndex(seat)] = m_game.seatName(seat);
        if (m_level && m_game.seatName(seat) == quarn::kComputerName)
            h.computerLevel = m_level();
    }
    takeSettings();
    m_recording = true;
}

void GameRecorder::takeSettings()
{
    if (const auto &settings = m_game.settings()) {
        m_record.header.playToScore = settings->playToScore;
        m_record.header.timePerTurn = settings->timePerTurn;
        m_record.header.steals = settings->steals;
    }
}

void GameRecorder::add(RecordEvent event)
{
    if (!m_recording)
        return;
    for (int seat = 1; seat <= quarn::kSeats; ++seat)
        event.scores[quarn::positionIndex(seat)] = m_game.seat(seat)->score;
    m_record.events.append(event);
}

void GameRecorder::finish(bool won, int winner)
{
    GameRecord::Header &h = m_record.header;
    h.finished = won;
    h.winner = winner;
    h.finalScores = m_record.events.isEmpty() ? std::array<int, quarn::kSeats>{} : m_record.events.back().scores;
    m_recording = false;
    Q_EMIT recordReady(m_record);
}

void GameRecorder::seatChanged(int seat)
{
    if (!m_recording || !quarn::isSeat(seat))
        return;
    const QString name = m_game.seatName(seat);
    QString &known = m_names[quarn::positionIndex(seat)];
    if (name == known)
        return;
    known = name;
    RecordEvent event = eventOf(Kind::Name, seat);
    event.text = name;
    add(event);
}

void GameRecorder::startthegame(const QString &rest)
{
    const bool valid = decode::startgame(rest).has_value();
    if (valid)
        leave();  // a new game ends the one before it, won or not
    m_game.startthegame(rest);
    if (valid)
        begin(true);
}

void GameRecorder::placetheletters(const QString &rest)
{
    m_game.placetheletters(rest);
    if (!decode::placetheletters(rest))
        return;
    if (!m_recording)
        begin(false);
    RecordEvent event = eventOf(Kind::Boards);
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        for (int cell = 1; cell <= quarn::kCells; ++cell)
            event.boards[quarn::positionIndex(seat)][quarn::positionIndex(cell)] = m_game.cell(seat, cell);
    }
    add(event);
}

void GameRecorder::gamestats(const QString &rest)
{
    m_game.gamestats(rest);
    if (!decode::gamestats(rest))
        return;
    if (!m_recording)
        begin(false);
    else if (!m_record.header.fromStart)
        takeSettings();
    add(eventOf(Kind::Scores));
}

void GameRecorder::letters(const QString &rest)
{
    m_game.letters(rest);
    const auto dealt = decode::letters(rest);
    if (!dealt || !m_game.isOwn(dealt->slot))
        return;
    for (const net::ExtraLetter &pair : std::as_const(dealt->letters)) {
        RecordEvent event = eventOf(Kind::Deal);
        event.extra = pair.extra;
        event.letter = pair.code;
        add(event);
    }
}

void GameRecorder::newletter(const QString &rest)
{
    m_game.newletter(rest);
    const auto dealt = decode::newletter(rest);
    if (!dealt || !m_game.isOwn(dealt->seat))
        return;
    RecordEvent event = eventOf(Kind::Deal);
    event.extra = dealt->extra;
    event.letter = dealt->code;
    add(event);
}

void GameRecorder::getnextplayer(const QString &rest)
{
    m_game.getnextplayer(rest);
    if (const auto next = decode::nextplayer(rest)) {
        RecordEvent event = eventOf(Kind::Turn, next->seat);
        event.steals = next->stealsLeft;
        add(event);
    }
}

void GameRecorder::placemyletter(const QString &rest)
{
    m_game.placemyletter(rest);
    if (const auto placed = decode::placemyletter(rest)) {
        RecordEvent event = eventOf(Kind::Place, placed->seat);
        event.cell = placed->position;
        event.letter = placed->code;
        event.extra = placed->extra;
        add(event);
    }
}

void GameRecorder::tradingmyletter(const QString &rest)
{
    m_game.tradingmyletter(rest);
    if (const auto traded = decode::tradingmyletter(rest)) {
        RecordEvent event = eventOf(Kind::Swap, traded->seat);
        event.cell = traded->positionA;
        event.letter = traded->codeA;
        event.cell2 = traded->positionB;
        event.letter2 = traded->codeB;
        add(event);
    }
}

void GameRecorder::discardletter(const QString &rest)
{
    m_game.discardletter(rest);
    if (const auto discarded = decode::discardletter(rest)) {
        RecordEvent event = eventOf(Kind::DiscardLetter, discarded->seat);
        event.cell = discarded->position;
        add(event);
    }
}

void GameRecorder::discardextra(const QString &rest)
{
    m_game.discardextra(rest);
    if (const auto discarded = decode::discardextra(rest)) {
        RecordEvent event = eventOf(Kind::DiscardExtra, discarded->seat);
        event.extra = discarded->extra;
        add(event);
    }
}

void GameRecorder::stoldletter(const QString &rest)
{
    m_game.stoldletter(rest);
    if (const auto stolen = decode::stoldletter(rest)) {
        RecordEvent event = eventOf(Kind::Steal, stolen->stealer);
        event.cell = stolen->stealerPosition;
        event.cell2 = stolen->victimPosition;
        event.letter = stolen->code;
        add(event);
    }
}

void GameRecorder::formedword(const QString &rest)
{
    m_game.formedword(rest);
    if (const auto formed = decode::formedword(rest)) {
        RecordEvent event = eventOf(Kind::Word, formed->seat);
        event.text = formed->word;
        event.points = formed->points;
        add(event);
    }
}

void GameRecorder::notvalid(const QString &rest)
{
    m_game.notvalid(rest);
    if (const auto refusal = decode::notvalid(rest)) {
        RecordEvent event = eventOf(Kind::Refused, refusal->seat);
        event.reason = RecordEvent::Reason::NotAWord;
        add(event);
    }
}

void GameRecorder::toomany(const QString &rest)
{
    m_game.toomany(rest);
    if (const auto refusal = decode::toomany(rest)) {
        RecordEvent event = eventOf(Kind::Refused, refusal->seat);
        event.reason = RecordEvent::Reason::NoStealsLeft;
        add(event);
    }
}

void GameRecorder::timeup(const QString &rest)
{
    m_game.timeup(rest);
    if (decode::timeup(rest))
        add(eventOf(Kind::TimeUp));
}

void GameRecorder::winner(const QString &rest)
{
    m_game.winner(rest);
    const auto won = decode::winner(rest);
    if (!won || !m_recording)
        return;
    add(eventOf(Kind::Winner, won->seat));
    finish(true, won->seat);
}
