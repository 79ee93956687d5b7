// The committed artwork's fixed facts, read from the resources linked in; the artwork test
// shows that tools/drawassets still draws it byte for byte.
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

TEST(Artwork, FormatsTileCentresAndGridLines)
{
    for (const auto& [path, width, height] : {std::tuple{":/bitmaps/100", 364, 420}, {":/bitmaps/101", 16, 80}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        const QByteArray bytes = file.readAll();
        // Uncompressed 24-bit rows padded to four bytes after a 54-byte header, bottom-up (height > 0), 72 dpi.
        ASSERT_EQ(bytes.size(), 54 + (width * 3 + 3) / 4 * 4 * height) << path;
        const auto field = [&](int at) { return qFromLittleEndian<qint32>(bytes.constData() + at); };
        EXPECT_EQ(std::tuple(bytes.left(2), field(10), field(18), field(22), field(28) & 0xffff, field(30), field(38), field(42)),
                  std::tuple("BM", 54, width, height, 24, 0, 2835, 2835)) << path;
    }
    EXPECT_EQ(QImage(":/icons/tilzo.png").size(), QSize(32, 32));

    // Tile k, for code k + 1, fills rows 16k..16k + 15 around its colour; the grid shows between empty cells.
    const QImage tiles(":/bitmaps/101"), background(":/bitmaps/100");
    const QRgb centres[] = {qRgb(213, 74, 41), qRgb(45, 41, 203), qRgb(68, 180, 43), qRgb(213, 195, 41), qRgb(164, 87, 213)};
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(tiles.pixel(7, 16 * k + 7) == centres[k] && tiles.pixel(8, 16 * k + 8) == centres[k]) << k;
    const auto row = [](int y) { return y == 53 || y == 308 || (y >= 68 && y <= 293 && (y - 68) % 16 < 2); };
    const auto column = [](int x) { return x == 55 || x == 310 || (x >= 70 && x <= 295 && (x - 70) % 16 < 2); };
    for (int y = 52; y <= 309; ++y)
        for (int x = 54; x <= 311; ++x) {
            const bool line = (row(y) && x >= 55 && x <= 310) || (column(x) && y >= 53 && y <= 308);
            ASSERT_EQ(background.pixel(x, y) == qRgb(79, 79, 79), line) << x << "," << y;
        }
}
