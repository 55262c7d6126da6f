// The texts the board shows for the game's numbers: settings, steals left, the turn
// clock and its bar. Their wording, odd spots included, is what players have always seen.
#pragma once

#include "client/model/ClientGame.h"

#include <QString>

namespace boardcaptions {

QString playToScore(const ClientGame::Settings &settings);
QString timePerTurn(const ClientGame::Settings &settings);
QString steals(const ClientGame::Settings &settings);
// Seat `seat`'s steals-left caption; empty before anything told the seat's count.
QString stealsLeft(int seat, const ClientGame::Seat &state);
// The status line: "Place a Letter" on the own turn, "<name>'s turn." on another's, and
// nothing before the first turn or once the game is won.
QString turnStatus(const ClientGame &game);
// "Time: m:ss"; "Time: 0:00" once no second is left.
QString clock(int secondsLeft);
// The time bar's width: a whole number of pixels a second of a turn of `turnLength`
// seconds, nothing once no second is left or for a turn without time.
int timeBarWidth(int secondsLeft, int turnLength, int fullWidth);

}  // namespace boardcaptions
