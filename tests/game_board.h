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
    for (int i = 0; i < BoardSize * BoardSize; ++i)
        game.Map[i / BoardSize][i % BoardSize] = std::string(".12345").find(full[i % BoardSize][i / BoardSize]);
}

inline Rows boardRows(const Game& game)
{
    Rows rows(BoardSize, std::string(BoardSize, '.'));
    for (int i = 0; i < BoardSize * BoardSize; ++i) rows[i % BoardSize][i / BoardSize] = ".12345"[game.Map[i / BoardSize][i % BoardSize]];
    return rows;
}

} // namespace tilzo::test
