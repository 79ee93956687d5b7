// A board and a run of clicks, undos and new games, played as the window plays them, each
// step checked against a model of the rules worked out from the board alone. The rules
// fuzzer and the property test both feed it.
//
// Input: 256 bytes of board, column by column from the top, each byte giving the code
// byte % 6 (bytes missing at the end give empty cells); then two bytes per step: the first
// % 8 is 0..4 for a left click on the cell the second names (column in the low four bits,
// row in the high four), 5 for a left click just off the board beside that column or row
// (the side from the first byte / 8 % 4), 6 for a right click and 7 for Space.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>

#include "core/game/Game.h"
#include "tests/support/FuzzCheck.h"

namespace tilzo::support {

using Board = std::array<std::array<std::uint8_t, BoardSize>, BoardSize>; // [column][row]

inline Board boardOf(const auto& grid)
{
    Board board;
    for (int c = 0; c < BoardSize; ++c)
        std::memcpy(board[c].data(), grid[c], BoardSize);
    return board;
}

// Clears the group of code holding (c, r) and returns its size: a flood fill, unlike the game's work list.
inline int clearGroup(Board& board, int c, int r, std::uint8_t code)
{
    if (c < 0 || c >= BoardSize || r < 0 || r >= BoardSize || code == 0 || board[c][r] != code)
        return 0;
    board[c][r] = 0;
    return 1 + clearGroup(board, c - 1, r, code) + clearGroup(board, c + 1, r, code)
           + clearGroup(board, c, r - 1, code) + clearGroup(board, c, r + 1, code);
}

// Each column's blocks at its bottom in their order, occupied columns packed to the left.
inline Board settled(const Board& board)
{
    Board result{};
    for (int c = 0, target = 0; c < BoardSize; ++c) {
        int bottom = BoardSize;
        for (int r = BoardSize - 1; r >= 0; --r)
            if (board[c][r] != 0)
                result[target][--bottom] = board[c][r];
        target += bottom < BoardSize;
    }
    return result;
}

// -1 while two touching blocks share a colour; then the clear bonus, 5000 for each colour gone.
inline int endBonus(const Board& b)
{
    bool present[256] = {};
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r) {
            if (b[c][r] != 0
                && ((c + 1 < BoardSize && b[c + 1][r] == b[c][r])
                    || (r + 1 < BoardSize && b[c][r + 1] == b[c][r])))
                return -1;
            present[b[c][r]] = true;
        }
    return 5000 * int(std::count(present + 1, present + ColourCount + 1, false));
}

class Play {
public:
    // Plays the input in a fresh game, seeded from the input's length; its board is settled first,
    // as every board between moves is.
    Play(const std::uint8_t* data, std::size_t size)
    {
        random_.seed(size);
        for (std::size_t i = 0; i < BoardSize * BoardSize; ++i)
            game_.Map[i / BoardSize][i % BoardSize] = i < size ? data[i] % (ColourCount + 1) : 0;
        const Board board = boardOf(game_.Map);
        game_.DropBlocks();
        FUZZ_CHECK(boardOf(game_.Map) == settled(board));
        for (std::size_t i = BoardSize * BoardSize; i + 1 < size; i += 2)
            step(data[i], data[i + 1]);
    }

private:
    void step(std::uint8_t action, std::uint8_t cell)
    {
        const int x = cell & 0x0F, y = cell >> 4, side = action / 8 % 4, off = side % 2 ? BoardSize : -1;
        if (action % 8 <= 5)
            leftClick(action % 8 == 5 && side < 2 ? off : x, action % 8 == 5 && side >= 2 ? off : y);
        else if (action % 8 == 6)
            rightClick();
        else {
            game_.NewGame(); // the deal has a test of its own; play goes on from it
            undoThisGame_ = false;
            FUZZ_CHECK(!game_.GameOver && game_.Points == 0 && game_.Bonus == 0);
        }
        // Whatever the step, the snapshot stays as it was taken.
        FUZZ_CHECK(boardOf(game_.UndoMap) == undoBoard_ && game_.UndoPoints == undoPoints_);
    }

    void leftClick(int x, int y)
    {
        const auto [before, points, bonusBefore, over]
            = std::tuple(boardOf(game_.Map), game_.Points, game_.Bonus, game_.GameOver);
        // No move off the board, on an empty cell or in a finished game.
        const bool refused = over || x < 0 || x >= BoardSize || y < 0 || y >= BoardSize || before[x][y] == 0;
        Board removed = before;
        const int n = refused ? 0 : clearGroup(removed, x, y, before[x][y]);
        if (n >= 2) // the board and score from before the move
            std::tie(undoBoard_, undoPoints_, undoThisGame_) = std::tuple(before, points, true);
        const Board after = n < 2 ? before : settled(removed);
        const int bonus = refused ? -1 : endBonus(after);
        const bool ended = game_.Play(x, y);
        FUZZ_CHECK(boardOf(game_.Map) == after && ended == (bonus >= 0) && game_.GameOver == (over || ended));
        FUZZ_CHECK(game_.Bonus == (ended ? bonus : bonusBefore)
                   && game_.Points == points + (n < 2 ? 0 : 5 * (n - 1) * n) + std::max(bonus, 0));
    }

    // Nothing to go back to before this game's first move, nor once it is over.
    void rightClick()
    {
        const Game was = game_;
        const bool restores = undoThisGame_ && !was.GameOver;
        game_.RestoreUndo();
        FUZZ_CHECK(boardOf(game_.Map) == (restores ? undoBoard_ : boardOf(was.Map))
                   && game_.Points == (restores ? undoPoints_ : was.Points) && game_.GameOver == was.GameOver
                   && game_.Bonus == was.Bonus);
    }

    Random random_;
    Game game_{random_};
    // What UndoMap and UndoPoints must hold, and whether they were taken since the last new game.
    Board undoBoard_{};
    std::int32_t undoPoints_ = 0;
    bool undoThisGame_ = false;
};

} // namespace tilzo::support
