#include "core/game/Game.h"

namespace tilzo {

void Game::SaveUndo()
{
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            UndoMap[c][r] = Map[c][r];
        }
    }
    UndoPoints = Points;
    undoSaved_ = true;
}

void Game::RestoreUndo()
{
    // Before the first snapshot there is nothing to go back to; restoring the empty
    // UndoMap would wipe the freshly dealt board.
    if (GameOver || !undoSaved_) {
        return;
    }
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            Map[c][r] = UndoMap[c][r];
        }
    }
    Points = UndoPoints;
}

} // namespace tilzo
