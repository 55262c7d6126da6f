// Tile input: turns clicks on the board's tiles into the player's requests. A first
// click picks a tile, a second left click on an own cell completes a placement, swap or
// steal, and a right click discards at once. It edits only the game's tile selection;
// letters change on the board only when the host answers.
#pragma once

#include <Qt>

class ClientGame;
class QByteArray;
class RequestSender;

class TileInput {
public:
    TileInput(ClientGame &game, RequestSender &sender);

    // Mouse button pressed on extra tile `extra` (1..6): picks it, or discards it (right).
    void pressExtra(int extra, Qt::MouseButton button);
    // Mouse button pressed on own cell `position` (1..10): completes a placement, swap or
    // steal, picks the cell, or discards its letter (right).
    void pressOwnCell(int position, Qt::MouseButton button);
    // Left click on opponent cell `position` (1..10): picks it for a steal.
    void pickOpponentCell(int position);

    // Own turn and not just watching.
    bool inputAccepted() const;

private:
    void send(const QByteArray &request);

    ClientGame &m_game;
    RequestSender &m_sender;
};
