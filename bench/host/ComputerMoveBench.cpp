// One move of the computer opponent with the real vocabulary and the real word list:
// positions taken from whole computer-against-computer games, and the worst case of a
// scan through the whole vocabulary that finds no target.
#include "dictionary/TDictn.h"
#include "dictionary/Vocabulary.h"
#include "host/ComputerPlayer.h"
#include "host/GameRules.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/SlotSink.h"
#include "host/TurnClock.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class DiscardingSink : public SlotSink {
public:
    void sendToSlot(int, const QByteArray &message) override { bytes += message.size(); }
    void closeSlot(int) override { }
    qint64 bytes = 0;
};

// Everything a move reads or changes: a whole copy of the seat table, taken while a
// game runs.
using Position = SeatTable;

// A table where the computer plays both seats; no seat is connected, so nothing is sent.
struct Table {
    Table()
        : spell(folder.path())
        , random(7)
        , rules(seats, sink, random, spell, clock)
        , computer(seats, rules, loadVocabulary())
    {
        rules.setComputer(&computer);
    }
    QTemporaryDir folder;
    TDictn spell;
    DiscardingSink sink;
    Random random;
    SeatTable seats;
    TurnClock clock;
    GameRules rules;
    ComputerPlayer computer;
};

// The position before every move of several seeded games played to 100.
std::vector<Position> gamePositions(Table &table)
{
    std::vector<Position> positions;
    for (quint32 seed = 1; seed <= 8; ++seed) {
        table.random = Random(seed);
        table.rules.startgame({QStringLiteral("P"), 30, 100, 3});
        table.seats.setWatching(1, true);
        table.seats.setWatching(2, true);
        for (int move = 0; move < 400 && table.seats.gameInProgress(); ++move) {
            positions.push_back(table.seats);
            table.computer.computerplay(table.seats.whoseTurn());
        }
    }
    return positions;
}

void BM_ComputerMoveInGame(benchmark::State &state)
{
    Table table;
    const std::vector<Position> positions = gamePositions(table);
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        table.seats = positions[next];
        next = (next + 1) % positions.size();
        state.ResumeTiming();
        table.computer.computerplay(table.seats.whoseTurn());
    }
    state.counters["positions"] = double(positions.size());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputerMoveInGame)->Unit(benchmark::kMicrosecond);

// Letters that spell nothing: every one of the 7,685 candidates is looked at, then an
// extra is discarded.
void BM_ComputerMoveFullScan(benchmark::State &state)
{
    Table table;
    table.rules.startgame({QStringLiteral("P"), 30, 100, 3});
    Position position = table.seats;
    const int seat = position.whoseTurn();
    position.setBoard(seat, {0, 17, 17, 17, 0, 0, 0, 0, 0, 0, 0});  // q q q
    position.setExtras(seat, {0, 24, 24, 26, 26, 10, 10});  // x x z z j j
    position.setBoard(GameRules::opponentOf(seat), {});
    for (auto _ : state) {
        state.PauseTiming();
        table.seats = position;
        state.ResumeTiming();
        table.computer.computerplay(seat);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputerMoveFullScan)->Unit(benchmark::kMicrosecond);

}  // namespace
