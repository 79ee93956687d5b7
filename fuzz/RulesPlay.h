// A board and a run of clicks, undos and new games, played as the window plays them, each
// step checked against a model of the rules worked out from the board alone. The rules
// fuzzer and the property test both feed it.
//
// Input: 256 bytes of board, column by column from the top, each byte giving the code
// byte % 6 (bytes missing at the end give empty cells); then two bytes per step: the first
// % 8 is 0..4 for a left click on the cell the second names (column in the low four bits,
// row in the high four), 5 for a left click just off the board beside that column or row
// (the side from the first byte / 8 % 4), 6 for a right click and 7 for Space. The input's
// length % 6 colours the guard column and row, so that any read of them shows.
#pragma once

#include <array>
#include <cmath>
#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "game/Game.h"

namespace tilzo::fuzz {

using Board = std::array<std::array<std::uint8_t, BoardSize>, BoardSize>;  // [column][row]

template <class Grid>
Board boardOf(const Grid& grid)
{
    Board board;
    for (int c = 0; c < BoardSize; ++c) std::memcpy(board[c].data(), grid[c], BoardSize);
    return board;
}

// Clears the group of code holding (c, r) and returns its size: a flood fill, unlike the game's work list.
inline int clearGroup(Board& board, int c, int r, std::uint8_t code)
{
    if (c < 0 || c >= BoardSize || r < 0 || r >= BoardSize || code == 0 || board[c][r] != code) return 0;
    board[c][r] = 0;
    return 1 + clearGroup(board, c - 1, r, code) + clearGroup(board, c + 1, r, code) +
           clearGroup(board, c, r - 1, code) + clearGroup(board, c, r + 1, code);
}

// Each column's blocks at its bottom in their order, occupied columns packed to the left.
inline Board settled(const Board& board)
{
    Board result{};
    for (int c = 0, target = 0; c < BoardSize; ++c) {
        int bottom = BoardSize;
        for (int r = BoardSize - 1; r >= 0; --r)
            if (board[c][r] != 0) result[target][--bottom] = board[c][r];
        target += bottom < BoardSize;
    }
    return result;
}

inline bool anyPair(const Board& b)
{
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            if (b[c][r] != 0 && ((c + 1 < BoardSize && b[c + 1][r] == b[c][r]) || (r + 1 < BoardSize && b[c][r + 1] == b[c][r])))
                return true;
    return false;
}

inline int absentColours(const Board& board)
{
    bool present[ColourCount + 1] = {};
    for (const auto& column : board)
        for (std::uint8_t code : column) present[code] = true;
    int absent = 0;
    for (int code = 1; code <= ColourCount; ++code) absent += !present[code];
    return absent;
}

// The random source of new games. It keeps the draws of the last deal, and puts the two ends
// of the range, 0 and the largest value below 1, in place of two draws in every seven.
struct DealLog : Random {
    double next() override
    {
        double u = Random::next();
        FUZZ_CHECK(u >= 0 && u < 1);
        u = count % 7 == 3 ? 0.0 : count % 7 == 5 ? std::nextafter(1.0, 0.0) : u;
        if (count < BoardSize * BoardSize) draws[count] = u;
        ++count;
        return u;
    }
    std::array<double, BoardSize * BoardSize> draws{};
    int count = 0;
};

class Play {
public:
    Play(std::uint64_t seed, std::uint8_t guard) : guard_(guard)
    {
        random_.seed(seed);
        for (int i = 0; i < MapSize; ++i) game_.Map[BoardSize][i] = game_.Map[i][BoardSize] = guard;
    }

    void deal(const std::uint8_t* data, std::size_t size)
    {
        Board board{};
        for (std::size_t i = 0; i < size && i < std::size_t(BoardSize * BoardSize); ++i)
            board[i / BoardSize][i % BoardSize] = data[i] % (ColourCount + 1);
        for (int c = 0; c < BoardSize; ++c) std::memcpy(game_.Map[c], board[c].data(), BoardSize);
        // Between moves a board is always settled.
        game_.DropBlocks();
        FUZZ_CHECK(boardOf(game_.Map) == settled(board));
        checkBetweenSteps();
    }

