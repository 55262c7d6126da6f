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

    // Mouse button pressed on extra tile `extra` (1..6).
    void extra1MouseDown(int extra, Qt::MouseButton button);
    // Mouse button pressed on own cell `position` (1..10).
    void myletter1MouseDown(int position, Qt::MouseButton button);
    // Left click on opponent cell `position` (1..10).
    void hisletter1Click(int position);

    // Own turn and not just watching.
    bool inputAccepted() const;

private:
    void send(const QByteArray &request);

    ClientGame &m_game;
    RequestSender &m_sender;
};
