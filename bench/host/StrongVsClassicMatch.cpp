// bench_strong_match: seeded headless games of the Strong computer against the Classic
// one, both seats played by the computer, sides alternating from game to game (Strong
// takes seat 1 in even games, seat 2 in odd ones). Every move goes through the host's
// handlers with the real word list and vocabulary. Prints the wins, the mean points per
// game, the time of a move of each player (CPU time of the thread, and wall time) and what
// the Strong player's word list costs.
//
//   bench_strong_match [--games 200] [--seed 1] [--play-to 200] [--steals 10000]
//                      [--opponent classic|strong]
//
// With --opponent strong both seats play Strong (the second shown as "Other"): a check
// that such games end too.
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

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class DiscardingSink : public SlotSink {
public:
    void sendToSlot(int, const QByteArray &) override { }
    void closeSlot(int) override { }
};

// Resident memory of this process in KiB, from /proc.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// CPU time of this thread in milliseconds: the work of a move, without the waits of a
// machine shared with other programs.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Times {
    std::vector<double> ms;
    void add(double spent) { ms.push_back(spent); }
    double mean() const
    {
        double sum = 0;
        for (const double t : ms)
            sum += t;
        return ms.empty() ? 0 : sum / double(ms.size());
    }
    double quantile(double q) const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, static_cast<size_t>(q * double(sorted.size())))];
    }
};

struct Side {
    int wins = 0;
    long long points = 0;
    Times wall;
    Times cpu;
};

int number(const QCommandLineParser &parser, const QString &name)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok) {
        QTextStream(stderr) << "bench_strong_match: not a number: --" << name << ' ' << parser.value(name) << '\n';
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Strong against Classic, seeded headless games."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("games"), QStringLiteral("Games to play."), QStringLiteral("n"), QStringLiteral("200")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the first game; game i uses seed + i."),
                      QStringLiteral("n"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("play-to"), QStringLiteral("Score that ends a game."), QStringLiteral("n"),
                      QStringLiteral("200")});
    parser.addOption({QStringLiteral("steals"), QStringLiteral("Steals per seat; 10000 = unlimited."),
                      QStringLiteral("n"), QStringLiteral("10000")});
    parser.addOption({QStringLiteral("opponent"), QStringLiteral("The other seat: classic or strong."),
                      QStringLiteral("level"), QStringLiteral("classic")});
    parser.process(app);
    const bool mirror = parser.value(QStringLiteral("opponent")) == QLatin1String("strong");
    const int games = number(parser, QStringLiteral("games"));
    const int seed = number(parser, QStringLiteral("seed"));
    const int playTo = number(parser, QStringLiteral("play-to"));
    const int steals = number(parser, QStringLiteral("steals"));
    constexpr int kMovesPerGame = 3000;

    QTemporaryDir folder;
    TDictn spell(folder.path());
    if (!spell.isOpen()) {
        QTextStream(stderr) << "bench_strong_match: " << spell.errorText() << '\n';
        return 1;
    }
    const long residentBefore = residentKiB();
    const Clock::time_point loadStart = Clock::now();
    std::optional<AnagramIndex> words = AnagramIndex::load(spell.filePath());
    const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - loadStart).count();
    const long residentAfter = residentKiB();
    if (!words) {
        QTextStream(stderr) << "bench_strong_match: the word list cannot be read\n";
        return 1;
    }

    DiscardingSink sink;
    Random random(static_cast<quint32>(seed));
    SeatTable seats;
    TurnClock clock;
    GameRules rules(seats, sink, random, spell, clock);
    ComputerPlayer classic(seats, rules, loadVocabulary());
    StrongPlayer strong(seats, rules, *words);
    StrongPlayer otherStrong(seats, rules, *words);
    ComputerOpponent &other = mirror ? static_cast<ComputerOpponent &>(otherStrong) : classic;

    Side strongSide;
    Side classicSide;
    int unfinished = 0;
    long long moves = 0;
    for (int game = 0; game < games; ++game) {
        random = Random(static_cast<quint32>(seed + game));
        const int strongSeat = game % 2 == 0 ? 1 : 2;
        rules.startgame({QStringLiteral("Match"), 30, playTo, steals});
        seats.setWatching(1, true);
        seats.setWatching(2, true);
        int move = 0;
        for (; move < kMovesPerGame && seats.gameInProgress(); ++move) {
            const int mover = seats.whoseTurn();
            const bool strongMoves = mover == strongSeat;
            const Clock::time_point start = Clock::now();
            const double cpuStart = threadCpuMs();
            if (strongMoves)
                strong.computerplay(mover);
            else
                other.computerplay(mover);
            Side &side = strongMoves ? strongSide : classicSide;
            side.cpu.add(threadCpuMs() - cpuStart);
            side.wall.add(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            if (seats.gameInProgress() && seats.whoseTurn() == mover) {
                QTextStream(stderr) << "bench_strong_match: game " << game << ": a move did not end the turn\n";
                return 1;
            }
        }
        moves += move;
        const int strongScore = seats.player(strongSeat).score;
        const int classicScore = seats.player(GameRules::opponentOf(strongSeat)).score;
        strongSide.points += strongScore;
        classicSide.points += classicScore;
        if (seats.gameInProgress())
            ++unfinished;
        else
            ++(seats.whoseTurn() == strongSeat ? strongSide : classicSide).wins;
    }

    const double strongMean = games ? double(strongSide.points) / games : 0;
    const double classicMean = games ? double(classicSide.points) / games : 0;
    const char *otherName = mirror ? "Other" : "Classic";
    std::printf("Strong against %s: %d games to %d points, steals %s, seeds %d..%d, sides alternating\n",
                mirror ? "Strong" : "Classic", games, playTo,
                steals >= quarn::kUnlimitedSteals ? "unlimited" : qPrintable(QString::number(steals)), seed,
                seed + games - 1);
    std::printf("  wins                 Strong %d (%.1f %%)   %s %d   unfinished %d\n", strongSide.wins,
                games ? 100.0 * strongSide.wins / games : 0.0, otherName, classicSide.wins, unfinished);
    std::printf("  mean points / game   Strong %.1f   %s %.1f   ratio %.2f\n", strongMean, otherName, classicMean,
                classicMean > 0 ? strongMean / classicMean : 0.0);
    std::printf("  moves per game       %.1f\n", games ? double(moves) / games : 0.0);
    for (const auto &[name, side] : {std::pair<const char *, const Side *>{"Strong", &strongSide},
                                     std::pair<const char *, const Side *>{otherName, &classicSide}}) {
        for (const auto &[kind, times] : {std::pair<const char *, const Times *>{"CPU ", &side->cpu},
                                          std::pair<const char *, const Times *>{"wall", &side->wall}}) {
            std::printf("  %-7s move, %s    mean %.3f ms   median %.3f ms   99th percentile %.3f ms   max %.3f ms"
                        "   (%zu moves)\n",
                        name, kind, times->mean(), times->quantile(0.5), times->quantile(0.99), times->quantile(1.0),
                        times->ms.size());
        }
    }
    std::printf("  word list in memory  %d words in %d letter groups, %.2f MB of tables, read in %.0f ms, "
                "resident memory +%.2f MB\n",
                words->wordCount(), words->groupCount(), words->memoryBytes() / 1e6, loadMs,
                (residentAfter - residentBefore) / 1024.0);
    return 0;
}
