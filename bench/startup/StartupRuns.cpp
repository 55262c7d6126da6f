// Starting, timing and sampling the programs of the start-up benchmark.
#include "StartupRuns.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

#include <chrono>

#include <sys/resource.h>

namespace {

void prepare(QProcess &process, const ProgramUnderTest &program)
{
    process.setProgram(program.binary);
    process.setArguments(program.arguments);
    process.setProcessEnvironment(program.environment);
    process.setWorkingDirectory(program.workingFolder);
}

// A "VmRSS:   12345 kB" line of /proc/<pid>/status, in MB.
double statusField(const QByteArray &status, const QByteArray &field)
{
    for (const QByteArray &line : status.split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// The clock reading of a "shown <ns>" line in the program's output.
std::optional<qint64> shownClock(const QByteArray &output)
{
    for (const QByteArray &line : output.split('\n')) {
        bool ok = false;
        const qint64 ns = line.startsWith("shown ") ? line.mid(6).trimmed().toLongLong(&ok) : 0;
        if (ok)
            return ns;
    }
    return std::nullopt;
}

// CPU time of every ended child process so far, in milliseconds.
double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

std::optional<StartTimes> timeOneStart(const ProgramUnderTest &program, int limitMs)
{
    QProcess process;
    prepare(process, program);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double cpuBefore = childrenCpuMs();
    // The steady clock is the one the programs read for their "shown" line.
    const auto started = std::chrono::steady_clock::now();
    process.start();
    if (!process.waitForFinished(limitMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - started;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    const std::optional<qint64> shownNs = shownClock(process.readAllStandardOutput());
    if (!shownNs)
        return std::nullopt;
    const auto startedNs = std::chrono::nanoseconds(started.time_since_epoch()).count();
    return StartTimes{double(*shownNs - startedNs) / 1e6, wall.count(), childrenCpuMs() - cpuBefore};
}

std::optional<MemorySample> sampleMemory(const ProgramUnderTest &program, const QString &readyLine, int settleMs,
                                         int limitMs)
{
    QProcess process;
    prepare(process, program);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted(limitMs))
        return std::nullopt;

    const QDeadlineTimer deadline(limitMs);
    QByteArray seen;
    bool ready = false;
    while (!ready && !deadline.hasExpired() && process.state() == QProcess::Running) {
        process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)));
        seen += process.readAll();
        ready = seen.contains(readyLine.toUtf8());
    }
    std::optional<MemorySample> sample;
    if (ready) {
        // Let the events that follow the ready line (the first paints, the lobby window) settle.
        process.waitForFinished(settleMs);
        QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
        if (process.state() == QProcess::Running && status.open(QIODevice::ReadOnly)) {
            const QByteArray text = status.readAll();
            sample = MemorySample{statusField(text, "VmRSS:"), statusField(text, "VmHWM:")};
        }
    }
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return sample;
}

double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().split(' ').value(0).toDouble();
}
