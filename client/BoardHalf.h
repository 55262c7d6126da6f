// The board view of the main window: both word rows, the own extra tiles, the seats'
// names, scores, steals and markers, the turn clock, the game's settings, the own formed
// words, the winner panel and the Start button, at their designed places on the board
// panel. It draws the client's game (ClientGame) and redraws what each of its change
// signals names; it keeps no game state of its own and reads none back from a widget.
// Tile clicks go to the tile input, which edits the game's selection; keys on the board's
// keyboard area go to the keyboard input, which clicks through the same tile input.
#pragma once

#include "client/model/KeyboardInput.h"
#include "client/model/TileInput.h"
#include "net/GameFacts.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

class BoardAccessibility;
class BoardFocus;
class BoardTile;
class ClientGame;
class RequestSender;

class BoardHalf : public QObject {
    Q_OBJECT
public:
    // Rest and raised tops of the three tile kinds, and the time bar's full width.
    static constexpr int kOpponentTop = 32;
    static constexpr int kOpponentSelectedTop = 36;
    static constexpr int kOwnTop = 115;
    static constexpr int kOwnSelectedTop = 119;
    static constexpr int kExtraTop = 173;
    static constexpr int kExtraSelectedTop = 167;
    static constexpr int kBarWidth = 197;

    // The two word rows: the own word at the bottom, the opponent's on top.
    enum class Row { Bottom, Top };

    // Shows `text` in an information box and calls `closed` once the box is gone.
    using MessageBoxHook = std::function<void(const QString &text, std::function<void()> closed)>;

    // Places every board control on `panel` (the 724 x 491 board panel) and draws `game`,
    // a game as fresh as the view; the tile input sends through `sender`.
    BoardHalf(QWidget *panel, ClientGame &game, RequestSender &sender, QObject *parent = nullptr);
    ~BoardHalf() override;

    // The game start dialog that openGameStart shows.
    void setGameStartDialog(QWidget *dialog) { m_gameStartDialog = dialog; }
    // Replaces the information boxes (the game's refused steals and openGameStart's).
    void setMessageBoxHook(MessageBoxHook hook);
    // "Start Game" (the button and the menu entry): shows the game start dialog when
    // logged in.
    void openGameStart();

    // The seat a row shows: a player's own seat at the bottom; a spectator, or anyone
    // before the login, sees seat 1 there.
    int seatShownIn(Row row) const;
    Row rowOf(int seat) const;
    // The reaction to a new own slot: rows and seat controls redrawn for the mapping.
    void drawForOwnSlot();

    // Per-seat controls (seat 1 or 2; null for any other number), wherever the seat shows.
    QLabel *nameLabel(int seat) const;
    QLabel *scoreLabel(int seat) const;
    QLabel *statusLabel(int seat) const;
    QLabel *turnMarker(int seat) const;
    QLabel *eyesMarker(int seat) const;
    QLabel *nameLabelIn(Row row) const;

    QPushButton *startButton() const { return m_startButton; }

    // Tiles: own (bottom) row, opponent (top) row, extras; null outside their ranges.
    BoardTile *ownTile(int position) const;
    BoardTile *opponentTile(int position) const;
    BoardTile *extraTile(int position) const;
    TileInput &tileInput() { return m_tileInput; }
    KeyboardInput &keyboardInput() { return m_keyboard; }
    // The widget that takes the keyboard for the board.
    BoardFocus *keyboardArea() const { return m_focus; }
    // The chat line that Tab and F6 switch the keyboard with.
    void setChatLine(QWidget *chatLine);
    QLabel *turnClock() const { return m_clockLabel; }

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
    void connectGame();
    const SeatSet &rowSet(Row row) const { return m_rows[static_cast<std::size_t>(row)]; }
    QLabel *seatPart(int seat, QLabel *SeatSet::*part) const;
    BoardTile *rowTile(Row row, int position) const;

    void drawSeat(int seat);
    void drawCell(int seat, int position);
    void drawExtra(int position);
    void drawTurnMarkers();
    void drawTurn();
    void drawClock();
    void drawSettings();
    void drawWords();
    void drawWinner();
    void drawSelection();
    void drawStartButton();

    QWidget *m_panel;
    ClientGame &m_game;
    TileInput m_tileInput;
    KeyboardInput m_keyboard;
    BoardFocus *m_focus = nullptr;
    QWidget *m_gameStartDialog = nullptr;
    MessageBoxHook m_messageBox;

    std::array<BoardTile *, quarn::kCells> m_ownTiles{};
    std::array<BoardTile *, quarn::kCells> m_opponentTiles{};
    std::array<BoardTile *, quarn::kExtras> m_extraTiles{};
    // By Row: [0] beside the bottom row, [1] beside the top row; a row for each seat.
    std::array<SeatSet, quarn::kSeats> m_rows{};

    QLabel *m_statusLine = nullptr;
    QLabel *m_playToScoreLabel = nullptr;
    QLabel *m_timePerTurnLabel = nullptr;
    QLabel *m_stealsLabel = nullptr;
    QLabel *m_clockLabel = nullptr;
    QLabel *m_timeBar = nullptr;
    QLabel *m_ownWordsCaption = nullptr;
    QListWidget *m_ownWordsList = nullptr;
    QWidget *m_winnerPanel = nullptr;
    QLabel *m_winnerCaption = nullptr;
    QLabel *m_winnerShadow = nullptr;
    QPushButton *m_startButton = nullptr;
    // Last: it names the controls above and goes before them.
    std::unique_ptr<BoardAccessibility> m_accessibility;
};
