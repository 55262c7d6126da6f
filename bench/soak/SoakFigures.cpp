// Percentiles, /proc reading and the Markdown report of the soak; see SoakFigures.h.
#include "bench/soak/SoakFigures.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace soak {

QString megabytes(qint64 kb)
{
    return QStringLiteral("%1 MB").arg(double(kb) / 1024.0, 0, 'f', 2);
}

namespace {

// A figure the soak could not read is negative.
QString knownMegabytes(qint64 kb)
{
    if (kb < 0)
        return QStringLiteral("n/a");
    return megabytes(kb);
}

QString milliseconds(double ms)
{
    return QStringLiteral("%1 ms").arg(ms, 0, 'f', 2);
}

QString row(const QString &name, const QString &value)
{
    return QStringLiteral("| %1 | %2 |\n").arg(name, value);
}

}  // namespace

LatencySummary summarise(std::vector<double> samples)
{
    LatencySummary summary;
    summary.count = static_cast<qsizetype>(samples.size());
    if (samples.empty())
        return summary;
    std::sort(samples.begin(), samples.end());
    const auto rank = [&](double fraction) {
        const size_t index = static_cast<size_t>(std::ceil(fraction * double(samples.size())));
        return samples[std::clamp<size_t>(index, 1, samples.size()) - 1];
    };
    summary.p50 = rank(0.50);
    summary.p99 = rank(0.99);
    summary.max = samples.back();
    return summary;
}

qint64 procStatusKb(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (!line.startsWith(prefix))
            continue;
        // "VmRSS:	   12345 kB"
        const QList<QByteArray> parts = line.mid(prefix.size()).simplified().split(' ');
        bool ok = false;
        const qint64 kb = parts.value(0).toLongLong(&ok);
        return ok ? kb : -1;
    }
    return -1;
}

bool SoakReport::allTargetsMet() const
{
    return std::all_of(targets.cbegin(), targets.cend(), [](const Target &target) { return target.met; });
}

QString SoakReport::markdown(const SoakCounters &counts) const
{
    const LatencySummary latency = summarise(counts.moveLatencyMs);
    QString text;
    text += QStringLiteral("# quarn-soak\n\n");
    text +=
        QStringLiteral("%1 s of play and chat (%2 s asked), seed %3, host `%4`; games to %5 points, %6 s a turn.\n\n")
            .arg(elapsedSeconds, 0, 'f', 1)
            .arg(durationSeconds)
            .arg(seed)
            .arg(hostBinary)
            .arg(playToScore)
            .arg(timePerTurn);

    text += QStringLiteral("| Figure | Value |\n|---|---|\n");
    text += row(QStringLiteral("Moves sent"),
                QStringLiteral("%1 (place %2, discard letter %3, discard extra %4)")
                    .arg(counts.movesSent())
                    .arg(counts.placeMoves)
                    .arg(counts.letterDiscards)
                    .arg(counts.extraDiscards));
    text += row(QStringLiteral("Moves timed out (never answered)"), QString::number(counts.movesTimedOut));
    text += row(QStringLiteral("Moves made to break a stall"), QString::number(counts.stalledMoves));
    text += row(QStringLiteral("Move latency p50 / p99 / max"),
                QStringLiteral("%1 / %2 / %3 (%4 moves)")
                    .arg(milliseconds(latency.p50), milliseconds(latency.p99), milliseconds(latency.max))
                    .arg(latency.count));
    text += row(QStringLiteral("Games started / finished"),
                QStringLiteral("%1 / %2").arg(counts.gamesStarted).arg(counts.gamesFinished));
    text += row(QStringLiteral("Words formed by the players"), QString::number(counts.wordsFormed));
    text += row(QStringLiteral("Chat lines sent (bursts of 50)"),
                QStringLiteral("%1 (%2)").arg(counts.chatSent).arg(counts.chatBursts));
    text +=
        row(QStringLiteral("Chat lines relayed, received by all participants"), QString::number(counts.chatRelayed));
    text += row(QStringLiteral("Own lines relayed back to their speakers"), QString::number(counts.chatEchoed));
    text += row(QStringLiteral("Lines not relayed (sent less own lines back)"),
                QString::number(counts.chatSent - counts.chatEchoed));
    text += row(QStringLiteral("Drop notices received (one per run of dropped lines)"),
                QString::number(counts.chatDropNotices));
    text += row(QStringLiteral("Host RSS at start / end / peak"),
                QStringLiteral("%1 / %2 / %3 (VmHWM %4)")
                    .arg(knownMegabytes(memory.startKb), knownMegabytes(memory.endKb), knownMegabytes(memory.peakKb),
                         knownMegabytes(memory.highWaterKb)));
    text += row(QStringLiteral("Unexpected disconnects"),
                counts.unexpectedCloses.isEmpty() ? QStringLiteral("none")
                                                  : counts.unexpectedCloses.join(QStringLiteral("; ")));
    text += row(QStringLiteral("Host alive at the end"), hostAliveAtEnd ? QStringLiteral("yes") : QStringLiteral("no"));
    text += row(QStringLiteral("Host exit"), hostExit);
    text += row(QStringLiteral("Host diagnostic lines on stderr"), QString::number(hostDiagnosticLines));

    text += QStringLiteral("\n| Target | Measured | Met |\n|---|---|---|\n");
    for (const Target &target : targets)
        text += QStringLiteral("| %1 | %2 | %3 |\n")
                    .arg(target.name, target.measured, target.met ? QStringLiteral("yes") : QStringLiteral("**no**"));
    return text;
}

}  // namespace soak
