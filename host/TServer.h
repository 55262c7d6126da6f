// The host's authoritative game: the seat table, the game-wide values, the formed-word
// lists, the letter supply and the rules of every turn action. It knows no sockets and
// no widgets: requests come in as field texts, messages go out through a SlotSink.
#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class SlotSink;
class Random;
class TDictn;
class ComputerPlayer;

Q_DECLARE_LOGGING_CATEGORY(lcHost)

struct tplayer {
    QString name;
    quint8 connected = 0;
    qint32 score = 0;
    quint8 justwatching = 0;
    std::array<int, 7> extras{};  // positions 1..6; [0] unused; 0 = empty
    std::array<int, 11> board{};  // positions 1..10; [0] unused; 0 = empty
    quint8 turnlock = 0;
    qint32 steals = 0;
};

class TServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kUnlimitedSteals = 10000;
    static constexpr int kTurnTag = 1;      // a person's turn
    static constexpr int kComputerTag = 2;  // the computer's move

    TServer(SlotSink &sink, Random &random, TDictn &spell, QObject *parent = nullptr);
    ~TServer() override;

    // Seat table, indexed by slot 1..11 ([0] unused).
    std::array<tplayer, 12> players{};
    int seatsused = 0;
    int whoseturn = 0;
    int timeperturn = 0;
    int playtoscore = 0;
    int stealsallowed = 0;
    int ticksleft = 0;
    bool gameinprogress = false;
    // Formed-word lists of slots 1..3 (listbox_1..listbox_3), lower case, in order formed.
    std::array<QStringList, 4> formedWords;

    // The turn clock: interval 1000 ms; its tag says whose move the next expiry triggers.
    QTimer turntimer;
    int turntimerTag = 0;

    static QString convertoletter(int code);
    static int letterworth(int code);
    int getletter(int seat);

    // Request handlers: `fields` is the request without its command word.
    // A malformed request changes nothing and is dropped with a warning on lcHost.
    // Turn actions count only from the mover of a running game, with positions in range;
    // anything else is ignored silently. stealinghisletter is true when the steal succeeded.
    void startgame(const QString &fields);
    void placemyletter(const QString &fields);
    void discardletter(const QString &fields);
    void discardextra(const QString &fields);
    void tradingmyletter(const QString &fields);
    bool stealinghisletter(const QString &fields);

    // Scores the seat's board when it spells a listed word new for the seat.
    bool checkword(int seat);
    // The turn change (win test first); nothing happens outside a running game.
    void findplayer();
    bool checkforwin();
    // The clock's tick; does nothing while the clock is stopped or no game runs.
    void turntimerTimer();
    // A seat was switched to just watching: during its own turn the computer moves next tick.
    // Does nothing unless the seat is marked just watching, is the mover and a game runs.
    void justWatchSwitched(int seat);

    // The opponent of seat n: 2 for seats 1 and 3, otherwise 1.
    static int opponentOf(int seat);
    // Steals the seat may still make, as announced in CMD_nextplayer.
    int stealsLeft(int seat) const;
    // True when the computer makes the moves of `seat` (an unheld seat 2, or just watching).
    bool playedByComputer(int seat) const;

    // Send to every connected slot 1..seatsused, ascending.
    void broadcast(const QByteArray &message);
    // Send to `slot` only if it is connected.
    void sendToSeat(int slot, const QByteArray &message);

    SlotSink &sink() { return m_sink; }
    Random &random() { return m_random; }
    TDictn &spell() { return m_spell; }
    ComputerPlayer &computer() { return *m_computer; }

private:
    // True when `seat` may act now: a running game, the seat is 1 or 2 and is the mover.
    bool isMover(int seat) const;
    // Reads `count` decimal fields; nothing on a conversion error (logged on lcHost).
    static std::optional<std::array<int, 3>> readNumbers(const QString &fields, int count, const char *request);
    void startTurnClock(int tag, int ticks);
    void timeUp();

    SlotSink &m_sink;
    Random &m_random;
    TDictn &m_spell;
    std::unique_ptr<ComputerPlayer> m_computer;
};
