// The board's sizes as the client counts them, and the tile input's selection: which
// tile is picked for a placement, swap or steal, and which tiles are drawn raised.
#pragma once

#include <array>

namespace clientgame {
inline constexpr int kSeats = 2;
inline constexpr int kCells = 10;   // cells of a seat's board, 1..10
inline constexpr int kExtras = 6;   // the own letters beside the board, 1..6
// The steals setting that means "no limit".
inline constexpr int kUnlimitedSteals = 10000;
} // namespace clientgame

// The kinds of tile the tile input picks: an own extra, a cell of the own board, a cell
// of the opponent's board.
enum class TileKind { Extra, Own, Opponent };

// Where the tile input stands: at most one pick, and the tiles drawn raised. After the
// click that completes a swap or steal, the tiles it named stay raised until the host
// answers, and an arriving letter lowers the extras without dropping the pick; so the
// raised tiles are kept beside the picks rather than worked out from them.
struct TileSelection {
    int pickedExtra = 0;     // extra 1..6 picked for a placement
    int pickedOwn = 0;       // own cell 1..10 picked for a swap
    int pickedOpponent = 0;  // opponent cell 1..10 picked for a steal
    std::array<bool, clientgame::kExtras> raisedExtras{};
    std::array<bool, clientgame::kCells> raisedOwn{};
    std::array<bool, clientgame::kCells> raisedOpponent{};

    // False for a position outside the kind's range.
    bool raised(TileKind kind, int position) const;
    // Does nothing for a position outside the kind's range.
    void setRaised(TileKind kind, int position, bool up);
    bool operator==(const TileSelection &) const = default;
};
