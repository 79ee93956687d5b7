// Frames drawn with the artwork the program ships.
#include <QImage>

#include <gtest/gtest.h>

#include "render_support.h"

using namespace tilzo;
using namespace tilzo::test;

namespace {

constexpr QRgb Grid = qRgb(79, 79, 79);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);

const QRgb TileCentres[ColourCount] = {
    qRgb(213, 74, 41),   // red
    qRgb(45, 41, 203),   // blue
    qRgb(68, 180, 43),   // green
    qRgb(213, 195, 41),  // yellow
    qRgb(164, 87, 213),  // purple
};

// Which of the four middle pixels of a 16 by 16 block is its centre is the artist's call.
bool centreIs(const QImage& image, QPoint topLeft, QRgb colour)
{
    for (const QPoint offset : {QPoint(7, 7), QPoint(8, 7), QPoint(7, 8), QPoint(8, 8)})
        if (image.pixel(topLeft + offset) == colour)
            return true;
    return false;
}

// Only black, or the white of the texts, inside area; and some text.
void expectTextOnBlack(const QImage& frame, const QRect& area)
{
    int white = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = frame.pixel(x, y);
            ASSERT_TRUE(pixel == Black || pixel == White) << x << "," << y;
            white += pixel == White;
        }
    }
    EXPECT_GT(white, 0);
}

} // namespace

TEST(Artwork, LoadsAtItsFixedSizesWithTheTileColoursInOrder)
{
    Scene scene{ShippedArtwork()};

    EXPECT_EQ(scene.graphics.BackBuffer.size(), QSize(364, 420));
    EXPECT_EQ(scene.graphics.BackgroundSurf.size(), QSize(364, 420));
    ASSERT_EQ(scene.graphics.TileSurf.size(), QSize(16, 80));
    for (int code = 1; code <= ColourCount; ++code)
        EXPECT_TRUE(centreIs(scene.graphics.TileSurf.image(), QPoint(0, 16 * (code - 1)), TileCentres[code - 1]))
            << "tile " << code;
}

TEST(Artwork, AnEmptyBoardShowsTheGridAndTheTextsOnBlack)
{
    Scene scene{ShippedArtwork()};
    scene.clearBoard();
    scene.scores.checkpoints(fixedName(QStringLiteral("Ann")), 99999);

    const QImage frame = scene.compose();

    for (int k = 0; k <= 14; ++k) {
        for (const int line : {70 + 16 * k, 71 + 16 * k}) {
            for (const int along : {53, 180, 308}) {
                EXPECT_EQ(frame.pixel(line, along), Grid) << "column line " << line << " at y " << along;
                EXPECT_EQ(frame.pixel(along + 2, line), Grid) << "row line " << line << " at x " << along + 2;
            }
        }
    }
    for (const int along : {55, 180, 310}) {
        EXPECT_EQ(frame.pixel(along, 53), Grid);
        EXPECT_EQ(frame.pixel(along, 308), Grid);
        EXPECT_EQ(frame.pixel(55, along - 2), Grid);
        EXPECT_EQ(frame.pixel(310, along - 2), Grid);
    }
    expectTextOnBlack(frame, QRect(QPoint(0, 0), QPoint(100, 20)));
    expectTextOnBlack(frame, QRect(QPoint(140, 336), QPoint(363, 403)));
}

TEST(Artwork, TilesCoverTheirCells)
{
    Scene scene{ShippedArtwork()};
    scene.clearBoard();
    scene.game.Map[0][0] = 3;
    scene.game.Map[15][15] = 5;

    const QImage frame = scene.compose();

    const QImage& tiles = scene.graphics.TileSurf.image();
    EXPECT_TRUE(samePixels(region(frame, QRect(54, 54, 16, 16)), region(tiles, QRect(0, 32, 16, 16))));
    EXPECT_TRUE(samePixels(region(frame, QRect(294, 294, 16, 16)), region(tiles, QRect(0, 64, 16, 16))));
    EXPECT_TRUE(centreIs(frame, QPoint(54, 54), TileCentres[2]));
    EXPECT_TRUE(centreIs(frame, QPoint(294, 294), TileCentres[4]));
    EXPECT_EQ(frame.pixel(71, 60), Grid) << "the grid beside a tile stays";
}
