// What a screen reader says about the board: every tile, the seats' names and scores,
// the turn clock and the keyboard area get an accessible name (what the control is:
// "your board, cell 3") and description (what it holds now: "A, 1 point"). The texts are
// worked out from the game, never from what a control shows, and follow every change.
#pragma once

#include "client/model/TileSelection.h"

#include <QObject>
#include <QString>

class BoardHalf;
class ClientGame;
class KeyboardInput;
class QWidget;

class BoardAccessibility : public QObject {
    Q_OBJECT
public:
    // Names the controls of `board`, which draws `game`; `focusArea` (the board's
    // keyboard area) tells the tile under `keys`' cursor.
    BoardAccessibility(BoardHalf &board, const ClientGame &game, const KeyboardInput &keys, QWidget *focusArea,
                       QObject *parent = nullptr);

    // "your board, cell 3", "Bob's board, cell 3", "your hand, tile 2".
    QString tileName(TileKind kind, int position) const;
    // "A, 1 point", "empty"; ", selected" after it while the tile is raised.
    QString tileValue(TileKind kind, int position) const;
    // "Bob's turn, 22 seconds", "your turn, 1 second", "no turn running".
    QString clockValue(int secondsLeft) const;

private:
    void refresh();
    void refreshClock(int secondsLeft);
    void refreshCursor();
    // "your", "Ann's", or "player 2's" while nobody holds the seat.
    QString whose(int seat) const;
    int seatOf(TileKind kind) const;

    BoardHalf &m_board;
    const ClientGame &m_game;
    const KeyboardInput &m_keys;
    QWidget *m_focusArea;
};
