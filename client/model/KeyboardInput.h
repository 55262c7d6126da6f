// Keyboard input: the board played from the keys. Each key stands for a click on a tile
// and goes through the tile input, so a key and the click it stands for obey the same
// rules and send the same request. Besides that, it keeps the keyboard cursor: the tile
// that the arrow keys move over and Enter acts on.
//
//   a letter           picks the first own extra holding it (again: the next one)
//   1..9, 0            own cell 1..10, as a left click on it (place, swap, steal or pick)
//   Shift + 1..9, 0    picks opponent cell 1..10 for a steal
//   Delete             discards the picked extra or own cell
//   Escape             drops the pick
//   arrows, Enter      move the cursor; Enter clicks the tile under it
#pragma once

#include "client/model/TileSelection.h"

#include <QObject>
#include <QString>
#include <Qt>

class ClientGame;
class TileInput;

class KeyboardInput : public QObject {
    Q_OBJECT
public:
    // One key going down, as the view received it. `nativeScanCode` names the physical
    // key (0 when unknown); it lets the digit row work the same on every layout, where
    // Shift turns it into symbols (US) or the digits only come with Shift (AZERTY).
    struct KeyPress {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
        quint32 nativeScanCode = 0;
    };

    // Where the cursor stands: a tile kind and its position (1..6 extras, 1..10 cells).
    struct Cursor {
        TileKind kind = TileKind::Extra;
        int position = 1;
        bool operator==(const Cursor &) const = default;
    };

    KeyboardInput(ClientGame &game, TileInput &input, QObject *parent = nullptr);

    // Handles `press`; false when it is no key of the board's (so that, for instance,
    // Tab and the menus' short-cuts keep their meaning).
    bool keyPress(const KeyPress &press);

    const Cursor &cursor() const { return m_cursor; }

    // The own cell (1..10) of a key of the digit row by its scan code on this platform;
    // 0 for any other key, and everywhere the scan codes are not known.
    static int digitRowCell(quint32 nativeScanCode);

Q_SIGNALS:
    void cursorChanged();

private:
    void moveCursor(TileKind kind, int position);
    void step(int key);
    void pressCell(int position, bool opponent);
    void pressLetter(int code);
    void discardPick();
    void actAtCursor();

    ClientGame &m_game;
    TileInput &m_input;
    Cursor m_cursor;
};
