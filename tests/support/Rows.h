// Boards as text rows, the last at the bottom of the board: '.' is empty, '1'..'5' a colour; a short row
// ends in empty cells, missing rows at the top are empty. And two games compared whole.
#pragma once

#include "core/game/Game.h"

#include <cstring>
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

// The boards, the snapshot and the scores alike.
inline bool equalGames(const Game& a, const Game& b)
{
    return std::memcmp(a.Map, b.Map, sizeof a.Map) == 0
           && std::memcmp(a.UndoMap, b.UndoMap, sizeof a.UndoMap) == 0 && a.Points == b.Points
           && a.Bonus == b.Bonus && a.GameOver == b.GameOver && a.UndoSaved() == b.UndoSaved()
           && a.UndoPoints == b.UndoPoints;
}

} // namespace tilzo::support
