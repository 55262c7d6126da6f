// One move of the computer opponent with the real vocabulary and the real word list:
// positions taken from whole computer-against-computer games, and the worst case of a
// scan through the whole vocabulary that finds no target.
#include "dictionary/TDictn.h"
#include "host/ComputerPlayer.h"
#include "host/Random.h"
#include "host/SlotSink.h"
#include "host/TServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class DiscardingSink : public SlotSink {
public:
    void sendToSlot(int, const QByteArray &message) override { bytes += message.size(); }
    void closeSlot(int) override {}
    qint64 bytes = 0;
};

// Everything a move reads or changes.
struct Position {
    std::array<tplayer, 12> players;
    std::array<QStringList, 4> formedWords;
    int whoseturn;
    int playtoscore;
    int stealsallowed;
};

Position capture(const TServer &server)
{
    return {server.players, server.formedWords, server.whoseturn, server.playtoscore, server.stealsallowed};
}

void restore(TServer &server, const Position &position)
{
    server.players = position.players;
    server.formedWords = position.formedWords;
    server.whoseturn = position.whoseturn;
    server.playtoscore = position.playtoscore;
    server.stealsallowed = position.stealsallowed;
    server.gameinprogress = true;
}

// A table where the computer plays both seats; no seat is connected, so nothing is sent.
struct Table {
    Table()
        : spell(folder.path())
        , random(7)
        , server(sink, random, spell)
    {
        server.seatsused = 2;
    }
    QTemporaryDir folder;
    TDictn spell;
    DiscardingSink sink;
    Random random;
    TServer server;
};

// The position before every move of several seeded games played to 100.
std::vector<Position> gamePositions(Table &table)
{
    std::vector<Position> positions;
    for (quint32 seed = 1; seed <= 8; ++seed) {
        table.random = Random(seed);
        table.server.startgame(QStringLiteral("P+30+100+3+"));
        table.server.players[1].justwatching = 1;
        table.server.players[2].justwatching = 1;
        for (int move = 0; move < 400 && table.server.gameinprogress; ++move) {
            positions.push_back(capture(table.server));
            table.server.computer().computerplay(table.server.whoseturn);
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
        restore(table.server, positions[next]);
        next = (next + 1) % positions.size();
        state.ResumeTiming();
        table.server.computer().computerplay(table.server.whoseturn);
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
    table.server.startgame(QStringLiteral("P+30+100+3+"));
    Position position = capture(table.server);
    const int seat = position.whoseturn;
    auto &player = position.players[static_cast<size_t>(seat)];
    player.board = {0, 17, 17, 17, 0, 0, 0, 0, 0, 0, 0};   // q q q
    player.extras = {0, 24, 24, 26, 26, 10, 10};           // x x z z j j
    position.players[static_cast<size_t>(TServer::opponentOf(seat))].board.fill(0);
    for (auto _ : state) {
        state.PauseTiming();
        restore(table.server, position);
        state.ResumeTiming();
        table.server.computer().computerplay(seat);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputerMoveFullScan)->Unit(benchmark::kMicrosecond);

} // namespace
