#include "core/render/Frame.h"

#include "core/game/Game.h"
#include "core/render/Graphics.h"
#include "core/scores/HighScores.h"

namespace tilzo {

namespace {

constexpr Point ScorePos{2, 1};
constexpr Point TablePos{150, 340};
constexpr int TableLineStep = 12;
constexpr Point EndMessagePos{130, 130};
constexpr Point BonusPos{130, 146};

bool boardCleared(const Game& game)
{
    for (int column = 0; column < BoardSize; ++column)
        for (int row = 0; row < BoardSize; ++row)
            if (game.Map[column][row] != 0)
                return false;
    return true;
}

} // namespace

std::string scoreLine(std::int32_t points)
{
    return "Points: " + std::to_string(points);
}

std::string tableLine(const HighScore& entry)
{
    return std::to_string(entry.Score) + ' ' + entry.shownName();
}

std::string bonusLine(std::int32_t bonus)
{
    return "Bonus: " + std::to_string(bonus);
}

std::string endMessage(const Game& game)
{
    return boardCleared(game) ? "CONGRATULATIONS!" : "GAME OVER";
}

void RenderBackGround(const Surface& background, Surface& dest)
{
    dest.copy({0, 0}, background, {0, 0, FrameSize.width, FrameSize.height});
}

void RenderTiles(const Game& game, const Surface& tiles, Surface& dest)
{
    for (int column = 0; column < BoardSize; ++column) {
        for (int row = 0; row < BoardSize; ++row) {
            const int code = game.Map[column][row];
            if (code == 0)
                continue;
            dest.copy(cellOrigin(column, row), tiles, {0, CellSize * (code - 1), CellSize, CellSize});
        }
    }
}

void ComposeFrame(Graphics& graphics, const Game& game, const HighScores& scores)
{
    Surface& frame = graphics.BackBuffer;
    RenderBackGround(graphics.BackgroundSurf, frame);
    RenderTiles(game, graphics.TileSurf, frame);
    frame.drawText(ScorePos, scoreLine(game.Points));
    for (int i = 0; i < TableSize; ++i)
        frame.drawText({TablePos.x, TablePos.y + TableLineStep * i}, tableLine(scores[i]));
    if (game.GameOver) {
        frame.drawText(EndMessagePos, endMessage(game));
        frame.drawText(BonusPos, bonusLine(game.Bonus));
    }
}

} // namespace tilzo
