// Test table for the host's rules.
#include "RulesTable.h"

#include "net/Message.h"

RulesTable::RulesTable(const QStringList &words)
    : folder(words)
    , spell(folder.path())
    , server(sink, random, spell)
{
}

void RulesTable::connect(int slot, const QString &name)
{
    server.players[static_cast<size_t>(slot)].connected = 1;
    server.players[static_cast<size_t>(slot)].name = name;
    server.seatsused = std::max(server.seatsused, slot);
}

int RulesTable::code(QChar letter)
{
    const char16_t c = letter.toLower().unicode();
    return c >= u'a' && c <= u'z' ? int(c - u'a') + 1 : 0;
}

void RulesTable::setBoard(int seat, const QString &cells)
{
    auto &board = server.players[static_cast<size_t>(seat)].board;
    board.fill(0);
    for (qsizetype i = 0; i < cells.size() && i < 10; ++i)
        board[static_cast<size_t>(i + 1)] = code(cells.at(i));
}

void RulesTable::setExtras(int seat, const QString &cells)
{
    auto &extras = server.players[static_cast<size_t>(seat)].extras;
    extras.fill(0);
    for (qsizetype i = 0; i < cells.size() && i < 6; ++i)
        extras[static_cast<size_t>(i + 1)] = code(cells.at(i));
}

namespace {
template <size_t N>
QString cellsText(const std::array<int, N> &cells)
{
    QString text;
    for (size_t i = 1; i < N; ++i)
        text += cells[i] == 0 ? QChar(u'.') : TServer::convertoletter(cells[i]).at(0);
    return text;
}
} // namespace

QString RulesTable::board(int seat) const
{
    return cellsText(server.players[static_cast<size_t>(seat)].board);
}

QString RulesTable::extras(int seat) const
{
    return cellsText(server.players[static_cast<size_t>(seat)].extras);
}

void RulesTable::beginTurn(int seat, int timePerTurn, int playTo, int steals)
{
    server.gameinprogress = true;
    server.timeperturn = timePerTurn;
    server.playtoscore = playTo;
    server.stealsallowed = steals;
    server.whoseturn = seat;
    server.turntimerTag = TServer::kTurnTag;
    server.ticksleft = timePerTurn + 2;
    server.turntimer.start();
}

QString RulesTable::snapshot() const
{
    QString text;
    for (size_t slot = 1; slot < server.players.size(); ++slot) {
        const tplayer &p = server.players[slot];
        text += QStringLiteral("slot %1: %2 c%3 s%4 w%5 x[%6] b[%7] t%8 st%9\n")
                    .arg(slot)
                    .arg(p.name)
                    .arg(p.connected)
                    .arg(p.score)
                    .arg(p.justwatching)
                    .arg(cellsText(p.extras), cellsText(p.board))
                    .arg(p.turnlock)
                    .arg(p.steals);
    }
    text += QStringLiteral("used %1 turn %2 time %3 to %4 steals %5 ticks %6 running %7\n")
                .arg(server.seatsused)
                .arg(server.whoseturn)
                .arg(server.timeperturn)
                .arg(server.playtoscore)
                .arg(server.stealsallowed)
                .arg(server.ticksleft)
                .arg(server.gameinprogress);
    for (size_t slot = 1; slot < server.formedWords.size(); ++slot)
        text += QStringLiteral("formed %1: %2\n").arg(slot).arg(server.formedWords[slot].join(u','));
    text += QStringLiteral("clock %1 tag %2\n").arg(server.turntimer.isActive()).arg(server.turntimerTag);
    return text;
}

QByteArray RulesTable::wire(const char *text)
{
    QByteArray bytes(text);
    bytes.replace('#', net::kTerminator);
    return bytes;
}
