#pragma once

#include <cstdint>

#include "Random.h"

namespace tilzo {

constexpr int BoardSize = 16; // play area: columns and rows 0..15
constexpr int MapSize = BoardSize + 1; // plus the guard column and row, never touched
constexpr int ColourCount = 5; // codes 1..5; 0 is an empty cell
constexpr int ClearBonus = 5000; // per colour gone from the board at the end

struct CellPos {
    std::int16_t x;
    std::int16_t y;
};

// The board and the rules. Plain state in fixed arrays; no operation allocates.
class Game {
public:
    explicit Game(Random& random);

    std::uint8_t Map[MapSize][MapSize] = {}; // [column][row]
    std::int32_t Points = 0;
    std::int32_t Bonus = 0;
    bool GameOver = false;

    std::uint8_t UndoMap[BoardSize][BoardSize] = {};
    std::int32_t UndoPoints = 0;

    void CreateRndMap();
    void NewGame();

    // Removes the group of (x, y) when it has at least two blocks; an empty or
    // outside cell, or a finished game, is left alone.
    void RemoveBlocks(int x, int y);
    void DropBlocks();
    // The blocks a press on (x, y) takes, counting a lone block, which stays: 0 for an
    // empty or outside cell. When taken is given, its cells of those blocks are set to 1, the
    // others to 0 (a lone block is not taken).
    int GroupSize(int x, int y, std::uint8_t (*taken)[BoardSize] = nullptr) const;
    // False when no two touching blocks share a colour; the clear bonus has then
    // been added to Bonus and Bonus to Points.
    bool checkmoves();
    // A whole move on an occupied cell of a running game: the group goes, the board
    // settles and, when no move is left, the game ends with its bonus. True when this
    // move ended the game; any other cell, or a finished game, is left alone.
    bool Play(int column, int row);

    // The board and the score as they stand, for RestoreUndo.
    void SaveUndo();
    // Does nothing while the game is over or before the first snapshot of this game.
    void RestoreUndo();
    // Whether this game has a snapshot for RestoreUndo.
    bool UndoSaved() const { return undoSaved_; }
    // Whether UndoMap and UndoPoints, as they stand, are this game's snapshot: for a game
    // carried on from where it was kept.
    void AdoptUndo(bool saved) { undoSaved_ = saved; }

private:
    // One entry per block of a full-board group, plus the one the walk reads past the last.
    static constexpr int QueueSize = BoardSize * BoardSize + 1;
    static constexpr CellPos FreeEntry{BoardSize, BoardSize};

    bool checktable(int x, int y) const;

    Random& random_;
    CellPos Queue[QueueSize] = {};
    bool undoSaved_ = false;
};

} // namespace tilzo
