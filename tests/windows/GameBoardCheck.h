// Shared by the whole-game tests: comparing what a participant's board shows with the
// host's state, clicking tiles, and the letters the scripted games deal.
#pragma once

#include <QString>
#include <Qt>

#include <memory>
#include <vector>

class BoardHalf;
class BoardTile;
class HostEngine;
class QTemporaryDir;
class Tchat;
class GameRules;
class ClientGame;

// What differs between what a participant's board view shows (both rows, the own extras
// for slots 1 to 3, which the host deals, both scores) and its game's turn on one side,
// and the host's seat table on the other. Empty when they agree.
QString gameBoardDifference(GameRules &rules, const BoardHalf &board, const ClientGame &game);

// Creates a main window for `name` that, once shown, connects to 127.0.0.1 (the port from
// QUARN_PORT) in `mode`: "true" hosts on `host`, anything else joins. Its settings file
// lives in `folder`; the window is appended to `windows`, which owns it.
Tchat &openGameWindow(std::vector<std::unique_ptr<Tchat>> &windows, const QTemporaryDir &folder, HostEngine *host,
                      const QString &name, const QString &mode);

// A click in the middle of a tile.
void clickTile(BoardTile *tile, Qt::MouseButton button = Qt::LeftButton);

// Letter codes of the scripted deals.
enum Letter { A = 1, C = 3, D = 4, E = 5, G = 7, I = 9, L = 12, N = 14, O = 15, R = 18, S = 19, T = 20, U = 21 };

// How long one step of a game over loopback may take.
constexpr int kGameStepWait = 15000;
