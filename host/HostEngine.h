// The whole host of one game, ready to listen: the random generator (seeded from the
// clock), the dictionary, the seat table, the turn clock, the rules (GameRules), the
// computer opponent with its vocabulary (loaded once, here), the connection manager
// (HostSession) and its sockets (HostNetwork). The client window and quarn-host both
// create one. The dictionary's word-list file is written at construction; nothing
// listens until listen() is called. The Strong computer and its word list in memory are
// made only when the hosting player first chooses it, so a Classic game never pays for them.
#pragma once

#include "host/ComputerLevel.h"
#include "host/Random.h"
#include "net/GameFacts.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <memory>

class AnagramIndex;
class ComputerPlayer;
class HostNetwork;
class HostSession;
class SeatTable;
class StrongPlayer;
class TDictn;
class GameRules;
class TimerTurnClock;
class TurnClock;

Q_DECLARE_LOGGING_CATEGORY(lcHost)

class HostEngine : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = quarn::kPort;

    // `dictionaryFolder`: where the word-list file "English" is written (empty = the
    // working folder). `random`: a generator to use instead of a clock-seeded one.
    explicit HostEngine(const QString &dictionaryFolder = QString(), QObject *parent = nullptr,
                        std::unique_ptr<Random> random = nullptr);
    ~HostEngine() override;

    // Listens on every local address, IPv4 and IPv6 (port 0 = a free port): a hosted game.
    bool listen(quint16 port = kDefaultPort);
    bool listen(quint16 port, const QHostAddress &address);
    // Listens on 127.0.0.1 and ::1 only (a solo game), on a free port when `port` is taken.
    bool listenOnLoopback(quint16 port);
    bool isListening() const;
    // The port actually bound (useful after listen(0)).
    quint16 serverPort() const;
    // The last listen failure, e.g. "Listen - Error Binding Socket: ...".
    QString errorString() const;

    // Stops the turn clock and listening, and closes every connection (shutdown).
    // finished() follows once every socket is gone (at once when there were none).
    void closeAll();
    bool hasOpenSockets() const;

    GameRules &rules() { return *m_rules; }
    HostSession &session() { return *m_session; }
    HostNetwork &network() { return *m_network; }
    TDictn &dictionary() { return *m_dictionary; }
    Random &random() { return *m_random; }
    // The seat table: read it, or set up a position through its named operations (tests).
    SeatTable &table() { return *m_table; }
    TurnClock &clock();
    // The Classic computer, its vocabulary read (the host reads it at the computer's
    // first move otherwise).
    ComputerPlayer &computer();

    // Which computer plays an unheld seat 2 and the just-watching seats, from its next
    // move on. Strong reads the word list into memory the first time it is chosen; when
    // that fails, Classic goes on playing and the answer is false.
    bool setComputerLevel(ComputerLevel level);
    ComputerLevel computerLevel() const { return m_level; }
    // Null until Strong has been chosen once.
    StrongPlayer *strongComputer() { return m_strong.get(); }

Q_SIGNALS:
    // After closeAll(): the last connection has finished flushing.
    void finished();

private:
    std::unique_ptr<Random> m_random;
    std::unique_ptr<TDictn> m_dictionary;
    std::unique_ptr<HostNetwork> m_network;
    std::unique_ptr<SeatTable> m_table;
    std::unique_ptr<TimerTurnClock> m_clock;
    std::unique_ptr<GameRules> m_rules;
    std::unique_ptr<ComputerPlayer> m_computer;
    std::unique_ptr<AnagramIndex> m_words;
    std::unique_ptr<StrongPlayer> m_strong;
    ComputerLevel m_level = ComputerLevel::Classic;
    std::unique_ptr<HostSession> m_session;
};
