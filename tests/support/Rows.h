// Boards as text rows, the last at the bottom of the board: '.' is empty, '1'..'5' a colour; a short row
// ends in empty cells, missing rows at the top are empty.
#pragma once

#include "core/game/Game.h"

#include <string>
#include <vector>

namespace tilzo::support {

using Rows = std::vector<std::string>;

inline Rows fullRows(Rows rows)
{
    rows.insert(rows.begin(), BoardSize - rows.size(), "");
    for (std::string& row : rows)
        row.resize(BoardSize, '.');
    return rows;
}

inline void setBoard(Game& game, const Rows& rows)
{
    const Rows full = fullRows(rows);
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            game.Map[c][r] = std::uint8_t(std::string(".12345").find(full[r][c]));
}

inline Rows boardRows(const Game& game)
{
    Rows rows = fullRows({});
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            rows[r][c] = ".12345"[game.Map[c][r]];
    return rows;
}

} // namespace tilzo::support
