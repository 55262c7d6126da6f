// The board half of the main window: both word rows, the own extra tiles, the seats'
// names, scores, steals and markers, the turn clock, the game's settings, the own
// formed words and the winner panel. The host is authoritative: every change here is
// the answer to one of its messages, handled by one public handler per message, which
// takes the message's rest (the text after the command's "+"). Numeric fields are read
// strictly, so a malformed field stops its handler with net::ConversionError, which
// the dispatcher catches; a seat, position or letter code outside what the message
// allows makes the handler ignore the whole message (FieldRange.h).
#pragma once

#include "client/BoardMessages.h"
#include "client/SeatControls.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

class BoardTile;
class ChatLines;
class GameSounds;
class RequestSender;
class TallyRecorder;
class TileInput;
struct ClientContext;

Q_DECLARE_LOGGING_CATEGORY(lcBoard)

// The tile selection of the tile input; cleared by resettiles. At most one is non-zero.
struct BoardSelection {
    int pickedextra = 0;  // extra position 1..6
    int pickedmine = 0;   // own word position 1..10
    int pickedhis = 0;    // opponent word position 1..10
};

class BoardHalf : public QObject, public BoardMessages, public SeatControls {
    Q_OBJECT
public:
    // Rest and selected tops of the three tile kinds, and the time bar's full width.
    static constexpr int kHisTop = 32;
    static constexpr int kHisSelectedTop = 36;
    static constexpr int kMyTop = 115;
    static constexpr int kMySelectedTop = 119;
    static constexpr int kExtraTop = 173;
    static constexpr int kExtraSelectedTop = 167;
    static constexpr int kBarWidth = 197;
    static constexpr int kUnlimitedSteals = 10000;

    // Shows `text` in an information box and calls `closed` once the box is gone.
    using MessageBoxHook = std::function<void(const QString &text, std::function<void()> closed)>;

    // Places every board control on `panel` (the 724 x 491 board panel). `tally` may be
    // null until the tally exists; it can be given later with setTally.
    BoardHalf(QWidget *panel, ClientContext &context, RequestSender &sender, GameSounds &sounds,
              ChatLines &chat, TallyRecorder *tally, QObject *parent = nullptr);
    ~BoardHalf() override;

    void setTally(TallyRecorder *tally) { m_tally = tally; }
    // The turn sound: returns "start" (Classic) or "turnnew" (New). Default "start".
    void setTurnSoundChoice(std::function<QString()> choice);
    // The game start dialog that button_startClick shows.
    void setGameStartDialog(QWidget *dialog) { m_gameStartDialog = dialog; }
    // Replaces the information boxes of notvalid, toomany and button_startClick.
    void setMessageBoxHook(MessageBoxHook hook);

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

    // Both score labels to "0".
    void clearall();
    // Clears the tile selection and puts every tile back at its rest top.
    void resettiles();
    // "Start Game": shows the game start dialog when logged in.
    void button_startClick();
    // One countdown step; the turntimer calls it every second.
    void processturntime();

    // Per-seat controls (seat 1 or 2; null or empty for any other number).
    QLabel *nameLabel(int seat) const;
    QLabel *scoreLabel(int seat) const;
    QLabel *statusLabel(int seat) const;
    QLabel *turnMarker(int seat) const;
    QLabel *eyesMarker(int seat) const;
    // Puts `name` into the seat's name label and shows that label and the score label.
    void setSeatName(int seat, const QString &name) override;
    QString seatName(int seat) const override;
    void setEyesVisible(int seat, bool visible) override;
    // For a player in seat 2: the bottom control set becomes seat 2's, the top set seat 1's.
    void switchlabels() override;

    QPushButton *startButton() const { return m_buttonStart; }

    // Tiles: own (bottom) row, opponent (top) row, extras; null outside their ranges.
    BoardTile *myletter(int position) const;
    BoardTile *hisletter(int position) const;
    BoardTile *extra(int position) const;

    BoardSelection &selection() { return m_selection; }
    const BoardSelection &selection() const { return m_selection; }
    QTimer &turntimer() { return m_turntimer; }
    int secondsleft() const { return m_secondsleft; }
    int turnlength() const { return m_turnlength; }
    int barstep() const { return m_barstep; }
    int playtoscore() const { return m_playtoscore; }
    ClientContext &context() { return m_context; }

Q_SIGNALS:
    // A new game cleared the "Just Watch" check mark (ClientContext::justWatchChecked).
    void justWatchCleared();

private:
    struct SeatSet {
        QLabel *name = nullptr;
        QLabel *score = nullptr;
        QLabel *status = nullptr;
        QLabel *turn = nullptr;
        QLabel *eyes = nullptr;
    };

    void createTiles();
    void createSeatControls();
    void createInfoControls();
    void createClock();
    const SeatSet *seatSet(int seat) const;
    // One control of `seat`'s set; null for a seat other than 1 or 2.
    QLabel *seatPart(int seat, QLabel *SeatSet::*part) const;
    // The tile of `position` in the row that shows `slot`'s word; null when out of range.
    BoardTile *rowTile(int slot, int position) const;
    bool isOwn(int slot) const;
    void setTurnLength(int seconds);
    void showStealsLeft(int seat, int stealsLeft);
    void showMessage(const QString &text, std::function<void()> closed);
    void notice(const QString &text);
    void play(const QString &sound);

    QWidget *m_panel;
    ClientContext &m_context;
    GameSounds &m_sounds;
    ChatLines &m_chat;
    TallyRecorder *m_tally;
    QWidget *m_gameStartDialog = nullptr;
    std::function<QString()> m_turnSoundChoice;
    MessageBoxHook m_messageBox;

    std::array<BoardTile *, 10> m_myletters{};
    std::array<BoardTile *, 10> m_hisletters{};
    std::array<BoardTile *, 6> m_extras{};
    // [0] seat 1, [1] seat 2; switchlabels exchanges them.
    std::array<SeatSet, 2> m_seats{};

    QLabel *m_wordback1 = nullptr;
    QLabel *m_wordback2 = nullptr;
    QLabel *m_labelStatus = nullptr;
    QLabel *m_labelPlaytoscore = nullptr;
    QLabel *m_labelTimeperturn = nullptr;
    QLabel *m_labelSteals = nullptr;
    QLabel *m_labelTurntime = nullptr;
    QLabel *m_imageTimer = nullptr;
    QLabel *m_labelMywords = nullptr;
    QListWidget *m_listboxMywords = nullptr;
    QWidget *m_panelWinner = nullptr;
    QLabel *m_labelWinner1 = nullptr;
    QLabel *m_labelWinner2 = nullptr;
    QPushButton *m_buttonStart = nullptr;

    BoardSelection m_selection;
    QTimer m_turntimer;
    int m_secondsleft = 0;
    int m_turnlength = 0;
    int m_barstep = 0;
    int m_playtoscore = 0;

    std::unique_ptr<TileInput> m_tileInput;
};
