// Tile input: turns clicks on the board's tiles into the player's requests. A first
// click selects a tile, a second left click on an own word tile completes a placement,
// swap or steal, and a right click discards at once. Nothing on the board changes
// letters here; only the host's answer does.
#pragma once

#include <QObject>

class BoardHalf;
class BoardTile;
class RequestSender;

class TileInput : public QObject {
    Q_OBJECT
public:
    // Connects to every tile of `board`.
    TileInput(BoardHalf &board, RequestSender &sender, QObject *parent = nullptr);

    // Mouse button pressed on extra tile `tile`.
    void extra1MouseDown(BoardTile *tile, Qt::MouseButton button);
    // Mouse button pressed on own word tile `tile`.
    void myletter1MouseDown(BoardTile *tile, Qt::MouseButton button);
    // Left click on opponent tile `tile`.
    void hisletter1Click(BoardTile *tile);

    // Own turn and not just watching.
    bool inputAccepted() const;

private:
    void send(const QByteArray &request);

    BoardHalf &m_board;
    RequestSender &m_sender;
};
