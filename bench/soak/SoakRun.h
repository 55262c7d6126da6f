// One soak run: starts quarn-host as a child process, logs nine participants in over
// loopback (seats 1 and 2 play, slots 3 to 9 chat), keeps games and chat going for the
// asked time, watches the host's memory, then closes everything, stops the host with
// SIGTERM and reports the figures against their targets.
#pragma once

#include "bench/soak/SeatPlayer.h"
#include "bench/soak/SoakFigures.h"

#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

class TDictn;

namespace soak {

class Chatter;
class Participant;
class WordPlanner;

struct SoakOptions {
    int durationSeconds = 60;
    QString hostBinary;
    quint32 seed = 1;
    QString reportPath;
    GameSettings game;
    double chatLinesPerSecond = 5.0;
    int burstLines = 50;
};

class SoakRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kParticipants = 9;
    static constexpr int kBurstEverySeconds = 60;
    static constexpr int kFirstBurstSeconds = 30;
    static constexpr int kProgressEverySeconds = 60;
    // Targets.
    static constexpr double kMaxP99Ms = 50.0;
    static constexpr qint64 kMaxGrowthKb = 5 * 1024;

    explicit SoakRun(const SoakOptions &options, QObject *parent = nullptr);
    ~SoakRun() override;

    // Starts the host; everything else follows from the event loop.
    void start();

Q_SIGNALS:
    // The run is over and reported: 0 when every target was met, else 1.
    void done(int exitCode);

private:
    void hostStderr();
    void hostEnded(int exitCode, QProcess::ExitStatus status);
    void connectNext();
    void participantLoggedIn(Participant *participant);
    void beginPlay();
    void sampleMemory();
    void printProgress();
    void burst();
    // Setup went wrong: nothing to measure.
    void giveUp(const QString &reason);
    void finish();
    // After the drain: the host's last figures, then every participant closes.
    void closeParticipants();
    void participantFinished();
    void stopHost();
    void report();

    SoakOptions m_options;
    SoakCounters m_counts;
    QTemporaryDir m_work;
    std::unique_ptr<TDictn> m_dictionary;
    std::unique_ptr<WordPlanner> m_planner;
    QProcess m_host;
    qint64 m_hostPid = 0;
    quint16 m_hostPort = 0;
    QByteArray m_hostStderr;
    bool m_listening = false;
    int m_hostDiagnostics = 0;
    QString m_hostExit;
    bool m_hostAliveAtEnd = false;
    bool m_hostExitClean = false;
    bool m_terminated = false;  // SIGTERM sent
    QString m_hostDeath;

    QList<Participant *> m_participants;
    QList<SeatPlayer *> m_players;
    QList<Chatter *> m_chatters;
    int m_nextBurst = 0;

    HostMemory m_memory;
    qint64 m_playStartNs = 0;
    double m_elapsedSeconds = 0;
    bool m_playing = false;
    bool m_stopping = false;
    bool m_reported = false;
    QString m_setupFailure;

    QTimer m_setupLimit;
    QTimer m_duration;
    QTimer m_memoryTimer;
    QTimer m_progressTimer;
    QTimer m_burstTimer;
    QTimer m_drain;
    QTimer m_closeLimit;
    QTimer m_killLimit;
};

}  // namespace soak
