#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/Game.h"
#include "render/Graphics.h"
#include "scores/HighScores.h"

namespace tilzo::test {

// Colours of the test bitmaps: every pixel tells where it came from.
QRgb backgroundPixel(int x, int y);
QRgb tilePixel(int x, int y);
QRgb blackPixel(int x, int y);

// Writes a test bitmap of the given size into dir; pixel(x, y) gives its colours.
QString writeBitmap(const QTemporaryDir& dir, const QString& name, QSize size, QRgb (*pixel)(int, int));

using PlacedText = std::pair<QPoint, QString>;

struct ShippedArtwork {};

// Everything one frame is drawn from, set up by InitSurfaces: with test bitmaps
// (tiles from tilePixel) or with the artwork embedded in the program.
struct Scene {
    explicit Scene(QRgb (*background)(int, int) = backgroundPixel);
    explicit Scene(ShippedArtwork);

    QTemporaryDir dir;
    Random random;
    Game game{random};
    HighScores scores{dir.path(), dir.path(), [](const QString&) {}};
    Graphics graphics;

    void clearBoard();
    const QImage& compose();
};

// The pixels of image inside rect, as a small image of their own.
QImage region(const QImage& image, const QRect& rect);

// Equal sizes and equal pixels inside area (all of them if empty); names the first that differs.
::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected, QRect area = {});

// A black frame with only the given texts drawn in font, white.
QImage textsOnBlack(const QFont& font, const std::vector<PlacedText>& texts);

// The rectangle a text drawn at pos may touch: its advance by its line height, a pixel of slack around.
QRect textBox(const QFont& font, const PlacedText& text);

} // namespace tilzo::test
