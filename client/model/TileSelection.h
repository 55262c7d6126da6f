// The board's sizes as the client counts them, and the tile input's selection: which
// tile is picked for a placement, swap or steal, and which tiles are drawn raised.
#pragma once

#include "net/GameFacts.h"

#include <array>

// The kinds of tile the tile input picks: an own extra, a cell of the own board, a cell
// of the opponent's board.
enum class TileKind { Extra, Own, Opponent };

// Where the tile input stands: at most one pick, and the tiles drawn raised. After the
// click that completes a swap or steal, the tiles it named stay raised until the host
// answers, and an arriving letter lowers the extras without dropping the pick; so the
// raised tiles are kept beside the picks rather than worked out from them.
struct TileSelection {
    int pickedExtra = 0;  // extra 1..6 picked for a placement
    int pickedOwn = 0;  // own cell 1..10 picked for a swap
    int pickedOpponent = 0;  // opponent cell 1..10 picked for a steal
    std::array<bool, quarn::kExtras> raisedExtras{};
    std::array<bool, quarn::kCells> raisedOwn{};
    std::array<bool, quarn::kCells> raisedOpponent{};

    // False for a position outside the kind's range.
    bool raised(TileKind kind, int position) const;
    // Does nothing for a position outside the kind's range.
    void setRaised(TileKind kind, int position, bool up);
    bool operator==(const TileSelection &) const = default;
};
