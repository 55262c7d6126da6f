// The host's game rules: letter supply, game start, the turn actions, the word check,
// the turn change, the win test and the turn clock.
#include "host/TServer.h"

#include "dictionary/TDictn.h"
#include "host/ComputerPlayer.h"
#include "host/Random.h"
#include "host/SlotSink.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <algorithm>
#include <limits>

Q_LOGGING_CATEGORY(lcHost, "quarn.host", QtWarningMsg)

namespace {

constexpr int kExtras = 6;
constexpr int kCells = 10;
// Slots 1..3 are dealt at a game start and own a formed-word list.
constexpr int kDealtSlots = 3;
// Cells of a seat that make a drawn letter less likely: the six extras and board cells 1..4.
constexpr int kCountedBoardCells = 4;
constexpr int kLastSlot = 11;

bool isExtra(int position) { return position >= 1 && position <= kExtras; }
bool isCell(int position) { return position >= 1 && position <= kCells; }
bool isSlot(int slot) { return slot >= 1 && slot <= kLastSlot; }

// Clamps a 64-bit intermediate result into the range of a 32-bit field.
int clampToInt(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int wordFactor(int letters)
{
    return letters <= 5 ? 1 : letters - 4;
}

} // namespace

TServer::TServer(SlotSink &sink, Random &random, TDictn &spell, QObject *parent)
    : QObject(parent)
    , m_sink(sink)
    , m_random(random)
    , m_spell(spell)
    , m_computer(std::make_unique<ComputerPlayer>(*this))
{
    turntimer.setInterval(1000);
    connect(&turntimer, &QTimer::timeout, this, &TServer::turntimerTimer);
}

TServer::~TServer() = default;

QString TServer::convertoletter(int code)
{
    if (code < 1 || code > 26)
        return QStringLiteral(" ");
    return QString(QChar(u'a' + code - 1));
}

int TServer::letterworth(int code)
{
    // Points of a to z.
    static constexpr std::array<int, 26> kWorth{1, 3, 3, 1, 1, 5, 3, 3, 1, 5, 5, 1, 3,
                                                1, 1, 3, 10, 1, 1, 1, 1, 7, 5, 10, 3, 10};
    if (code < 1 || code > 26)
        return 1;
    return kWorth[static_cast<size_t>(code - 1)];
}

int TServer::getletter(int seat)
{
    int v = m_random.uniform(30) + 1;
    // The four extra values give a, e, i and o twice the weight of the other letters.
    switch (v) {
    case 27: v = 1; break;
    case 28: v = 5; break;
    case 29: v = 9; break;
    case 30: v = 15; break;
    default: break;
    }
    // j, q, x and z are kept only half of the time.
    if (v == 10 || v == 17 || v == 24 || v == 26) {
        if (m_random.uniform(2) == 1)
            v = m_random.uniform(26) + 1;
    }
    if (!isSlot(seat))
        return v;
    const tplayer &player = players[static_cast<size_t>(seat)];
    int copies = 0;
    for (int k = 1; k <= kExtras; ++k)
        copies += player.extras[static_cast<size_t>(k)] == v ? 1 : 0;
    for (int k = 1; k <= kCountedBoardCells; ++k)
        copies += player.board[static_cast<size_t>(k)] == v ? 1 : 0;
    // A letter the seat already holds survives with chance 1/(copies + 2).
    if (copies > 0 && m_random.uniform(copies + 2) > 0)
        return m_random.uniform(26) + 1;
    return v;
}

std::optional<std::array<int, 3>> TServer::readNumbers(const QString &fields, int count, const char *request)
{
    net::FieldReader reader(fields);
    std::array<int, 3> values{};
    try {
        for (int i = 0; i < count; ++i)
            values[static_cast<size_t>(i)] = reader.takeInt();
    } catch (const net::ConversionError &error) {
        qCWarning(lcHost, "%s dropped: %s", request, error.what());
        return std::nullopt;
    }
    return values;
}

bool TServer::isMover(int seat) const
{
    return gameinprogress && (seat == 1 || seat == 2) && seat == whoseturn;
}

void TServer::startgame(const QString &fields)
{
    // Every field is read before anything changes, so a malformed request leaves the
    // running game (or the idle table) exactly as it was.
    net::FieldReader reader(fields);
    const QString name = reader.takeField();
    const auto numbers = readNumbers(reader.rest(), 3, "CMD_startgame");
    if (!numbers)
        return;

    gameinprogress = true;
    turntimer.stop();
    timeperturn = (*numbers)[0];
    playtoscore = (*numbers)[1];
    stealsallowed = (*numbers)[2];
    broadcast(net::toClient::startgame(name, timeperturn, playtoscore, stealsallowed));

    for (int slot = 1; slot <= kDealtSlots; ++slot) {
        tplayer &player = players[static_cast<size_t>(slot)];
        player.score = 0;
        player.steals = 0;
        player.justwatching = 0;
        player.board.fill(0);
        player.extras.fill(0);
        formedWords[static_cast<size_t>(slot)].clear();
    }
    for (int slot = 1; slot <= kDealtSlots; ++slot) {
        tplayer &player = players[static_cast<size_t>(slot)];
        QList<net::ExtraLetter> dealt;
        for (int k = 1; k <= 5; ++k) {
            player.extras[static_cast<size_t>(k)] = getletter(slot);
            dealt.append({k, player.extras[static_cast<size_t>(k)]});
        }
        sendToSeat(slot, net::toClient::letters(slot, dealt));
    }
    // The turn change advances whoseturn, so the first mover is the other seat; both are
    // equally likely either way.
    whoseturn = m_random.uniform(2) + 1;
    findplayer();
}

void TServer::placemyletter(const QString &fields)
{
    const auto numbers = readNumbers(fields, 3, "CMD_placemyletter");
    if (!numbers)
        return;
    const auto [seat, extra, cell] = *numbers;
    if (!isMover(seat) || !isExtra(extra) || !isCell(cell))
        return;
    tplayer &player = players[static_cast<size_t>(seat)];
    const int code = player.extras[static_cast<size_t>(extra)];
    if (code == 0)
        return;
    turntimer.stop();
    player.board[static_cast<size_t>(cell)] = code;
    player.extras[static_cast<size_t>(extra)] = 0;
    broadcast(net::toClient::placemyletter(seat, extra, cell, code));
    checkword(seat);
    findplayer();
}

void TServer::discardletter(const QString &fields)
{
    const auto numbers = readNumbers(fields, 2, "CMD_discardletter");
    if (!numbers)
        return;
    const int seat = (*numbers)[0];
    const int cell = (*numbers)[1];
    if (!isMover(seat) || !isCell(cell))
        return;
    tplayer &player = players[static_cast<size_t>(seat)];
    if (player.board[static_cast<size_t>(cell)] == 0)
        return;
    turntimer.stop();
    player.board[static_cast<size_t>(cell)] = 0;
    broadcast(net::toClient::discardletter(seat, cell));
    checkword(seat);
    findplayer();
}

void TServer::discardextra(const QString &fields)
{
    const auto numbers = readNumbers(fields, 2, "CMD_discardextra");
    if (!numbers)
        return;
    const int seat = (*numbers)[0];
    const int extra = (*numbers)[1];
    if (!isMover(seat) || !isExtra(extra))
        return;
    tplayer &player = players[static_cast<size_t>(seat)];
    if (player.extras[static_cast<size_t>(extra)] == 0)
        return;
    turntimer.stop();
    player.extras[static_cast<size_t>(extra)] = 0;
    sendToSeat(seat, net::toClient::discardextra(seat, extra));
    checkword(seat);
    findplayer();
}

void TServer::tradingmyletter(const QString &fields)
{
    const auto numbers = readNumbers(fields, 3, "CMD_tradingmyletter");
    if (!numbers)
        return;
    const auto [seat, a, b] = *numbers;
    if (!isMover(seat) || !isCell(a) || !isCell(b))
        return;
    // The clock stays off until the seat ends its turn: trades have no time limit.
    turntimer.stop();
    auto &board = players[static_cast<size_t>(seat)].board;
    std::swap(board[static_cast<size_t>(a)], board[static_cast<size_t>(b)]);
    broadcast(net::toClient::tradingmyletter(seat, a, board[static_cast<size_t>(a)], b, board[static_cast<size_t>(b)]));
}

bool TServer::stealinghisletter(const QString &fields)
{
    const auto numbers = readNumbers(fields, 3, "CMD_stealinghisletter");
    if (!numbers)
        return false;
    const auto [seat, hisCell, myCell] = *numbers;
    if (!isMover(seat) || !isCell(hisCell) || !isCell(myCell))
        return false;
    tplayer &player = players[static_cast<size_t>(seat)];
    if (player.steals >= stealsallowed) {
        sendToSeat(seat, net::toClient::toomany(seat));
        return false;
    }
    const int victim = opponentOf(seat);
    auto &hisBoard = players[static_cast<size_t>(victim)].board;
    const int code = hisBoard[static_cast<size_t>(hisCell)];
    const int replaced = player.board[static_cast<size_t>(myCell)];
    player.board[static_cast<size_t>(myCell)] = code;
    if (!checkword(seat)) {
        sendToSeat(seat, net::toClient::notvalid(seat));
        player.board[static_cast<size_t>(myCell)] = replaced;
        return false;
    }
    turntimer.stop();
    player.steals = stealsallowed == kUnlimitedSteals ? 0 : player.steals + 1;
    hisBoard[static_cast<size_t>(hisCell)] = 0;
    broadcast(net::toClient::stoldletter(seat, victim, myCell, hisCell, code));
    findplayer();
    return true;
}

bool TServer::checkword(int seat)
{
    if (seat < 1 || seat > kDealtSlots)
        return false;
    tplayer &player = players[static_cast<size_t>(seat)];
    QString spelled;
    QString word;
    int sum = 0;
    for (int cell = 1; cell <= kCells; ++cell) {
        const int code = player.board[static_cast<size_t>(cell)];
        spelled += convertoletter(code);
        if (code >= 1 && code <= 26) {
            word += convertoletter(code);
            sum += letterworth(code);
        }
    }
    if (!m_spell.IsWord(spelled))
        return false;
    QStringList &formed = formedWords[static_cast<size_t>(seat)];
    if (formed.contains(word, Qt::CaseInsensitive))
        return false;
    formed.append(word);
    const int points = sum * wordFactor(static_cast<int>(word.size()));
    player.score = clampToInt(qint64(player.score) + points);
    broadcast(net::toClient::formedword(seat, word, points, player.score));
    return true;
}

void TServer::findplayer()
{
    // Once a game is won no new turn begins, whoever asks for one.
    if (!gameinprogress || checkforwin())
        return;
    turntimer.stop();
    whoseturn = whoseturn == 1 ? 2 : 1;
    tplayer &mover = players[static_cast<size_t>(whoseturn)];
    mover.turnlock = 0;
    for (int k = 1; k <= kExtras; ++k) {
        if (mover.extras[static_cast<size_t>(k)] == 0) {
            mover.extras[static_cast<size_t>(k)] = getletter(whoseturn);
            sendToSeat(whoseturn, net::toClient::newletter(whoseturn, k, mover.extras[static_cast<size_t>(k)]));
            break;
        }
    }
    broadcast(net::toClient::nextplayer(whoseturn, stealsLeft(whoseturn)));
    if (playedByComputer(whoseturn))
        startTurnClock(kComputerTag, 2);
    else
        startTurnClock(kTurnTag, clampToInt(qint64(timeperturn) + 2));
}

bool TServer::checkforwin()
{
    if (whoseturn != 1 && whoseturn != 2)
        return false;
    if (players[static_cast<size_t>(whoseturn)].score < playtoscore)
        return false;
    if (players[1].score == players[2].score)
        return false;
    turntimer.stop();
    gameinprogress = false;
    broadcast(net::toClient::winner(whoseturn));
    return true;
}

void TServer::turntimerTimer()
{
    // A stopped clock never ticks, also when a caller drives the handler directly.
    if (!gameinprogress || !turntimer.isActive())
        return;
    ticksleft = clampToInt(qint64(ticksleft) - 1);
    if (ticksleft >= 1)
        return;
    turntimer.stop();
    if (whoseturn != 1 && whoseturn != 2)
        return;
    if (turntimerTag == kComputerTag)
        m_computer->computerplay(whoseturn);
    else
        timeUp();
}

void TServer::timeUp()
{
    broadcast(net::toClient::timeup());
    const int extra = m_random.uniform(kExtras) + 1;
    players[static_cast<size_t>(whoseturn)].extras[static_cast<size_t>(extra)] = 0;
    sendToSeat(whoseturn, net::toClient::discardextra(whoseturn, extra));
    findplayer();
}

void TServer::justWatchSwitched(int seat)
{
    if (!isMover(seat) || players[static_cast<size_t>(seat)].justwatching != 1)
        return;
    startTurnClock(kComputerTag, 1);
}

void TServer::startTurnClock(int tag, int ticks)
{
    turntimer.stop();
    turntimerTag = tag;
    ticksleft = ticks;
    turntimer.start();
}

int TServer::opponentOf(int seat)
{
    return seat == 1 || seat == 3 ? 2 : 1;
}

int TServer::stealsLeft(int seat) const
{
    if (!isSlot(seat))
        return 0;
    return clampToInt(qint64(stealsallowed) - players[static_cast<size_t>(seat)].steals);
}

bool TServer::playedByComputer(int seat) const
{
    if (!isSlot(seat))
        return false;
    return (seat == 2 && players[2].connected == 0) || players[static_cast<size_t>(seat)].justwatching == 1;
}

void TServer::broadcast(const QByteArray &message)
{
    const int last = std::min(seatsused, kLastSlot);
    for (int slot = 1; slot <= last; ++slot)
        sendToSeat(slot, message);
}

void TServer::sendToSeat(int slot, const QByteArray &message)
{
    if (isSlot(slot) && players[static_cast<size_t>(slot)].connected == 1)
        m_sink.sendToSlot(slot, message);
}
