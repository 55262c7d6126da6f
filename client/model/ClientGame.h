// The client's game as the host has told it: who this participant is, both seats, both
// boards and the own extras, whose turn it is and the turn clock, the game's settings,
// the own formed words, the winner and the tile input's selection. It holds no widget;
// the board view draws it and redraws what each change signal names.
//
// The host is authoritative: apart from the selection and the clock, every change is
// the answer to one of its messages. The game's messages have one handler each here
// (BoardMessages), taking the message's rest; a rest the typed decoder refuses (a missing
// or malformed field, a seat, cell, extra or letter code out of range) is ignored whole,
// with a warning on "quarn.board". Who comes and goes reaches the seats through the
// connection half, which handles those messages.
#pragma once

#include "client/model/BoardMessages.h"
#include "client/model/TileSelection.h"

#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class GameNotices;
class GameSounds;
class TallyRecorder;

Q_DECLARE_LOGGING_CATEGORY(lcBoard)

class ClientGame : public QObject, public BoardMessages {
    Q_OBJECT
public:
    // Shows `text` in an information box and calls `closed` once the box is gone.
    using MessageBoxHook = std::function<void(const QString &text, std::function<void()> closed)>;

    // Whom the game calls for its side effects; any may be null (nobody listens).
    struct Services {
        GameSounds *sounds = nullptr;
        GameNotices *notices = nullptr;
        TallyRecorder *tally = nullptr;
    };

    // What the board shows of one seat.
    struct Seat {
        // Where the steals-left count came from: a game's start gives every seat the
        // game's allowance, a turn change the mover's count as the host reports it. The
        // two are captioned differently.
        enum class StealsFrom { Nothing, GameStart, TurnChange };

        // "<Waiting>" while the seat waits for its first player.
        QString name;
        // Nobody has held the seat yet, neither a player nor the computer; its name is
        // then only the label, never somebody's name.
        bool waiting = true;
        int score = 0;
        StealsFrom stealsFrom = StealsFrom::Nothing;
        int stealsLeft = 0;
        bool justWatching = false;
    };

    // The settings of the game in play, as its start or a late arrival's catch-up told
    // them.
    struct Settings {
        int timePerTurn = 0;
        int playToScore = 0;
        int steals = 0;
        bool caughtUp = false;  // from CMD_gamestats rather than the game's start
        bool operator==(const Settings &) const = default;
    };

    // One word the own seat formed.
    struct OwnWord {
        QString word;
        int points = 0;
        bool operator==(const OwnWord &) const = default;
    };

    explicit ClientGame(QObject *parent = nullptr);
    ~ClientGame() override;

    void setServices(const Services &services) { m_services = services; }
    // The tally comes later than the other services.
    void setTally(TallyRecorder *tally) { m_services.tally = tally; }
    // The own turn's sound: "start" (Classic) or "turnnew" (New). Default "start".
    void setTurnSoundChoice(std::function<QString()> choice);
    // Who shows the boxes of a refused steal. Without one, a box counts as seen at once.
    void setMessageBoxHook(MessageBoxHook hook);

    // --- this participant ------------------------------------------------------------
    int ownSlot() const { return m_ownSlot; }  // 0 before the login
    bool loggedIn() const { return m_loggedIn; }
    bool hostFlag() const { return m_hostFlag; }  // this process hosts the game
    // Starts games and removes participants: the hosting process, and whoever holds slot 1,
    // whose requests the host honours (the first to join a host without a window).
    bool leadsGame() const { return m_hostFlag || m_ownSlot == 1; }
    bool isPlayer() const { return quarn::isSeat(m_ownSlot); }
    bool isSpectator() const { return m_ownSlot > quarn::kSeats; }
    bool isOwn(int slot) const { return slot == m_ownSlot; }
    // The host gave this participant `slot`.
    void logIn(int slot);
    void setHosting();
    // The "Just Watch" check mark: the own seat is just watching.
    bool justWatchChecked() const;

    // --- seats (1 and 2) -------------------------------------------------------------
    // Seat `seat`, or null for any other number.
    const Seat *seat(int seat) const;
    // "<Waiting>" until somebody holds the seat; empty for a number that is no seat.
    QString seatName(int seat) const;
    // Somebody (a player or the computer) holds the seat under `name`.
    void setSeatName(int seat, const QString &name);
    // The seat's player left: the computer plays it, and it is no longer just watching.
    void seatLeft(int seat);
    void setJustWatching(int seat, bool watching);

