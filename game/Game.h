#pragma once

#include <cstdint>

#include "Random.h"

namespace tilzo {

constexpr int BoardSize = 16;           // play area: columns and rows 0..15
constexpr int MapSize = BoardSize + 1;  // plus the guard column and row, never touched
constexpr int ColourCount = 5;          // codes 1..5; 0 is an empty cell
constexpr int ClearBonus = 5000;        // per colour gone from the board at the end

struct CellPos {
    std::int16_t x;
    std::int16_t y;
};

// The board and the rules. Plain state in fixed arrays; no operation allocates.
class Game {
public:
    explicit Game(Random& random);

    std::uint8_t Map[MapSize][MapSize] = {};  // [column][row]
    std::int32_t Points = 0;
    std::int32_t Bonus = 0;
    bool GameOver = false;

    std::uint8_t UndoMap[BoardSize][BoardSize] = {};
    std::int32_t UndoPoints = 0;

    void CreateRndMap();
    void NewGame();

    void RemoveBlocks(int x, int y);
    void DropBlocks();
    bool checkmoves();

    void SaveUndo();
    void RestoreUndo();

private:
    Random& random_;
};

} // namespace tilzo
