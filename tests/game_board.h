#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.h"

namespace tilzo::test {

using Rows = std::vector<std::string>;

// Text rows, top to bottom: '.' is empty, '1'..'5' a colour. Fewer than 16 rows are
// the bottom rows of the board; a short row leaves its right-hand cells empty.
inline Rows fullRows(const Rows& rows)
{
    Rows full(BoardSize - rows.size(), std::string(BoardSize, '.'));
    for (const std::string& row : rows) {
        full.push_back(row + std::string(BoardSize - row.size(), '.'));
    }
    return full;
}

inline void setBoard(Game& game, const Rows& rows)
{
    const Rows full = fullRows(rows);
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            const char ch = full[r][c];
            game.Map[c][r] = ch == '.' ? 0 : static_cast<std::uint8_t>(ch - '0');
        }
    }
}

inline Rows boardRows(const Game& game)
{
    Rows rows(BoardSize, std::string(BoardSize, '.'));
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            if (game.Map[c][r] != 0) rows[r][c] = static_cast<char>('0' + game.Map[c][r]);
        }
    }
    return rows;
}

inline Rows undoRows(const Game& game)
{
    Rows rows(BoardSize, std::string(BoardSize, '.'));
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            if (game.UndoMap[c][r] != 0) rows[r][c] = static_cast<char>('0' + game.UndoMap[c][r]);
        }
    }
    return rows;
}

inline bool guardClear(const Game& game)
{
    for (int i = 0; i < MapSize; ++i) {
        if (game.Map[BoardSize][i] != 0 || game.Map[i][BoardSize] != 0) return false;
    }
    return true;
}

// Hands out the given values in turn, then repeats the last one.
class ScriptedRandom : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}

    double next() override
    {
        const double value = values_[std::min(draws, values_.size() - 1)];
        ++draws;
        return value;
    }

    std::size_t draws = 0;

private:
    std::vector<double> values_;
};

// The value a deal turns into the given colour code.
inline double drawFor(int code)
{
    return (code - 0.5) / ColourCount;
}

} // namespace tilzo::test
