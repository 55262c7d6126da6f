// One 41 x 41 tile of the board: a cell of either word row or an extra tile. It shows
// a letter picture or nothing (the board background shows through), carries its
// position as its tag and reports mouse presses and clicks to the tile input. While the
// keyboard cursor stands on it, a frame is drawn round it.
#pragma once

#include "client/ClickTracker.h"

#include <QWidget>

class BoardTile : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 41;

    BoardTile(int tag, QWidget *parent);

    // The position this tile stands for: 1..10 in a word row, 1..6 among the extras.
    int tag() const { return m_tag; }
    // The letter code shown, 0 when the tile shows nothing.
    int code() const { return m_code; }

    // Paints letter picture `code` over whatever the tile shows. Code 0 (no letter) and
    // codes outside 0..26 leave the tile empty, so a tile never shows a letter that the
    // host does not hold at that place.
    void drawCode(int code);
    // Removes the picture: the tile shows nothing.
    void clear();
    // The keyboard cursor's frame on or off.
    void setCursorShown(bool shown);
    bool cursorShown() const { return m_cursorShown; }

Q_SIGNALS:
    // A mouse button went down over the tile.
    void mousePressed(Qt::MouseButton button);
    // The left button was pressed and released over the tile.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_tag;
    int m_code = 0;
    ClickTracker m_click;
    bool m_cursorShown = false;
};
