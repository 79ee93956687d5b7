// Frames composed offscreen with the artwork the program ships, read pixel by pixel.
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game_board.h"
#include "render/Frame.h"
#include "render/Graphics.h"
#include "scores/HighScores.h"

using namespace tilzo;
using namespace tilzo::test;

namespace {

using Texts = std::vector<std::pair<QPoint, QString>>;

// A running game with 1234 points, a bonus not shown yet and two scores in the table.
struct Scene {
    Random random;
    Game game{random};
    HighScores scores{QString(), QString(), {}};
    Graphics graphics;

    Scene()
    {
        graphics.InitSurfaces(game);
        game.Points = 1234;
        game.Bonus = 5000;
        scores.checkpoints(fixedName(QStringLiteral("  Ann")), 150);
        scores.checkpoints(fixedName(QString()), 40);
    }
    const QImage& compose()
    {
        ComposeFrame(graphics, game, scores);
        return graphics.BackBuffer.image();
    }
};

QImage bitmap(const char* path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The frame is the background, a tile per occupied cell, and the score, the table and the given
// texts in white, nothing else. The reference texts are drawn in a colour of their own, which must
// come out unblended and inside each text's box (advance by line height, a pixel of slack around).
void expectFrame(const QImage& frame, const Scene& scene, Texts texts)
{
    texts.insert(texts.end(), {{{2, 1}, "Points: 1234"}, {{150, 340}, "150 Ann"}, {{150, 352}, "40 "},
                               {{150, 364}, "0 "}, {{150, 376}, "0 "}, {{150, 388}, "0 "}});
    QImage expected = bitmap(":/bitmaps/100");
    const QImage tiles = bitmap(":/bitmaps/101");
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            for (int i = 0; scene.game.Map[c][r] != 0 && i < CellSize * CellSize; ++i)
                expected.setPixel(54 + 16 * c + i % 16, 54 + 16 * r + i / 16,
                                  tiles.pixel(i % 16, 16 * (scene.game.Map[c][r] - 1) + i / 16));
    const QRgb yellow = qRgb(250, 240, 10);
    const QFontMetrics metrics(scene.graphics.ScoreFont);
    Surface ink(FrameSize.width(), FrameSize.height());
    ink.setTextStyle(scene.graphics.ScoreFont, yellow);
    std::vector<QRect> boxes;
    for (const auto& [at, text] : texts) {
        ink.drawText(at, text);
        boxes.push_back(QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height())).adjusted(-1, -1, 1, 1));
    }
    for (int y = 0; y < FrameSize.height(); ++y) {
        for (int x = 0; x < FrameSize.width(); ++x) {
            if (ink.image().pixel(x, y) != qRgb(0, 0, 0)) {
                ASSERT_EQ(ink.image().pixel(x, y), yellow) << "blended text at " << x << "," << y;
                ASSERT_TRUE(std::any_of(boxes.begin(), boxes.end(), [&](QRect box) { return box.contains(x, y); }))
                    << "ink outside every text box at " << x << "," << y;
                expected.setPixel(x, y, qRgb(255, 255, 255));
            }
            ASSERT_EQ(frame.pixel(x, y), expected.pixel(x, y)) << "at " << x << "," << y;
        }
    }
}

} // namespace

TEST(FrameComposition, TilesGoToTheirCellsAndNoEndMessageWhileTheGameRuns)
{
    Scene scene;
    scene.game.Map[0][0] = 3;
    scene.game.Map[15][15] = 5;
    scene.game.Map[BoardSize][3] = scene.game.Map[3][BoardSize] = 2;  // guard cells are never drawn

    const QImage frame = scene.compose();

    EXPECT_EQ(frame.copy(54, 54, 16, 16), bitmap(":/bitmaps/101").copy(0, 32, 16, 16));
    EXPECT_EQ(frame.copy(294, 294, 16, 16), bitmap(":/bitmaps/101").copy(0, 64, 16, 16));
    expectFrame(frame, scene, {});
}

