#include "render/Frame.h"

#include <QElapsedTimer>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdio>

#include "render/Surface.h"
#include "render_support.h"

using namespace tilzo;
using namespace tilzo::test;

namespace {

// Rows of the frame between the score line and the table that hold no text while a game runs.
const QRect BoardBand(0, 20, 364, 320);

// The background with each occupied cell's tile copied in pixel by pixel.
QImage expectedBoard(const Game& game)
{
    QImage image(FrameSize, QImage::Format_RGB32);
    for (int y = 0; y < FrameSize.height(); ++y)
        for (int x = 0; x < FrameSize.width(); ++x)
            image.setPixel(x, y, backgroundPixel(x, y));
    for (int column = 0; column < BoardSize; ++column) {
        for (int row = 0; row < BoardSize; ++row) {
            const int code = game.Map[column][row];
            if (code == 0)
                continue;
            for (int y = 0; y < CellSize; ++y)
                for (int x = 0; x < CellSize; ++x)
                    image.setPixel(54 + 16 * column + x, 54 + 16 * row + y, tilePixel(x, 16 * (code - 1) + y));
        }
    }
    return image;
}

void enterScores(HighScores& scores)
{
    scores.checkpoints(fixedName(QStringLiteral("  Ann")), 150);
    scores.checkpoints(fixedName(QStringLiteral("Bartholomew Longname")), 98765);
    scores.checkpoints(fixedName(QString()), 40);
}

// The frame holds the given texts, white, at their places, and nothing else but black.
void expectOnlyTexts(const QImage& frame, const QFont& font, const std::vector<PlacedText>& texts)
{
    std::vector<QRect> boxes;
    for (const auto& text : texts)
        boxes.push_back(textBox(font, text));
    std::vector<int> inked(texts.size(), 0);
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb pixel = frame.pixel(x, y);
            if (pixel == qRgb(0, 0, 0))
                continue;
            ASSERT_EQ(pixel, qRgb(255, 255, 255)) << x << "," << y;
            bool boxed = false;
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                if (boxes[i].contains(x, y)) {
                    boxed = true;
                    ++inked[i];
                }
            }
            ASSERT_TRUE(boxed) << "ink outside every text box at " << x << "," << y;
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_GT(inked[i], 0) << "nothing drawn for " << texts[i].second.toStdString();
    EXPECT_TRUE(samePixels(frame, textsOnBlack(font, texts))) << "texts differ from their reference drawing";
}

} // namespace

TEST(FrameTexts, TableLinesShowScoreSpaceAndTrimmedName)
{
    EXPECT_EQ(tableLine(HighScore{fixedName(QStringLiteral("Ann")), 150}), QStringLiteral("150 Ann"));
    EXPECT_EQ(tableLine(HighScore{fixedName(QString()), 150}), QStringLiteral("150 "));
    EXPECT_EQ(tableLine(HighScore{fixedName(QStringLiteral("  Jo Jo ")), -7}), QStringLiteral("-7 Jo Jo"));
    EXPECT_EQ(scoreLine(0), QStringLiteral("Points: 0"));
    EXPECT_EQ(bonusLine(-5000), QStringLiteral("Bonus: -5000"));
}

TEST(FrameComposition, EachCellShowsTheTileOfItsCode)
{
    Scene scene;
    for (int column = 0; column < BoardSize; ++column)
        for (int row = 0; row < BoardSize; ++row)
            scene.game.Map[column][row] = static_cast<std::uint8_t>((3 * column + row) % 6);
    scene.game.Map[0][0] = 3;
    scene.game.Map[15][15] = 5;
    // The guard column and row are never drawn.
    scene.game.Map[16][3] = 2;
    scene.game.Map[3][16] = 2;

    const QImage& frame = scene.compose();

    EXPECT_EQ(frame.pixel(54, 54), tilePixel(0, 32));
    EXPECT_EQ(frame.pixel(309, 309), tilePixel(15, 79));
    EXPECT_TRUE(samePixels(frame, expectedBoard(scene.game), BoardBand));
}

TEST(FrameComposition, AnEmptyBoardShowsTheBackgroundAfterAFullOne)
{
    Scene scene;
    scene.compose();
    scene.clearBoard();

    EXPECT_TRUE(samePixels(scene.compose(), expectedBoard(scene.game), BoardBand));
}

