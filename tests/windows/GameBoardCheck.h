// Compares what a participant's board shows with the host's state.
#pragma once

#include <QString>

class BoardHalf;
class TServer;
struct ClientContext;

// What differs between the board of the participant `context` belongs to and the host's
// seat table: both rows, the own extras (slots 1 to 3, which the host deals), both
// scores and whose turn it is. Empty when they agree.
QString gameBoardDifference(TServer &server, const BoardHalf &board, const ClientContext &context);