    // --- boards ----------------------------------------------------------------------
    // The letter code in `seat`'s cell; 0 for an empty cell or a place that is none.
    int cell(int seat, int position) const;
    // The letter code of the own extra; 0 for none.
    int extra(int position) const;

    // --- turn and clock --------------------------------------------------------------
    // The seat to move; 0 before the first turn and once a game is won.
    int whoseTurn() const { return m_whoseTurn; }
    // The seat the last turn change named; it stays after a win.
    int mover() const { return m_mover; }
    // The countdown of the turn, for display only: the host keeps the real time.
    int secondsLeft() const { return m_secondsLeft; }
    int turnLength() const { return m_settings ? m_settings->timePerTurn : 0; }
    QTimer &turntimer() { return m_turntimer; }
    const QTimer &turntimer() const { return m_turntimer; }
    // One countdown step; the turntimer calls it every second.
    void processturntime();

    const std::optional<Settings> &settings() const { return m_settings; }
    // From a game's start to its winner, as this participant saw them; a late arrival's
    // catch-up does not count as a start.
    bool gameInPlay() const { return m_gameInPlay; }
    // Newest first.
    const QList<OwnWord> &ownWords() const { return m_ownWords; }
    // The winning seat, 0 while nobody has won; and its name at the moment of the win.
    int winner() const { return m_winner; }
    const QString &winnerName() const { return m_winnerName; }

    const TileSelection &selection() const { return m_selection; }
    void setSelection(const TileSelection &selection);
    // Drops every pick and lowers every tile.
    void resettiles();

    // Message handlers; each takes the rest of its message.
    void startthegame(const QString &rest) override;
    void letters(const QString &rest) override;
    void placetheletters(const QString &rest) override;
    void gamestats(const QString &rest) override;
    void getnextplayer(const QString &rest) override;
    void placemyletter(const QString &rest) override;
    void tradingmyletter(const QString &rest) override;
    void discardletter(const QString &rest) override;
    void discardextra(const QString &rest) override;
    void newletter(const QString &rest) override;
    void stoldletter(const QString &rest) override;
    void formedword(const QString &rest) override;
    void notvalid(const QString &rest) override;
    void toomany(const QString &rest) override;
    void timeup(const QString &rest) override;
    void winner(const QString &rest) override;

Q_SIGNALS:
    // The own slot, the login or the hosting flag changed.
    void loginChanged();
    void seatChanged(int seat);
    void cellChanged(int seat, int position);
    void extraChanged(int position);
    // A turn change named a mover.
    void turnChanged();
    void clockTicked();
    void settingsChanged();
    void wordsChanged();
    void winnerChanged();
    void selectionChanged();
    // A game started: whatever the last game left on the board is cleared.
    void gameStarted();
    // The own seat's just-watch mark changed (the "Just Watch" check mark follows it).
    void justWatchChanged(bool checked);

private:
    Seat *seatAt(int seat);
    void setCell(int seat, int position, int code);
    void setExtra(int position, int code);
    void setScore(int seat, int score);
    void setSettings(const Settings &settings);
    // Clears the opponent pick (and, with `lower`, lowers the opponent's cells) after the
    // box of a refused steal; then the refusal sound.
    void releaseOpponentPick(bool lower);
    void showBox(const QString &text, std::function<void()> closed);
    void notice(const QString &text);
    QString actor(int seat) const;
    void tellAction(int seat, const QString &verb, int code);
    void play(const QString &sound);
    bool refused(bool decoded, const char *command) const;

    Services m_services;
    std::function<QString()> m_turnSoundChoice;
    MessageBoxHook m_messageBox;

    int m_ownSlot = 0;
    bool m_loggedIn = false;
    bool m_hostFlag = false;

    std::array<Seat, quarn::kSeats> m_seats{};
    std::array<std::array<int, quarn::kCells>, quarn::kSeats> m_cells{};
    std::array<int, quarn::kExtras> m_extras{};

    int m_whoseTurn = 0;
    int m_mover = 0;
    int m_secondsLeft = 0;
    QTimer m_turntimer;

    std::optional<Settings> m_settings;
    bool m_gameInPlay = false;
    QList<OwnWord> m_ownWords;
    int m_winner = 0;
    QString m_winnerName;
    TileSelection m_selection;
};