TEST(FrameComposition, TheEndShowsItsMessageAndBonusOverWhatIsLeftOfTheBoard)
{
    for (const auto& [bottomRow, message] : {std::pair{"...............1", "GAME OVER"}, {"", "CONGRATULATIONS!"}}) {
        Scene scene;
        // A stale picture in every pixel: nothing of it may stay.
        scene.graphics.BackBuffer.copyScaled(QRect(0, 0, 364, 420), scene.graphics.TileSurf, QRect(0, 0, 16, 80));
        setBoard(scene.game, {bottomRow});
        scene.game.GameOver = true;

        const QImage frame = scene.compose();

        expectFrame(frame, scene, {{{130, 130}, message}, {{130, 146}, "Bonus: 5000"}});
        EXPECT_EQ(frame.pixel(70, 200), qRgb(79, 79, 79)) << "the grid between empty cells";
    }
}

TEST(Render, StartUpSetsTheFontAndDealsLastAfterLoadingBothBitmaps)
{
    Scene scene;
    EXPECT_EQ(scene.graphics.ScoreFont.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(scene.graphics.ScoreFont.pixelSize(), 11);
    EXPECT_FALSE(scene.graphics.ScoreFont.bold());
    for (const std::string& row : boardRows(scene.game))
        EXPECT_EQ(row.find('.'), std::string::npos) << row;

    const QString background(":/bitmaps/100"), tiles(":/bitmaps/101"), missing("/nowhere/100.bmp");
    for (const auto& [paths, bad] : {std::pair{BitmapPaths{missing, tiles}, missing}, {{background, missing}, missing},
                                     {{tiles, tiles}, tiles}, {{background, background}, background}}) {
        Game game(scene.random);
        try {
            Graphics(paths).InitSurfaces(game);
            ADD_FAILURE() << bad.toStdString() << " was accepted";
        } catch (const DrawError& error) {
            EXPECT_TRUE(QString(error.what()).contains(bad)) << error.what();
        }
        EXPECT_EQ(boardRows(game), fullRows({})) << "dealt before the bitmaps were loaded";
    }
}

TEST(Render, CopiesAreOpaqueAndAFailingStepThrows)
{
    QTemporaryDir dir;
    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(10, 20, 30, 0));
    ASSERT_TRUE(clear.save(dir.filePath("clear.png")));
    Surface surface(4, 4);
    surface.copy(QPoint(0, 0), Surface::fromBitmap(dir.filePath("clear.png"), QSize(4, 4)), QRect(0, 0, 4, 4));
    EXPECT_EQ(surface.image().pixel(2, 2), qRgb(10, 20, 30));

    for (Surface Graphics::*released : {&Graphics::BackBuffer, &Graphics::BackgroundSurf, &Graphics::TileSurf}) {
        Scene scene;
        (scene.graphics.*released).release();
        EXPECT_THROW(scene.compose(), DrawError);
    }
    Surface none;
    EXPECT_THROW(none.drawText(QPoint(0, 0), QStringLiteral("x")), DrawError);
    EXPECT_THROW(surface.copyScaled(QRect(0, 0, 4, 4), none, QRect(0, 0, 8, 8)), DrawError);
}

// Prints the cost of the worst frame (256 tiles, eight texts) presented by a scaled copy twice its size.
TEST(Render, FullFrameScaledTwiceByRepeatingPixels)
{
    Scene scene;
    scene.game.GameOver = true;
    Surface screen(728, 840);
    constexpr int Frames = 300;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Frames; ++i) {
        scene.compose();
        screen.copyScaled(QRect(0, 0, 728, 840), scene.graphics.BackBuffer, QRect(0, 0, 364, 420));
    }
    std::printf("[ timing   ] composition and presentation: %.0f us\n", timer.nsecsElapsed() / 1000.0 / Frames);
    const QImage& frame = scene.graphics.BackBuffer.image();
    for (int y = 0; y < 840; ++y)
        for (int x = 0; x < 728; ++x)
            ASSERT_EQ(screen.image().pixel(x, y), frame.pixel(x / 2, y / 2)) << x << "," << y;
}
