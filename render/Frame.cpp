#include "render/Frame.h"

#include "game/Game.h"
#include "render/Graphics.h"
#include "render/Surface.h"
#include "scores/HighScores.h"

#include <QRect>

namespace tilzo {

namespace {

const QPoint ScorePos(2, 1);
const QPoint TablePos(150, 340);
constexpr int TableLineStep = 12;
const QPoint EndMessagePos(130, 130);
const QPoint BonusPos(130, 146);

bool boardCleared(const Game& game)
{
    for (int column = 0; column < BoardSize; ++column)
        for (int row = 0; row < BoardSize; ++row)
            if (game.Map[column][row] != 0)
                return false;
    return true;
}

} // namespace

QString scoreLine(std::int32_t points)
{
    return QStringLiteral("Points: ") + QString::number(points);
}

QString tableLine(const HighScore& entry)
{
    return QString::number(entry.Score) + QLatin1Char(' ') + entry.shownName();
}

QString bonusLine(std::int32_t bonus)
{
    return QStringLiteral("Bonus: ") + QString::number(bonus);
}

QString endMessage(const Game& game)
{
    return boardCleared(game) ? QStringLiteral("CONGRATULATIONS!") : QStringLiteral("GAME OVER");
}

void RenderBackGround(const Surface& background, Surface& dest)
{
    dest.copy(QPoint(0, 0), background, QRect(QPoint(0, 0), FrameSize));
}

void RenderTiles(const Game& game, const Surface& tiles, Surface& dest)
{
    for (int column = 0; column < BoardSize; ++column) {
        for (int row = 0; row < BoardSize; ++row) {
            const int code = game.Map[column][row];
            if (code == 0)
                continue;
            dest.copy(cellOrigin(column, row), tiles, QRect(0, CellSize * (code - 1), CellSize, CellSize));
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
        frame.drawText(TablePos + QPoint(0, TableLineStep * i), tableLine(scores[i]));
    if (game.GameOver) {
        frame.drawText(EndMessagePos, endMessage(game));
        frame.drawText(BonusPos, bonusLine(game.Bonus));
    }
}

} // namespace tilzo
