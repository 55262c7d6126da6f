// Test table for the host's rules.
#include "RulesTable.h"

#include "net/GameFacts.h"
#include "net/Message.h"

RulesTable::RulesTable(const QStringList &words, const QStringList &vocabulary)
    : folder(words)
    , spell(folder.path())
    , rules(seats, sink, random, spell, clock)
    , computer(seats, rules, vocabulary)
{
    rules.setComputer(&computer);
}

void RulesTable::connect(int slot, const QString &name)
{
    seats.login(slot, name);
}

int RulesTable::code(QChar letter)
{
    return quarn::codeOf(letter);
}

namespace {

template <size_t N> std::array<int, N> cellCodes(const QString &cells)
{
    std::array<int, N> codes{};
    for (qsizetype i = 0; i < cells.size() && i + 1 < qsizetype(N); ++i)
        codes[static_cast<size_t>(i + 1)] = RulesTable::code(cells.at(i));
    return codes;
}

template <size_t N> QString cellsText(const std::array<int, N> &cells)
{
    QString text;
    for (size_t i = 1; i < N; ++i)
        text += cells[i] == 0 ? QChar(u'.') : GameRules::letterText(cells[i]).at(0);
    return text;
}

}  // namespace

void RulesTable::setBoard(int seat, const QString &cells)
{
    seats.setBoard(seat, cellCodes<quarn::kCells + 1>(cells));
}

void RulesTable::setExtras(int seat, const QString &cells)
{
    seats.setExtras(seat, cellCodes<quarn::kExtras + 1>(cells));
}

QString RulesTable::board(int seat) const
{
    return cellsText(seats.player(seat).board);
}

QString RulesTable::extras(int seat) const
{
    return cellsText(seats.player(seat).extras);
}

void RulesTable::beginTurn(int seat, int timePerTurn, int playTo, int steals)
{
    seats.setRunningGame({timePerTurn, playTo, steals});
    seats.setMover(seat);
    clock.start(GameRules::kTurnTag, timePerTurn + 2);
}

QString RulesTable::snapshot() const
{
    QString text;
    for (int slot = 1; slot <= SeatTable::kHighestSlot; ++slot) {
        const tplayer &p = seats.player(slot);
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
    const GameSettings &settings = seats.settings();
    text += QStringLiteral("used %1 turn %2 time %3 to %4 steals %5 ticks %6 running %7\n")
                .arg(seats.seatsUsed())
                .arg(seats.whoseTurn())
                .arg(settings.timePerTurn)
                .arg(settings.playToScore)
                .arg(settings.stealsAllowed)
                .arg(clock.ticksLeft())
                .arg(seats.gameInProgress());
    for (int slot = 1; slot <= SeatTable::kDealtSlots; ++slot)
        text += QStringLiteral("formed %1: %2\n").arg(slot).arg(seats.formedWords(slot).join(u','));
    text += QStringLiteral("clock %1 tag %2\n").arg(clock.isActive()).arg(clock.tag());
    return text;
}

QByteArray RulesTable::wire(const char *text)
{
    QByteArray bytes(text);
    bytes.replace('#', net::kTerminator);
    return bytes;
}
