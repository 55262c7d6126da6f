// One start of a program under measurement: timed from process start to its window shown
// (the "shown <steady clock in ns>" line it prints) and to its exit, or kept running until
// it reports that it is up and then sampled for its memory.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

struct ProgramUnderTest {
    QString name;  // the table's label
    QString binary;  // absolute path
    QStringList arguments;
    QProcessEnvironment environment;
    QString workingFolder;
};

struct MemorySample {
    double residentMB = 0;  // VmRSS
    double peakResidentMB = 0;  // VmHWM
};

struct StartTimes {
    double shownMs = 0;  // from just before the process was started to its "shown" line's clock reading
    double wallMs = 0;  // to its exit
    double cpuMs = 0;  // user + system time of the program, steadier than the wall time on a busy machine
};

// Starts the program, waits for it to end and returns its times; nothing when it did not
// end normally with status 0 within the time limit or printed no "shown" line.
std::optional<StartTimes> timeOneStart(const ProgramUnderTest &program, int limitMs = 60000);

// Starts the program, waits until a line of its standard error or output contains
// `readyLine`, waits `settleMs` more, reads its memory and terminates it.
std::optional<MemorySample> sampleMemory(const ProgramUnderTest &program, const QString &readyLine, int settleMs,
                                         int limitMs = 60000);

// The machine's load average over the last minute.
double loadAverage();
