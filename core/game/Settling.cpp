#include "core/game/Game.h"

#include <algorithm>

namespace tilzo {

namespace {

using Column = std::uint8_t[MapSize];

// Lets the blocks of one column fall; false when the column holds no block.
bool fall(Column& column)
{
    bool blockSeen = false;
    for (int r = 0; r < BoardSize; ++r) {
        if (column[r] != 0) {
            blockSeen = true;
        } else if (blockSeen) {
            // A hole below a block: everything above it moves down one row.
            std::uint8_t scratch[BoardSize];
            std::copy(column, column + r + 1, scratch);
            column[0] = 0;
            std::copy(scratch, scratch + r, column + 1);
        }
    }
    return blockSeen;
}

// Moves columns from..15 one place to the left; column 15 ends empty.
void shiftLeft(Column* map, int from)
{
    for (int d = from; d < BoardSize; ++d) {
        for (int r = 0; r < BoardSize; ++r) {
            map[d - 1][r] = map[d][r];
            map[d][r] = 0;
        }
    }
}

} // namespace

void Game::DropBlocks()
{
    bool emptyColumn = false;
    for (int c = 0; c < BoardSize; ++c) {
        if (!fall(Map[c])) {
            emptyColumn = true;
        }
    }

    // After falling, a column is empty exactly when its bottom cell is. Each pass
    // closes the gap left of every occupied column; a run of empty columns takes
    // several passes, and the last pass moves nothing.
    constexpr int bottom = BoardSize - 1;
    while (emptyColumn) {
        emptyColumn = false;
        for (int c = 0; c < BoardSize - 1; ++c) {
            if (Map[c][bottom] == 0 && Map[c + 1][bottom] != 0) {
                shiftLeft(Map, c + 1);
                emptyColumn = true;
            }
        }
    }
}

} // namespace tilzo
