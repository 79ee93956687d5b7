// Frames composed offscreen with the artwork the program ships, read pixel by pixel.
#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include "game/Game.h"
#include "render/Frame.h"
#include "render/Graphics.h"
#include "scores/HighScores.h"

using namespace tilzo;

// Start-up's surfaces and first board, 1234 points, a bonus (shown only at the end) and one score in the table.
struct Scene {
    Random random;
    Game game{random};
    HighScores scores{QString(), QString(), {}};
    Graphics graphics;
    Scene() { graphics.InitSurfaces(game); game.Points = 1234; game.Bonus = 5000; scores.checkpoints(fixedName("Ann "), 150); }
    QImage compose() { ComposeFrame(graphics, game, scores); return graphics.BackBuffer.image(); }
};

// Over a stale picture, the frame is the background, a tile per occupied cell and the texts in white, nothing
// else. The texts, drawn again on a surface of their own, must leave ink inside their boxes only (advance by
// line height, a pixel of slack around).
TEST(Frame, BackgroundTilesAndTextsInTheirPlaces)
{
    for (const QString end : {"", "GAME OVER", "CONGRATULATIONS!"}) {
        Scene scene;
        Game& game = scene.game;
        const QFont& font = scene.graphics.ScoreFont;
        ASSERT_EQ(std::tuple(font.family(), font.pixelSize(), font.bold(), game.Map[15][15] != 0),
                  std::tuple("Verdana", 11, false, true)) << "the font, and a board dealt";
        scene.graphics.BackBuffer.copyScaled(QRect(QPoint(), FrameSize), scene.graphics.TileSurf, QRect(0, 0, 16, 80));
        game.GameOver = !end.isEmpty();
        // At the end, a board empty but for one block in the bottom right, or all empty.
        for (int i = 0; game.GameOver && i < BoardSize * BoardSize; ++i) game.Map[i / BoardSize][i % BoardSize] = end.startsWith('G') && i == 255;
        game.Map[BoardSize][3] = game.Map[3][BoardSize] = 2;  // guard cells are never drawn
        const QImage frame = scene.compose();

        QImage expected = QImage(":/bitmaps/100").convertToFormat(QImage::Format_RGB32);
        const QImage tiles(":/bitmaps/101");
        for (int i = 0; i < BoardSize * BoardSize * 256; ++i) {
            const int c = i / 4096, r = i / 256 % 16, code = game.Map[c][r], x = i % 16, y = i / 16 % 16;
            if (code != 0) expected.setPixel(54 + 16 * c + x, 54 + 16 * r + y, tiles.pixel(x, 16 * (code - 1) + y));
        }
        std::vector<std::pair<QPoint, QString>> texts{{{2, 1}, "Points: 1234"}, {{150, 340}, "150 Ann"},
            {{150, 352}, "0 "}, {{150, 364}, "0 "}, {{150, 376}, "0 "}, {{150, 388}, "0 "}};
        if (game.GameOver) texts.insert(texts.end(), {{{130, 130}, end}, {{130, 146}, "Bonus: 5000"}});
        Surface ink(FrameSize.width(), FrameSize.height());
        ink.setTextStyle(font, Qt::white);
        QRegion boxes;
        for (const auto& [at, text] : texts) {
            ink.drawText(at, text);
            boxes += QRect(at, QSize(QFontMetrics(font).horizontalAdvance(text), QFontMetrics(font).height())).adjusted(-1, -1, 1, 1);
        }
        // Its pixels that are not black: a mask "in" black leaves those set.
        const QRegion inked(QBitmap::fromImage(ink.image().createMaskFromColor(qRgb(0, 0, 0), Qt::MaskInColor)));
        ASSERT_TRUE(!inked.isEmpty() && inked.subtracted(boxes).isEmpty()) << "no text, or ink outside the text boxes";
        for (const QRect& rect : inked) QPainter(&expected).fillRect(rect, Qt::white);
        EXPECT_TRUE(frame == expected) << end.toStdString();
    }
}
