#include "core/game/Game.h"

#include <algorithm>

namespace tilzo {

namespace {

bool isFree(CellPos entry)
{
    return entry.x == BoardSize && entry.y == BoardSize;
}

} // namespace

void Game::RemoveBlocks(int x, int y)
{
    if (GameOver || x < 0 || x >= BoardSize || y < 0 || y >= BoardSize || Map[x][y] == 0) {
        return;
    }

    const std::uint8_t colour = Map[x][y];
    int found = 0;
    std::fill(std::begin(Queue), std::end(Queue), FreeEntry);
    int readPos = 0;
    Queue[0] = CellPos{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    int writePos = 1;
    bool snapshotPending = true;
    bool more = false;

    // Breadth-first: each cell is cleared when processed, so it is never found again;
    // checktable keeps a pending cell from being appended twice.
    auto take = [&](int nx, int ny) {
        if (Map[nx][ny] == colour && !checktable(nx, ny)) {
            Queue[writePos] = CellPos{static_cast<std::int16_t>(nx), static_cast<std::int16_t>(ny)};
            more = true;
            ++writePos;
            ++found;
        }
    };

    do {
        more = false;
        if (x > 0)
            take(x - 1, y);
        if (x < BoardSize - 1)
            take(x + 1, y);
        if (y > 0)
            take(x, y - 1);
        if (y < BoardSize - 1)
            take(x, y + 1);

        if (found != 0) {
            // The first pass has found the clicked block's neighbours and nothing is
            // cleared yet: the snapshot holds the board and score from before the move.
            if (snapshotPending) {
                SaveUndo();
                snapshotPending = false;
            }
            Map[x][y] = 0;
        }

        Queue[readPos] = FreeEntry;
        ++readPos;
        x = Queue[readPos].x;
        y = Queue[readPos].y;

        // Pending entries are always the ones from readPos on, so the first one found
        // here is the cell just loaded.
        if (!more) {
            const auto pending = std::find_if_not(std::begin(Queue), std::end(Queue), isFree);
            if (pending != std::end(Queue)) {
                readPos = static_cast<int>(pending - std::begin(Queue));
                more = true;
            }
        }
    } while (more);

    // Added once, after the whole group is gone: 5 * found * (found + 1).
    for (int j = 0; j <= found; ++j) {
        Points += 10 * j;
    }
}

int Game::GroupSize(int x, int y, std::uint8_t (*taken)[BoardSize]) const
{
    Game trial = *this; // the removal itself counts, so that a group is only ever what it takes
    trial.GameOver = false;
    trial.RemoveBlocks(x, y);
    int count = 0;
    for (int column = 0; column < BoardSize; ++column)
        for (int row = 0; row < BoardSize; ++row) {
            const bool gone = Map[column][row] != trial.Map[column][row];
            count += gone;
            if (taken)
                taken[column][row] = gone;
        }
    const bool occupied = x >= 0 && x < BoardSize && y >= 0 && y < BoardSize && Map[x][y] != 0;
    return occupied ? std::max(count, 1) : 0;
}

bool Game::checktable(int x, int y) const
{
    return std::any_of(std::begin(Queue), std::end(Queue),
                       [x, y](CellPos entry) { return entry.x == x && entry.y == y; });
}

} // namespace tilzo
