// The soak's running counts, shared by every participant, and the figures made of
// them: latency percentiles, the host's memory from /proc, and the Markdown report.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace soak {

// Kilobytes as megabytes with two decimals, e.g. "14.29 MB".
QString megabytes(qint64 kb);

struct SoakCounters {
    // Started once at the beginning; every latency is measured on it.
    QElapsedTimer clock;

    qint64 placeMoves = 0;
    qint64 letterDiscards = 0;
    qint64 extraDiscards = 0;
    // Moves the host never answered: the turn clock ran out while one was waiting.
    qint64 movesTimedOut = 0;
    qint64 stalledMoves = 0;
    qint64 wordsFormed = 0;
    qint64 gamesStarted = 0;
    qint64 gamesFinished = 0;
    std::vector<double> moveLatencyMs;

    qint64 chatSent = 0;
    qint64 chatBursts = 0;
    // CMD_chat from a speaker, counted at every participant that received it.
    qint64 chatRelayed = 0;
    // The speaker's own lines coming back to it.
    qint64 chatEchoed = 0;
    // "CMD_chat+0+...": the host's notice to a speaker whose lines it drops (one per run
    // of dropped lines, not one per line).
    qint64 chatDropNotices = 0;

    QStringList unexpectedCloses;

    qint64 movesSent() const { return placeMoves + letterDiscards + extraDiscards; }
};

struct LatencySummary {
    qsizetype count = 0;
    double p50 = 0;
    double p99 = 0;
    double max = 0;
};

// Nearest-rank percentiles of the samples.
LatencySummary summarise(std::vector<double> samples);

// VmRSS (or another "Vm..." line) of /proc/<pid>/status in KiB; -1 when unreadable.
qint64 procStatusKb(qint64 pid, const char *field);

struct HostMemory {
    qint64 startKb = -1;
    qint64 endKb = -1;
    qint64 peakKb = -1;
    qint64 highWaterKb = -1;  // VmHWM at the end: the kernel's own peak
};

struct Target {
    QString name;
    QString measured;
    bool met = false;
};

struct SoakReport {
    int durationSeconds = 0;
    double elapsedSeconds = 0;
    quint32 seed = 0;
    QString hostBinary;
    int playToScore = 0;
    int timePerTurn = 0;
    HostMemory memory;
    bool hostAliveAtEnd = false;
    QString hostExit;
    int hostDiagnosticLines = 0;
    QList<Target> targets;

    // The figures as a Markdown document: one table of figures, one of targets.
    QString markdown(const SoakCounters &counts) const;
    bool allTargetsMet() const;
};

}  // namespace soak
