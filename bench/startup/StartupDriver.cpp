// bench_startup: starts quarn (a solo game, QUARN_EXIT_WHEN_SHOWN=1) and the bare window
// (bench_bare_window) in turn, N times each, on one Qt platform, and prints the medians
// and spreads of their wall times from process start to the main window shown (after its
// first paint) and to exit, then the resident memory of a running solo game and of the
// bare window.
//
//   bench_startup [--runs 20] [--memory-runs 5] [--settle-ms 2000] [--platform offscreen]
//                 [--quarn <path>] [--bare <path>]
//
// Both programs (and the audio module beside quarn) are copied into a scratch folder and
// started there, so the settings file, the tally and the word list that quarn writes
// beside itself go there and nothing is left behind. Each start has a single-instance guard name of its own and quarn listens
// on a free port, so a copy of the game running on the desktop does not interfere.
#include "StartupRuns.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#ifndef QUARN_BINARY
#define QUARN_BINARY ""
#endif

namespace {

struct Spread {
    double median = 0, min = 0, max = 0, low = 0, high = 0;  // low/high: quartiles
};

double quantile(const std::vector<double> &sorted, double q)
{
    const double at = q * double(sorted.size() - 1);
    const auto below = std::size_t(at);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (at - double(below));
}

Spread spreadOf(std::vector<double> values)
{
    Spread s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    s.median = quantile(values, 0.5);
    s.low = quantile(values, 0.25);
    s.high = quantile(values, 0.75);
    s.min = values.front();
    s.max = values.back();
    return s;
}

QString copyInto(const QString &binary, const QDir &folder)
{
    const QString target = folder.filePath(QFileInfo(binary).fileName());
    if (!QFile::copy(binary, target))
        return {};
    QFile::setPermissions(target, QFile::permissions(binary));
    return target;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Start-up time and memory of quarn against a bare Qt window."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Timed starts of each program."),
                                        QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption memoryOption(QStringLiteral("memory-runs"),
                                          QStringLiteral("Memory samples of each program."), QStringLiteral("n"),
                                          QStringLiteral("5"));
    const QCommandLineOption settleOption(QStringLiteral("settle-ms"),
                                          QStringLiteral("Wait after the ready line before reading memory."),
                                          QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption platformOption(QStringLiteral("platform"), QStringLiteral("Qt platform plugin."),
                                            QStringLiteral("name"), QStringLiteral("offscreen"));
    const QCommandLineOption quarnOption(QStringLiteral("quarn"), QStringLiteral("The quarn program."),
                                         QStringLiteral("path"), QStringLiteral(QUARN_BINARY));
    const QCommandLineOption bareOption(QStringLiteral("bare"), QStringLiteral("The bare window program."),
                                        QStringLiteral("path"), QStringLiteral(BARE_WINDOW_BINARY));
    parser.addOptions({runsOption, memoryOption, settleOption, platformOption, quarnOption, bareOption});
    parser.process(app);

    const int runs = qMax(1, parser.value(runsOption).toInt());
    const int memoryRuns = qMax(0, parser.value(memoryOption).toInt());
    const int settleMs = qMax(0, parser.value(settleOption).toInt());
    const QString platform = parser.value(platformOption);

    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "bench_startup: no scratch folder\n");
        return 1;
    }
    const QDir folder(scratch.path());
    const QString quarn = copyInto(parser.value(quarnOption), folder);
    const QString bare = copyInto(parser.value(bareOption), folder);
    // The audio module goes with the program, which looks for it beside itself.
    const QFileInfo audioModule(QFileInfo(parser.value(quarnOption)).dir(), QStringLiteral("quarn_audio.so"));
    if (audioModule.exists() && copyInto(audioModule.filePath(), folder).isEmpty()) {
        std::fprintf(stderr, "bench_startup: cannot copy the audio module\n");
        return 1;
    }
    if (quarn.isEmpty() || bare.isEmpty()) {
        std::fprintf(stderr, "bench_startup: cannot copy the programs (--quarn, --bare)\n");
        return 1;
    }

    QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    base.insert(QStringLiteral("QUARN_PORT"), QStringLiteral("0"));
    base.remove(QStringLiteral("QT_LOGGING_RULES"));
    int guard = 0;
    auto quarnRun = [&](bool exitWhenShown) {
        QProcessEnvironment env = base;
        env.insert(QStringLiteral("QUARN_GUARD"),
                   QStringLiteral("bench-startup-%1-%2").arg(QCoreApplication::applicationPid()).arg(++guard));
        if (exitWhenShown)
            env.insert(QStringLiteral("QUARN_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
        else
            env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("quarn.client.info=true"));
        return ProgramUnderTest{QStringLiteral("quarn"), quarn, {}, env, folder.path()};
    };
    auto bareRun = [&](bool stay) {
        return ProgramUnderTest{QStringLiteral("bare window"), bare,
                                stay ? QStringList{QStringLiteral("--stay")} : QStringList{}, base, folder.path()};
    };

    const double loadBefore = loadAverage();
    // One start of each, unmeasured, so that both find the libraries in the page cache.
    timeOneStart(quarnRun(true));
    timeOneStart(bareRun(false));

    std::vector<double> quarnShown, bareShown, quarnMs, bareMs, quarnCpu, bareCpu;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        // Alternating which goes first spreads any drift of the machine's load over both.
        for (int k = 0; k < 2; ++k) {
            const bool quarnNow = (i + k) % 2 == 0;
            const auto times = timeOneStart(quarnNow ? quarnRun(true) : bareRun(false));
            if (!times) {
                ++failures;
                continue;
            }
            (quarnNow ? quarnShown : bareShown).push_back(times->shownMs);
            (quarnNow ? quarnMs : bareMs).push_back(times->wallMs);
            (quarnNow ? quarnCpu : bareCpu).push_back(times->cpuMs);
        }
    }

    std::vector<double> quarnRss, quarnPeak, bareRss, barePeak;
    for (int i = 0; i < memoryRuns; ++i) {
        if (const auto m = sampleMemory(quarnRun(false), QStringLiteral("present: slot 1"), settleMs)) {
            quarnRss.push_back(m->residentMB);
            quarnPeak.push_back(m->peakResidentMB);
        } else {
            ++failures;
        }
        if (const auto m = sampleMemory(bareRun(true), QStringLiteral("shown"), settleMs)) {
            bareRss.push_back(m->residentMB);
            barePeak.push_back(m->peakResidentMB);
        } else {
            ++failures;
        }
    }
    const double loadAfter = loadAverage();

    const Spread qs = spreadOf(quarnShown), bs = spreadOf(bareShown);
    const Spread q = spreadOf(quarnMs), b = spreadOf(bareMs);
    const Spread qc = spreadOf(quarnCpu), bc = spreadOf(bareCpu);
    std::printf("Platform %s, %d starts each, load average %.2f before, %.2f after\n\n", qPrintable(platform), runs,
                loadBefore, loadAfter);
    std::printf("| Program | Starts | Shown median | Shown quartiles | Exit median | Exit quartiles | CPU median "
                "|\n|---|---|---|---|---|---|---|\n");
    auto row = [](const char *name, std::size_t starts, const Spread &shown, const Spread &exit, const Spread &cpu) {
        std::printf("| %s | %zu | %.1f ms | %.1f to %.1f ms | %.1f ms | %.1f to %.1f ms | %.1f ms |\n", name, starts,
                    shown.median, shown.low, shown.high, exit.median, exit.low, exit.high, cpu.median);
    };
    row("quarn (solo game)", quarnMs.size(), qs, q, qc);
    row("bare window", bareMs.size(), bs, b, bc);
    if (bs.median > 0 && b.median > 0 && bc.median > 0)
        std::printf("\nquarn / bare window (medians): shown %.2f, exit %.2f, CPU to exit %.2f\n", qs.median / bs.median,
                    q.median / b.median, qc.median / bc.median);

    if (memoryRuns > 0) {
        const Spread qr = spreadOf(quarnRss), qp = spreadOf(quarnPeak);
        const Spread br = spreadOf(bareRss), bp = spreadOf(barePeak);
        std::printf(
            "\n| Program | Samples | VmRSS median | VmRSS min to max | VmHWM median |\n|---|---|---|---|---|\n");
        std::printf("| quarn (solo game, %.1f s after login) | %zu | %.1f MB | %.1f to %.1f MB | %.1f MB |\n",
                    settleMs / 1000.0, quarnRss.size(), qr.median, qr.min, qr.max, qp.median);
        std::printf("| bare window (%.1f s after shown) | %zu | %.1f MB | %.1f to %.1f MB | %.1f MB |\n",
                    settleMs / 1000.0, bareRss.size(), br.median, br.min, br.max, bp.median);
    }
    if (failures > 0)
        std::printf("\n%d start(s) failed and are left out\n", failures);
    return failures > 0 ? 1 : 0;
}
