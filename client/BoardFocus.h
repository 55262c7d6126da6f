// The board's keyboard area: a widget lying under the board's rows and extras that takes
// the keyboard for the game. While it has the focus it shows a frame round the board and
// the keyboard cursor on its tile, and hands every key to the keyboard input. Tab from
// the chat line, or F6 anywhere in the window, brings the focus here; Tab or F6 here
// gives it back to the chat line.
#pragma once

#include "client/model/KeyboardInput.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class BoardTile;
class QShortcut;

class BoardFocus : public QWidget {
    Q_OBJECT
public:
    // Round both word rows, the turn markers and the extras, clear of the status line.
    static constexpr QRect kArea{4, 12, 450, 207};

    // The tile the cursor names; null for none.
    using TileAt = std::function<BoardTile *(TileKind kind, int position)>;

    // Lies on `panel` below every control made before it; draws `keys`' cursor on the
    // tiles `tileAt` names.
    BoardFocus(QWidget *panel, KeyboardInput &keys, TileAt tileAt);

    // The chat line that Tab and F6 switch with. Until there is one, F6 only brings the
    // focus to the board, and Tab on the board goes on along the window's tab chain.
    void setChatLine(QWidget *chatLine);
    // F6: from the board to the chat line, from anywhere else to the board.
    void toggleFocus();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void drawCursor();

    KeyboardInput &m_keys;
    TileAt m_tileAt;
    QPointer<QWidget> m_chatLine;
    QPointer<BoardTile> m_marked;
};
