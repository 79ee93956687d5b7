#include "core/game/Game.h"

namespace tilzo {

namespace {

using Board = std::uint8_t[MapSize][MapSize];

bool hasMove(const Board& map)
{
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            const std::uint8_t code = map[c][r];
            if (code == 0)
                continue;
            if (c > 0 && map[c - 1][r] == code)
                return true;
            if (c < BoardSize - 1 && map[c + 1][r] == code)
                return true;
            if (r > 0 && map[c][r - 1] == code)
                return true;
            if (r < BoardSize - 1 && map[c][r + 1] == code)
                return true;
        }
    }
    return false;
}

} // namespace

bool Game::checkmoves()
{
    if (hasMove(Map)) {
        return true;
    }

    bool present[ColourCount] = {};
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            if (Map[c][r] != 0) {
                present[Map[c][r] - 1] = true;
            }
        }
    }
    // Bonus is only added to here; a new game is what sets it back to 0.
    for (bool colourLeft : present) {
        if (!colourLeft) {
            Bonus += ClearBonus;
        }
    }
    Points += Bonus;
    return false;
}

} // namespace tilzo
