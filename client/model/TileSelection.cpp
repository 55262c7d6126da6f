// The tile input's selection; see TileSelection.h.
#include "client/model/TileSelection.h"

#include <cstddef>

namespace {

template <std::size_t N> bool inRange(const std::array<bool, N> &, int position)
{
    return position >= 1 && position <= static_cast<int>(N);
}

}  // namespace

bool TileSelection::raised(TileKind kind, int position) const
{
    const auto look = [position](const auto &row) {
        return inRange(row, position) && row[quarn::positionIndex(position)];
    };
    switch (kind) {
    case TileKind::Extra: return look(raisedExtras);
    case TileKind::Own: return look(raisedOwn);
    case TileKind::Opponent: return look(raisedOpponent);
    }
    return false;
}

void TileSelection::setRaised(TileKind kind, int position, bool up)
{
    const auto set = [position, up](auto &row) {
        if (inRange(row, position))
            row[quarn::positionIndex(position)] = up;
    };
    switch (kind) {
    case TileKind::Extra: set(raisedExtras); break;
    case TileKind::Own: set(raisedOwn); break;
    case TileKind::Opponent: set(raisedOpponent); break;
    }
}