    void step(std::uint8_t action, std::uint8_t cell)
    {
        const int x = cell & 0x0F, y = cell >> 4, side = action / 8 % 4, off = side % 2 ? BoardSize : -1;
        switch (action % 8) {
        case 5: leftClick(side < 2 ? off : x, side < 2 ? y : off); break;
        case 6: rightClick(); break;
        case 7: space(); break;
        default: leftClick(x, y); break;
        }
        checkBetweenSteps();
    }

private:
    void checkBetweenSteps()
    {
        const Board board = boardOf(game_.Map);
        for (int i = 0; i < MapSize; ++i) FUZZ_CHECK(game_.Map[BoardSize][i] == guard_ && game_.Map[i][BoardSize] == guard_);
        for (const auto& column : board)
            for (std::uint8_t code : column) FUZZ_CHECK(code <= ColourCount);
        FUZZ_CHECK(board == settled(board));
        // The bonus is only ever given at the end.
        FUZZ_CHECK(game_.GameOver || game_.Bonus == 0);
        FUZZ_CHECK(boardOf(game_.UndoMap) == undo_ && game_.UndoPoints == undoPoints_);
    }

    void leftClick(int x, int y)
    {
        const Board before = boardOf(game_.Map);
        const std::int32_t points = game_.Points;
        game_.RemoveBlocks(x, y);
        if (game_.GameOver || x < 0 || x >= BoardSize || y < 0 || y >= BoardSize || before[x][y] == 0) {
            // The window lets no such click through; the rules refuse it as well.
            FUZZ_CHECK(boardOf(game_.Map) == before && game_.Points == points);
            return;
        }
        // The snapshot holds the board and the score from before a move that removes blocks.
        Board removed = before;
        int n = clearGroup(removed, x, y, before[x][y]);
        if (n < 2) {
            removed = before;
            n = 0;
        } else {
            undo_ = before;
            undoPoints_ = points;
            undoable_ = true;
        }
        FUZZ_CHECK(boardOf(game_.Map) == removed);
        FUZZ_CHECK(game_.Points == points + 5 * (n - 1) * n);

        game_.DropBlocks();
        const Board after = settled(removed);
        FUZZ_CHECK(boardOf(game_.Map) == after);
        const std::int32_t scored = game_.Points;
        const bool more = game_.checkmoves();
        const std::int32_t bonus = more ? 0 : 5000 * absentColours(after);
        FUZZ_CHECK(more == anyPair(after) && boardOf(game_.Map) == after);
        FUZZ_CHECK(game_.Bonus == bonus && game_.Points == scored + bonus);
        game_.GameOver = !more;
    }

    void rightClick()
    {
        const Board before = boardOf(game_.Map);
        const std::int32_t points = game_.Points, bonus = game_.Bonus;
        const bool over = game_.GameOver;
        game_.RestoreUndo();
        // Nothing to go back to before this game's first move, nor once it is over.
        const bool restores = undoable_ && !over;
        FUZZ_CHECK(boardOf(game_.Map) == (restores ? undo_ : before));
        FUZZ_CHECK(game_.Points == (restores ? undoPoints_ : points));
        FUZZ_CHECK(game_.GameOver == over && game_.Bonus == bonus);
    }

    void space()
    {
        random_.count = 0;
        game_.NewGame();
        undoable_ = false;
        FUZZ_CHECK(!game_.GameOver && game_.Points == 0 && game_.Bonus == 0);
        // One draw per cell, column by column, each from the top: u gives colour floor(5u) + 1.
        FUZZ_CHECK(random_.count == BoardSize * BoardSize);
        for (int i = 0; i < BoardSize * BoardSize; ++i)
            FUZZ_CHECK(game_.Map[i / BoardSize][i % BoardSize] == int(random_.draws[i] * ColourCount) + 1);
    }

    DealLog random_;
    Game game_{random_};
    std::uint8_t guard_;
    Board undo_{};  // what UndoMap and UndoPoints must hold
    std::int32_t undoPoints_ = 0;
    bool undoable_ = false;  // a snapshot taken in this game
};

// Plays one input from a fresh game, the random source seeded from its length.
inline void playInput(const std::uint8_t* data, std::size_t size)
{
    Play play(size, size % (ColourCount + 1));
    play.deal(data, size);
    for (std::size_t i = BoardSize * BoardSize; i + 1 < size; i += 2) play.step(data[i], data[i + 1]);
}

} // namespace tilzo::fuzz
