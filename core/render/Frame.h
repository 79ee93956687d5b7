#pragma once

#include "core/render/Layout.h"

#include <cstdint>
#include <string>

namespace tilzo {

class Game;
class Graphics;
class HighScores;
struct HighScore;

// Texts of the frame, in code-page bytes.
std::string scoreLine(std::int32_t points);
std::string tableLine(const HighScore& entry);
std::string bonusLine(std::int32_t bonus);
// "CONGRATULATIONS!" when the board was cleared, else "GAME OVER".
std::string endMessage(const Game& game);

// The whole background bitmap onto dest at (0, 0).
void RenderBackGround(const Surface& background, Surface& dest);
// One tile image per occupied cell of the play area.
void RenderTiles(const Game& game, const Surface& tiles, Surface& dest);

// Draws the whole frame on graphics.BackBuffer, in order: background, tiles, score, the
// five table lines and, once the game is over, the end message and bonus. Throws
// DrawError when a step fails; the back buffer is then incomplete.
void ComposeFrame(Graphics& graphics, const Game& game, const HighScores& scores);

} // namespace tilzo
