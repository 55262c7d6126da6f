// A game record of 500 events (a long game between two players: deals, turns, placements,
// words, a steal, a swap and discards, as the recorder writes them): reading its text and
// stepping a client game to its end, as the replay window does when a record is opened
// and "Last" is pressed; and the same record stepped one event at a time, as Play does.
#include "client/model/ClientGame.h"
#include "client/model/GameRecordReader.h"
#include "client/model/GameRecordWriter.h"
#include "client/model/GameReplay.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using Kind = RecordEvent::Kind;

constexpr int kEvents = 500;

RecordEvent event(Kind kind, const std::function<void(RecordEvent &)> &fill)
{
    RecordEvent e;
    e.kind = kind;
    fill(e);
    return e;
}

QByteArray longRecord()
{
    GameRecord record;
    GameRecord::Header &h = record.header;
    h.date = QDateTime::fromString(QStringLiteral("2026-12-08T20:15:00Z"), Qt::ISODate);
    h.names = {QStringLiteral("Ann"), QStringLiteral("Vumi")};
    h.viewer = 1;
    h.playToScore = 100000;
    h.timePerTurn = 30;
    h.steals = 5;
    std::array<int, 2> scores{};
    const auto add = [&](RecordEvent e) {
        if (e.kind == Kind::Word)
            scores[size_t(e.seat - 1)] += e.points;
        e.scores = scores;
        record.events.append(e);
    };
    for (int extra = 1; extra <= 6; ++extra)
        add(event(Kind::Deal, [&](RecordEvent &e) {
            e.extra = extra;
            e.letter = extra;
        }));
    int turn = 0;
    while (record.events.size() < kEvents - 1) {
        const int seat = turn % 2 + 1;
        const int cell = turn % 10 + 1;
        add(event(Kind::Turn, [&](RecordEvent &e) {
            e.seat = seat;
            e.steals = 5;
        }));
        switch (turn % 5) {
        case 0:
        case 1:
            add(event(Kind::Place, [&](RecordEvent &e) {
                e.seat = seat;
                e.cell = cell;
                e.extra = turn % 6 + 1;
                e.letter = turn % 26 + 1;
            }));
            add(event(Kind::Word, [&](RecordEvent &e) {
                e.seat = seat;
                e.points = 5;
                e.text = QStringLiteral("WORDS");
            }));
            break;
        case 2:
            add(event(Kind::Swap, [&](RecordEvent &e) {
                e.seat = seat;
                e.cell = cell;
                e.cell2 = 11 - cell;
                e.letter = 3;
                e.letter2 = 0;
            }));
            add(event(Kind::DiscardLetter, [&](RecordEvent &e) {
                e.seat = seat;
                e.cell = cell;
            }));
            break;
        case 3:
            add(event(Kind::Steal, [&](RecordEvent &e) {
                e.seat = seat;
                e.cell = cell;
                e.cell2 = cell;
                e.letter = 7;
            }));
            add(event(Kind::Word, [&](RecordEvent &e) {
                e.seat = seat;
                e.points = 9;
                e.text = QStringLiteral("STEAL");
            }));
            break;
        default:
            add(event(Kind::DiscardExtra, [&](RecordEvent &e) {
                e.seat = seat;
                e.extra = 2;
            }));
            break;
        }
        if (seat == 1)
            add(event(Kind::Deal, [&](RecordEvent &e) {
                e.extra = turn % 6 + 1;
                e.letter = (turn * 7) % 26 + 1;
            }));
        ++turn;
    }
    record.events.resize(kEvents - 1);
    add(event(Kind::Winner, [&](RecordEvent &e) { e.seat = 1; }));
    h.finished = true;
    h.winner = 1;
    h.finalScores = scores;
    return GameRecordWriter::write(record);
}

void BM_OpenAndStepToTheEnd(benchmark::State &state)
{
    const QByteArray text = longRecord();
    for (auto _ : state) {
        const GameRecordReader::Result read = GameRecordReader::read(text);
        if (!read.ok() || read.record.events.size() != kEvents)
            state.SkipWithError("the record does not read whole");
        ClientGame game;
        GameReplay replay(game);
        replay.load(read.record);
        replay.stepTo(replay.length());
        benchmark::DoNotOptimize(game.seat(1)->score);
    }
    state.counters["bytes"] = double(text.size());
}
BENCHMARK(BM_OpenAndStepToTheEnd)->Unit(benchmark::kMillisecond);

void BM_ReadOnly(benchmark::State &state)
{
    const QByteArray text = longRecord();
    for (auto _ : state)
        benchmark::DoNotOptimize(GameRecordReader::read(text).record.events.size());
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond);

void BM_StepOneEventAtATime(benchmark::State &state)
{
    const GameRecordReader::Result read = GameRecordReader::read(longRecord());
    for (auto _ : state) {
        ClientGame game;
        GameReplay replay(game);
        replay.load(read.record);
        for (int n = 1; n <= replay.length(); ++n)
            replay.stepTo(n);
        benchmark::DoNotOptimize(game.seat(1)->score);
    }
}
BENCHMARK(BM_StepOneEventAtATime)->Unit(benchmark::kMillisecond);

void BM_StepBackFromTheEnd(benchmark::State &state)
{
    const GameRecordReader::Result read = GameRecordReader::read(longRecord());
    ClientGame game;
    GameReplay replay(game);
    replay.load(read.record);
    for (auto _ : state) {
        state.PauseTiming();
        replay.stepTo(replay.length());
        state.ResumeTiming();
        replay.stepTo(replay.length() - 1);
    }
}
BENCHMARK(BM_StepBackFromTheEnd)->Unit(benchmark::kMillisecond);

}  // namespace