TEST(FrameComposition, WhileTheGameRunsOnlyScoreAndTableAreWritten)
{
    Scene scene(blackPixel);
    scene.clearBoard();
    scene.game.Points = 0;
    scene.game.Bonus = 5000;  // not shown before the end
    enterScores(scene.scores);

    const QImage frame = scene.compose();

    expectOnlyTexts(frame, scene.graphics.ScoreFont,
                    {{{2, 1}, "Points: 0"},
                     {{150, 340}, "98765 Bartholomew Longname"},
                     {{150, 352}, "150 Ann"},
                     {{150, 364}, "40 "},
                     {{150, 376}, "0 "},
                     {{150, 388}, "0 "}});
}

TEST(FrameComposition, TheEndOfAGameShowsGameOverAndTheBonus)
{
    Scene scene(blackPixel);
    scene.clearBoard();
    scene.game.Map[5][15] = 1;
    scene.game.Points = 1234;
    scene.game.Bonus = 0;
    scene.game.GameOver = true;
    scene.scores.checkpoints(fixedName(QStringLiteral("Ann")), 1234);

    QImage frame = scene.compose();
    EXPECT_EQ(frame.pixel(cellOrigin(5, 15)), tilePixel(0, 0));
    QPainter(&frame).fillRect(QRect(cellOrigin(5, 15), QSize(CellSize, CellSize)), Qt::black);

    expectOnlyTexts(frame, scene.graphics.ScoreFont,
                    {{{2, 1}, "Points: 1234"},
                     {{150, 340}, "1234 Ann"},
                     {{150, 352}, "0 "},
                     {{150, 364}, "0 "},
                     {{150, 376}, "0 "},
                     {{150, 388}, "0 "},
                     {{130, 130}, "GAME OVER"},
                     {{130, 146}, "Bonus: 0"}});
}

TEST(FrameComposition, AClearedBoardEndsWithCongratulations)
{
    Scene scene(blackPixel);
    scene.clearBoard();
    scene.game.Points = 25000;
    scene.game.Bonus = 25000;
    scene.game.GameOver = true;

    expectOnlyTexts(scene.compose(), scene.graphics.ScoreFont,
                    {{{2, 1}, "Points: 25000"},
                     {{150, 340}, "0 "},
                     {{150, 352}, "0 "},
                     {{150, 364}, "0 "},
                     {{150, 376}, "0 "},
                     {{150, 388}, "0 "},
                     {{130, 130}, "CONGRATULATIONS!"},
                     {{130, 146}, "Bonus: 25000"}});
}

TEST(FrameComposition, AFailingStepThrows)
{
    Scene noBackBuffer;
    noBackBuffer.graphics.BackBuffer.release();
    EXPECT_THROW(noBackBuffer.compose(), DrawError);

    Scene noBackground;
    noBackground.graphics.BackgroundSurf.release();
    EXPECT_THROW(noBackground.compose(), DrawError);

    Scene noTiles;
    noTiles.game.Map[3][3] = 1;
    noTiles.graphics.TileSurf.release();
    EXPECT_THROW(noTiles.compose(), DrawError);
}

// Prints the cost of the worst frame: 256 tiles, eight texts, then a scaled copy
// standing in for the presentation, on the window's picture box and on one twice the frame.
TEST(FramePerformance, FullFrameWithPresentation)
{
    Scene scene;
    for (int column = 0; column < BoardSize; ++column)
        for (int row = 0; row < BoardSize; ++row)
            scene.game.Map[column][row] = static_cast<std::uint8_t>(1 + (column + row) % 5);
    scene.game.GameOver = true;
    enterScores(scene.scores);
    const QRect whole(QPoint(0, 0), FrameSize);

    for (const QSize box : {QSize(367, 423), 2 * FrameSize}) {
        Surface screen(box.width(), box.height());
        constexpr int Frames = 300;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Frames; ++i) {
            scene.compose();
            screen.copyScaled(QRect(QPoint(0, 0), box), scene.graphics.BackBuffer, whole);
        }
        const double micros = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / Frames;
        std::printf("[ timing   ] full frame presented on %dx%d: %.0f us\n", box.width(), box.height(), micros);
        EXPECT_EQ(screen.image().pixel(box.width() - 1, box.height() - 1), backgroundPixel(363, 419));
    }
}
