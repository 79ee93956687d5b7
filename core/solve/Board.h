#pragma once

#include <cstdint>

#include "core/game/Game.h"

namespace tilzo::solve {

constexpr int MaxSide = BoardSize;
constexpr int MaxCells = MaxSide * MaxSide;
constexpr int MaxGroups = MaxCells / 2;
constexpr int MaxColours = 10; // one per digit

// A board as given: rows top first, each value a colour, equal values one colour.
struct Grid {
    int rows = 0;
    int columns = 0;
    std::uint8_t cell[MaxSide][MaxSide] = {}; // [row][column]
};

// A cell by its column and its height above the bottom row.
struct Cell {
    std::uint8_t column = 0;
    std::uint8_t height = 0;
};

// Columns [first, end).
struct Columns {
    int first = 0;
    int end = 0;
};

// The bits set in each 16-bit half, counted in that half. The x86-64 baseline has no instruction
// for std::popcount, and its library call costs more than this.
constexpr std::uint32_t halfCounts(std::uint32_t m)
{
    m = m - (m >> 1 & 0x55555555);
    m = (m & 0x33333333) + (m >> 2 & 0x33333333);
    m = (m + (m >> 4)) & 0x0F0F0F0F;
    return (m + (m >> 8)) & 0x001F001F;
}

struct Group {
    Cell cell;
    std::uint16_t size = 0;
    std::uint8_t colour = 0;
};

// The solver's own board: columns stored bottom up with their heights, so a move touches only the
// columns it empties and the search can copy a board in one go. Nothing here allocates.
class Board {
public:
    Board() = default;
    // Colours become codes 1..colours() in the order of their values.
    explicit Board(const Grid& grid);
    // The game's board as it stands, its colour codes kept: a game under way has its holes at the
    // top of its columns and its empty columns at the right.
    explicit Board(const Game& game);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int colours() const { return colours_; }
    int height(int column) const { return height_[column]; }
    // A cell's row on the board as given, counted from its top.
    int row(Cell cell) const { return rows_ - 1 - cell.height; }
    std::uint8_t at(int column, int height) const { return cell_[column][height]; }
    int count(int colour) const { return count_[colour]; }
    // Colours with a block still on the board.
    int coloursLeft() const;
    bool empty() const { return columns_ == 0; }

    // Every group of two or more blocks, each named by one of its cells; returns how many.
    int groups(Group* out) const;
    bool hasMove() const;
    // Whether an occupied cell touches another of its colour: whether its group can go.
    bool movable(Cell cell) const
    {
        const int c = cell.column;
        const int h = cell.height;
        const std::uint8_t colour = cell_[c][h];
        return (h + 1 < height_[c] && cell_[c][h + 1] == colour) || (h > 0 && cell_[c][h - 1] == colour)
               || (c + 1 < columns_ && cell_[c + 1][h] == colour) || (c > 0 && cell_[c - 1][h] == colour);
    }
    // Column by column over `columns`, bit h for the cell at height h when it touches another of
    // its colour: in `of` the cells of `colour`, in `other` the rest. Past the last column, none.
    void movableCells(std::uint8_t colour, std::uint16_t* of, std::uint16_t* other, Columns columns) const;
    // The group holding an occupied cell: its size, and its cells in `masks` when given, bit h of
    // masks[c] for the cell at height h of column c.
    int group(Cell cell, std::uint16_t* masks = nullptr) const;
    // Removes the group of an occupied cell when it has two or more blocks, lets the blocks fall
    // and closes empty columns; returns the group's size, 0 when nothing moved.
    // The columns whose movable cells may have changed go in `changed` when given.
    int remove(Cell cell, Columns* changed = nullptr);
    std::uint64_t hash() const;

private:
    // group(), its cells always in `in`, and in `touched` bit c for each column it has cells in.
    int reach(Cell start, std::uint16_t* in, std::uint32_t& touched) const;
    // When the cell's group is a pair: its cells in `masks` and its columns in `touched`.
    bool pair(Cell start, std::uint16_t* masks, std::uint32_t& touched) const;
    // Bit h for each cell of `colour` in the column.
    std::uint16_t same(int column, std::uint8_t colour) const;

    std::uint8_t cell_[MaxSide][MaxSide] = {}; // [column][height], 0 when empty
    std::uint8_t height_[MaxSide] = {};
    std::uint16_t count_[MaxColours + 1] = {};
    std::uint8_t columns_ = 0;
    std::uint8_t rows_ = 0;
    std::uint8_t colours_ = 0;
};

} // namespace tilzo::solve
