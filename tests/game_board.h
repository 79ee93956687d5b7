#pragma once

#include <string>
#include <vector>

#include "game/Game.h"

namespace tilzo::test {

using Rows = std::vector<std::string>;

// Text rows, top to bottom: '.' is empty, '1'..'5' a colour. Fewer than 16 rows are
// the bottom rows of the board; a short row leaves its right-hand cells empty.
inline Rows fullRows(const Rows& rows)
{
    Rows full(BoardSize - rows.size(), std::string(BoardSize, '.'));
    for (const std::string& row : rows) full.push_back(row + std::string(BoardSize - row.size(), '.'));
    return full;
}

inline void setBoard(Game& game, const Rows& rows)
{
    const Rows full = fullRows(rows);
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) game.Map[c][r] = full[r][c] == '.' ? 0 : full[r][c] - '0';
    }
}

// The play area of any [column][row] grid: Map, UndoMap or a test's copy.
template <class Grid>
Rows rowsOf(const Grid& grid)
{
    Rows rows(BoardSize, std::string(BoardSize, '.'));
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            if (grid[c][r] != 0) rows[r][c] = static_cast<char>('0' + grid[c][r]);
        }
    }
    return rows;
}

inline Rows boardRows(const Game& game)
{
    return rowsOf(game.Map);
}

// A coloured guard makes any read of it show: it would join groups and pairs.
inline void fillGuard(Game& game, std::uint8_t code)
{
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = code;
}

inline bool guardHolds(const Game& game, std::uint8_t code)
{
    for (int i = 0; i < MapSize; ++i) {
        if (game.Map[BoardSize][i] != code || game.Map[i][BoardSize] != code) return false;
    }
    return true;
}

} // namespace tilzo::test
