// The soak run's life: host start, logins, play, sampling, shutdown and report; see SoakRun.h.
#include "bench/soak/SoakRun.h"

#include "bench/soak/Chatter.h"
#include "bench/soak/Participant.h"
#include "bench/soak/WordPlanner.h"
#include "dictionary/TDictn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>

namespace soak {
namespace {

constexpr int kSetupLimitMs = 20000;
// Time for the lines and answers already on their way when play stops to arrive, so
// that sent and relayed lines can be compared.
constexpr int kDrainMs = 1000;
// Connection::kLingerMs is the longest a close can take; a little more than that.
constexpr int kCloseLimitMs = 3500;
constexpr int kKillLimitMs = 5000;
constexpr int kMemoryEveryMs = 1000;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

}  // namespace

SoakRun::SoakRun(const SoakOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{
    m_setupLimit.setSingleShot(true);
    connect(&m_setupLimit, &QTimer::timeout, this, [this] {
        giveUp(QStringLiteral("the host did not take nine logins within %1 s").arg(kSetupLimitMs / 1000));
    });
    m_duration.setSingleShot(true);
    connect(&m_duration, &QTimer::timeout, this, &SoakRun::finish);
    m_memoryTimer.setInterval(kMemoryEveryMs);
    connect(&m_memoryTimer, &QTimer::timeout, this, &SoakRun::sampleMemory);
    m_progressTimer.setInterval(kProgressEverySeconds * 1000);
    connect(&m_progressTimer, &QTimer::timeout, this, &SoakRun::printProgress);
    connect(&m_burstTimer, &QTimer::timeout, this, &SoakRun::burst);
    m_drain.setSingleShot(true);
    connect(&m_drain, &QTimer::timeout, this, &SoakRun::closeParticipants);
    m_closeLimit.setSingleShot(true);
    connect(&m_closeLimit, &QTimer::timeout, this, &SoakRun::stopHost);
    m_killLimit.setSingleShot(true);
    connect(&m_killLimit, &QTimer::timeout, this, [this] {
        m_hostExit = QStringLiteral("still running %1 s after SIGTERM, killed").arg(kKillLimitMs / 1000);
        m_host.kill();
    });

    connect(&m_host, &QProcess::readyReadStandardError, this, &SoakRun::hostStderr);
    connect(&m_host, &QProcess::readyReadStandardOutput, this, [this] { m_host.readAllStandardOutput(); });
    connect(&m_host, &QProcess::finished, this, &SoakRun::hostEnded);
    connect(&m_host, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            giveUp(QStringLiteral("cannot start %1: %2").arg(m_options.hostBinary, m_host.errorString()));
    });
}

SoakRun::~SoakRun()
{
    // The participants' sockets go before the planner and the word list they use.
    qDeleteAll(m_chatters);
    qDeleteAll(m_players);
    qDeleteAll(m_participants);
    if (m_host.state() != QProcess::NotRunning) {
        m_host.kill();
        m_host.waitForFinished(1000);
    }
}

void SoakRun::start()
{
    m_counts.clock.start();
    if (!m_work.isValid())
        return giveUp(QStringLiteral("no temporary folder: %1").arg(m_work.errorString()));
    const QFileInfo binary(m_options.hostBinary);
    if (!binary.isFile() || !binary.isExecutable())
        return giveUp(QStringLiteral("no host program at %1 (see --host-binary)").arg(m_options.hostBinary));

    // The host writes its word list into its working folder; ours goes beside it.
    const QDir work(m_work.path());
    if (!work.mkpath(QStringLiteral("host")) || !work.mkpath(QStringLiteral("words")))
        return giveUp(QStringLiteral("cannot make folders in %1").arg(m_work.path()));
    m_dictionary = std::make_unique<TDictn>(work.filePath(QStringLiteral("words")));
    if (!m_dictionary->isOpen())
        return giveUp(m_dictionary->errorText());
    m_planner = std::make_unique<WordPlanner>(*m_dictionary);
    if (m_planner->vocabularySize() == 0)
        return giveUp(QStringLiteral("the vocabulary holds no listed word"));

    m_setupLimit.start(kSetupLimitMs);
    m_host.setWorkingDirectory(work.filePath(QStringLiteral("host")));
    m_host.setProgram(binary.absoluteFilePath());
    m_host.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
    m_host.start();
}

void SoakRun::hostStderr()
{
    static const QRegularExpression listening(QStringLiteral("^quarn-host: listening on port (\\d+)$"));
    m_hostStderr += m_host.readAllStandardError();
    qsizetype end = 0;
    while ((end = m_hostStderr.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_hostStderr.left(end)).trimmed();
        m_hostStderr.remove(0, end + 1);
        const QRegularExpressionMatch match = listening.match(line);
        if (!m_listening && match.hasMatch()) {
            m_listening = true;
            m_hostPid = m_host.processId();
            const quint16 port = match.captured(1).toUShort();
            out() << "quarn-soak: host pid " << m_hostPid << " listening on port " << port << Qt::endl;
            m_hostPort = port;
            connectNext();
            continue;
        }
        ++m_hostDiagnostics;
        err() << "quarn-soak: host: " << line << Qt::endl;
    }
}

void SoakRun::hostEnded(int exitCode, QProcess::ExitStatus status)
{
    m_killLimit.stop();
    if (m_hostExit.isEmpty()) {
        m_hostExit = status == QProcess::CrashExit ? QStringLiteral("crashed (%1)").arg(m_host.errorString())
                                                   : QStringLiteral("exit code %1").arg(exitCode);
    }
    m_hostExitClean = m_terminated && status == QProcess::NormalExit && exitCode == 0;
    if (m_terminated) {
        report();
        return;
    }
    m_hostDeath = QStringLiteral("the host ended during the run: %1").arg(m_hostExit);
    err() << "quarn-soak: " << m_hostDeath << Qt::endl;
    // While draining, closeParticipants() follows anyway.
    if (m_drain.isActive())
        return;
    if (m_playing)
        finish();
    else
        giveUp(m_hostDeath);
}

void SoakRun::connectNext()
{
    const int index = static_cast<int>(m_participants.size()) + 1;
    const QString name = index <= 2 ? QStringLiteral("Player%1").arg(index) : QStringLiteral("Watcher%1").arg(index);
    auto *participant = new Participant(name, m_counts);
    m_participants.append(participant);
    connect(participant, &Participant::loggedIn, this, [this, participant] { participantLoggedIn(participant); });
    connect(participant, &Participant::lost, this, [this, participant](const QString &reason) {
        if (!m_playing)
            giveUp(QStringLiteral("%1 lost before play began: %2").arg(participant->name(), reason));
    });
    connect(participant, &Participant::finished, this, &SoakRun::participantFinished);
    participant->open(m_hostPort);
}

void SoakRun::participantLoggedIn(Participant *participant)
{
    if (m_stopping)
        return;
    const int expected = static_cast<int>(m_participants.indexOf(participant)) + 1;
    if (participant->slot() != expected)
        return giveUp(
            QStringLiteral("%1 got slot %2, not %3").arg(participant->name()).arg(participant->slot()).arg(expected));
    if (m_participants.size() < kParticipants)
        connectNext();
    else
        beginPlay();
}

void SoakRun::beginPlay()
{
    m_setupLimit.stop();
    m_playing = true;
    m_memory.startKb = procStatusKb(m_hostPid, "VmRSS");
    m_memory.peakKb = m_memory.startKb;
    m_playStartNs = m_counts.clock.nsecsElapsed();
    out() << "quarn-soak: " << kParticipants << " participants logged in; host RSS " << megabytes(m_memory.startKb)
          << "; playing and chatting for " << m_options.durationSeconds << " s" << Qt::endl;

    for (Participant *participant : std::as_const(m_participants)) {
        const int slot = participant->slot();
        if (slot == 1 || slot == 2)
            m_players.append(new SeatPlayer(*participant, m_counts, *m_planner, m_options.game,
                                            m_options.seed * 31 + quint32(slot)));
        else
            m_chatters.append(
                new Chatter(*participant, m_counts, m_options.chatLinesPerSecond, m_options.seed * 31 + quint32(slot)));
    }
    m_duration.start(m_options.durationSeconds * 1000);
    m_memoryTimer.start();
    m_progressTimer.start();
    m_burstTimer.start(kFirstBurstSeconds * 1000);
    for (Chatter *chatter : std::as_const(m_chatters))
        chatter->start();
    for (SeatPlayer *player : std::as_const(m_players))
        player->begin();
}

void SoakRun::sampleMemory()
{
    const qint64 kb = procStatusKb(m_hostPid, "VmRSS");
    if (kb >= 0)
        m_memory.peakKb = std::max(m_memory.peakKb, kb);
}

void SoakRun::printProgress()
{
    const LatencySummary latency = summarise(m_counts.moveLatencyMs);
    const qint64 seconds = (m_counts.clock.nsecsElapsed() - m_playStartNs) / 1000000000;
    out() << "quarn-soak: " << seconds << " s: " << m_counts.movesSent() << " moves (p50 "
          << QString::number(latency.p50, 'f', 2) << " ms, p99 " << QString::number(latency.p99, 'f', 2) << " ms, max "
          << QString::number(latency.max, 'f', 2) << " ms), games " << m_counts.gamesFinished << '/'
          << m_counts.gamesStarted << ", chat sent " << m_counts.chatSent << " relayed " << m_counts.chatRelayed
          << " drop notices " << m_counts.chatDropNotices << ", host RSS "
          << megabytes(procStatusKb(m_hostPid, "VmRSS")) << Qt::endl;
}

void SoakRun::burst()
{
    m_burstTimer.setInterval(kBurstEverySeconds * 1000);
    if (m_chatters.isEmpty())
        return;
    m_chatters[m_nextBurst++ % m_chatters.size()]->burst(m_options.burstLines);
}

void SoakRun::giveUp(const QString &reason)
{
    if (m_stopping)
        return;
    if (m_setupFailure.isEmpty())
        m_setupFailure = reason;
    err() << "quarn-soak: " << reason << Qt::endl;
    finish();
}

void SoakRun::finish()
{
    if (m_stopping)
        return;
    m_stopping = true;
    for (QTimer *timer : {&m_setupLimit, &m_duration, &m_memoryTimer, &m_progressTimer, &m_burstTimer})
        timer->stop();
    for (Chatter *chatter : std::as_const(m_chatters))
        chatter->stop();
    for (SeatPlayer *player : std::as_const(m_players))
        player->stop();
    if (m_playing) {
        // Also after a crash: the participants' sockets report the close meanwhile.
        m_elapsedSeconds = double(m_counts.clock.nsecsElapsed() - m_playStartNs) / 1e9;
        m_drain.start(kDrainMs);
        return;
    }
    closeParticipants();
}

void SoakRun::closeParticipants()
{
    m_hostAliveAtEnd = m_host.state() == QProcess::Running && m_hostDeath.isEmpty();
    if (m_playing && m_hostAliveAtEnd) {
        m_memory.endKb = procStatusKb(m_hostPid, "VmRSS");
        m_memory.highWaterKb = procStatusKb(m_hostPid, "VmHWM");
        if (m_memory.endKb >= 0)
            m_memory.peakKb = std::max(m_memory.peakKb, m_memory.endKb);
    }
    for (Participant *participant : std::as_const(m_participants))
        participant->close();
    m_closeLimit.start(kCloseLimitMs);
    participantFinished();
}

void SoakRun::participantFinished()
{
    if (!m_stopping || !m_closeLimit.isActive())
        return;
    const bool allGone = std::all_of(m_participants.cbegin(), m_participants.cend(),
                                     [](const Participant *participant) { return participant->isFinished(); });
    if (allGone)
        stopHost();
}

void SoakRun::stopHost()
{
    m_closeLimit.stop();
    if (m_host.state() == QProcess::NotRunning) {
        if (m_hostExit.isEmpty())
            m_hostExit = QStringLiteral("not running");
        report();
        return;
    }
    if (m_killLimit.isActive())
        return;
    m_terminated = true;
    m_host.terminate();  // SIGTERM
    m_killLimit.start(kKillLimitMs);
}

void SoakRun::report()
{
    if (m_reported)
        return;
    m_reported = true;

    SoakReport report;
    report.durationSeconds = m_options.durationSeconds;
    report.elapsedSeconds = m_elapsedSeconds;
    report.seed = m_options.seed;
    report.hostBinary = m_options.hostBinary;
    report.playToScore = m_options.game.playToScore;
    report.timePerTurn = m_options.game.timePerTurn;
    report.memory = m_memory;
    report.hostAliveAtEnd = m_hostAliveAtEnd;
    report.hostExit = m_hostExit;
    report.hostDiagnosticLines = m_hostDiagnostics;

    const LatencySummary latency = summarise(m_counts.moveLatencyMs);
    const qint64 growthKb = m_memory.endKb - m_memory.startKb;
    const bool memoryKnown = m_memory.startKb >= 0 && m_memory.endKb >= 0;
    report.targets = {
        {QStringLiteral("Host started, nine participants logged in"),
         m_setupFailure.isEmpty() ? QStringLiteral("yes") : m_setupFailure, m_setupFailure.isEmpty()},
        {QStringLiteral("No crash: host alive at the end, exit 0 on SIGTERM"),
         QStringLiteral("%1; %2").arg(m_hostAliveAtEnd ? QStringLiteral("alive") : QStringLiteral("not alive"),
                                      m_hostExit),
         m_hostAliveAtEnd && m_hostExitClean},
        {QStringLiteral("No unexpected disconnect"),
         m_counts.unexpectedCloses.isEmpty() ? QStringLiteral("none")
                                             : QString::number(m_counts.unexpectedCloses.size()),
         m_counts.unexpectedCloses.isEmpty()},
        {QStringLiteral("Every started game but the last finished"),
         QStringLiteral("%1 started, %2 finished").arg(m_counts.gamesStarted).arg(m_counts.gamesFinished),
         m_counts.gamesStarted >= 1 && m_counts.gamesFinished >= m_counts.gamesStarted - 1},
        {QStringLiteral("Games reach a winner"), QString::number(m_counts.gamesFinished), m_counts.gamesFinished >= 1},
        {QStringLiteral("Host RSS growth under 5 MB"),
         memoryKnown ? QStringLiteral("%1%2").arg(growthKb >= 0 ? QStringLiteral("+") : QString(), megabytes(growthKb))
                     : QStringLiteral("n/a"),
         memoryKnown && growthKb < kMaxGrowthKb},
        {QStringLiteral("Move latency p99 under 50 ms"),
         latency.count > 0 ? QStringLiteral("%1 ms").arg(latency.p99, 0, 'f', 2) : QStringLiteral("no moves"),
         latency.count > 0 && latency.p99 < kMaxP99Ms},
    };

    const QString text = report.markdown(m_counts);
    out() << '\n' << text << Qt::endl;
    if (!m_options.reportPath.isEmpty()) {
        QFile file(m_options.reportPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            file.write(text.toUtf8());
            out() << "quarn-soak: report written to " << m_options.reportPath << Qt::endl;
        } else {
            err() << "quarn-soak: cannot write " << m_options.reportPath << ": " << file.errorString() << Qt::endl;
        }
    }
    for (const Target &target : std::as_const(report.targets)) {
        if (!target.met)
            err() << "quarn-soak: target not met: " << target.name << " (" << target.measured << ")" << Qt::endl;
    }
    if (report.allTargetsMet())
        out() << "quarn-soak: every target met" << Qt::endl;
    Q_EMIT done(report.allTargetsMet() ? 0 : 1);
}

}  // namespace soak
