#include "core/game/Game.h"

namespace tilzo {

Game::Game(Random& random)
    : random_(random)
{
}

void Game::CreateRndMap()
{
    // 256 draws, column by column, each column from the top down.
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            Map[c][r] = static_cast<std::uint8_t>(static_cast<int>(random_.next() * ColourCount) + 1);
        }
    }
}

void Game::NewGame()
{
    // The snapshot belongs to the game it was taken in: bringing it back into a new
    // one would let the last game's final move be replayed and its score entered twice.
    undoSaved_ = false;
    GameOver = false;
    CreateRndMap();
    Points = 0;
    Bonus = 0;
}

bool Game::Play(int column, int row)
{
    if (GameOver || column < 0 || column >= BoardSize || row < 0 || row >= BoardSize || Map[column][row] == 0)
        return false;
    // Also for a lone block, which removes nothing: the board may have no move left.
    RemoveBlocks(column, row);
    DropBlocks();
    if (checkmoves())
        return false;
    GameOver = true;
    return true;
}

} // namespace tilzo
