// One move of the Strong computer with the real word list: the positions before its moves
// in seeded games against the Classic computer, and the search alone on the same positions.
#include "dictionary/TDictn.h"
#include "dictionary/Vocabulary.h"
#include "host/AnagramIndex.h"
#include "host/ComputerPlayer.h"
#include "host/GameRules.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/SlotSink.h"
#include "host/StrongPlayer.h"
#include "host/TurnClock.h"
#include "net/GameFacts.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class QuietSink : public SlotSink {
public:
    void sendToSlot(int, const QByteArray &) override { }
    void closeSlot(int) override { }
};

// Strong in seat 1, Classic in seat 2, nobody connected.
struct Match {
    Match()
        : spell(folder.path())
        , words(*AnagramIndex::load(spell.filePath()))
        , random(11)
        , rules(seats, sink, random, spell, clock)
        , classic(seats, rules, loadVocabulary())
        , strong(seats, rules, words)
    {
    }
    QTemporaryDir folder;
    TDictn spell;
    AnagramIndex words;
    QuietSink sink;
    Random random;
    SeatTable seats;
    TurnClock clock;
    GameRules rules;
    ComputerPlayer classic;
    StrongPlayer strong;
};

// The table before every Strong move of eight seeded games to 200, unlimited steals.
std::vector<SeatTable> strongPositions(Match &match)
{
    std::vector<SeatTable> positions;
    for (quint32 seed = 1; seed <= 8; ++seed) {
        match.random = Random(seed);
        match.rules.startgame({QStringLiteral("P"), 30, 200, 10000});
        match.seats.setWatching(1, true);
        match.seats.setWatching(2, true);
        for (int move = 0; move < 1000 && match.seats.gameInProgress(); ++move) {
            const int mover = match.seats.whoseTurn();
            if (mover == 1) {
                positions.push_back(match.seats);
                match.strong.computerplay(mover);
            } else {
                match.classic.computerplay(mover);
            }
        }
    }
    return positions;
}

void BM_StrongMoveInGame(benchmark::State &state)
{
    Match match;
    const std::vector<SeatTable> positions = strongPositions(match);
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        match.seats = positions[next];
        next = (next + 1) % positions.size();
        state.ResumeTiming();
        match.strong.computerplay(1);
    }
    state.counters["positions"] = double(positions.size());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StrongMoveInGame)->Unit(benchmark::kMillisecond);

// The choice alone, without the requests and the rules' word checks on disk.
void BM_StrongSearchOnly(benchmark::State &state)
{
    Match match;
    const std::vector<SeatTable> positions = strongPositions(match);
    std::vector<SearchPosition> seen;
    for (const SeatTable &table : positions)
        seen.push_back(StrongPlayer::positionFor(table, 1));
    MoveSearch search(match.words);
    size_t next = 0;
    double lookups = 0;
    for (auto _ : state) {
        const MovePlan plan = search.choose(seen[next]);
        benchmark::DoNotOptimize(plan.value);
        lookups += search.lookups();
        next = (next + 1) % seen.size();
    }
    state.counters["lookups"] = benchmark::Counter(lookups, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StrongSearchOnly)->Unit(benchmark::kMillisecond);

// The most work one search can have: ten different letters on each board, six different
// extras and steals left on both sides, so every place, discard and steal is looked at.
void BM_StrongSearchFullBoards(benchmark::State &state)
{
    Match match;
    SearchPosition position;
    const char *mine = "aeilnorstd";
    const char *his = "ubcmpghkyw";
    const char *extras = "eaoisr";
    for (int i = 0; i < 10; ++i) {
        position.board[static_cast<size_t>(i + 1)] = quarn::codeOf(QLatin1Char(mine[i]));
        position.hisBoard[static_cast<size_t>(i + 1)] = quarn::codeOf(QLatin1Char(his[i]));
    }
    for (int k = 0; k < 6; ++k)
        position.extras[static_cast<size_t>(k + 1)] = quarn::codeOf(QLatin1Char(extras[k]));
    position.playToScore = 1000;
    position.stealsLeft = quarn::kUnlimitedSteals;
    position.hisStealsLeft = quarn::kUnlimitedSteals;
    MoveSearch search(match.words);
    for (auto _ : state) {
        const MovePlan plan = search.choose(position);
        benchmark::DoNotOptimize(plan.value);
    }
    state.counters["lookups"] = search.lookups();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StrongSearchFullBoards)->Unit(benchmark::kMillisecond);

// Reading the word list into memory, once per game that chooses Strong.
void BM_StrongWordListLoad(benchmark::State &state)
{
    QTemporaryDir folder;
    TDictn spell(folder.path());
    for (auto _ : state) {
        std::optional<AnagramIndex> words = AnagramIndex::load(spell.filePath());
        benchmark::DoNotOptimize(words->wordCount());
    }
}
BENCHMARK(BM_StrongWordListLoad)->Unit(benchmark::kMillisecond);

}  // namespace
