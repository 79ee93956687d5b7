// The artwork's fixed facts, read from the resources embedded by linking tilzo_assets.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Khaki = qRgb(191, 191, 142);
constexpr QRgb TileCentres[] = {qRgb(213, 74, 41), qRgb(45, 41, 203), qRgb(68, 180, 43), qRgb(213, 195, 41),
                                qRgb(164, 87, 213)};

QImage bitmap(const char* path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// Every pixel of the inclusive rectangle (x1, y1)..(x2, y2) passes; names the first that does not.
testing::AssertionResult all(const QImage& image, int x1, int y1, int x2, int y2, const std::function<bool(QRgb)>& pass)
{
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (!pass(image.pixel(x, y)))
                return testing::AssertionFailure() << x << "," << y << " is " << std::hex << image.pixel(x, y);
    return testing::AssertionSuccess();
}

// The tile colour, 0..4, whose hue lies nearest to the pixel's.
int tileOf(QRgb pixel)
{
    const auto distance = [hue = QColor(pixel).hsvHue()](QRgb centre) {
        const int d = std::abs(hue - QColor(centre).hsvHue());
        return std::min(d, 360 - d);
    };
    return std::ranges::min_element(TileCentres, {}, distance) - std::begin(TileCentres);
}

} // namespace

TEST(Bitmaps, AreUncompressedBottomUp24BitAt72Dpi)
{
    for (const auto& [path, width, height] : {std::tuple{":/bitmaps/100", 364, 420}, {":/bitmaps/101", 16, 80}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        const QByteArray bytes = file.readAll();
        const int size = 54 + (width * 3 + 3) / 4 * 4 * height;
        ASSERT_EQ(bytes.size(), size) << path;
        // offset, length, value: magic, file size, pixel offset, info header, width, height (positive: bottom-up),
        // planes, bits per pixel, no compression, 72 dpi across and down
        const int fields[][3] = {{0, 2, 0x4d42},  {2, 4, size}, {10, 4, 54}, {14, 4, 40}, {18, 4, width},
                                 {22, 4, height}, {26, 2, 1},   {28, 2, 24}, {30, 4, 0},  {38, 4, 2835},
                                 {42, 4, 2835}};
        for (const auto& [at, length, value] : fields) {
            const char* field = bytes.constData() + at;
            EXPECT_EQ(length == 2 ? qFromLittleEndian<qint16>(field) : qFromLittleEndian<qint32>(field), value)
                << path << " at byte " << at;
        }
    }
}

TEST(Background, GreyGridLinesLieExactlyOnTheirRowsAndColumns)
{
    const QImage background = bitmap(":/bitmaps/100");
    const auto row = [](int y) { return y == 53 || y == 308 || (y >= 68 && y <= 293 && (y - 68) % 16 < 2); };
    const auto column = [](int x) { return x == 55 || x == 310 || (x >= 70 && x <= 295 && (x - 70) % 16 < 2); };
    for (int y = 52; y <= 309; ++y) {
        for (int x = 54; x <= 311; ++x) {
            const bool line = (row(y) && x >= 55 && x <= 310) || (column(x) && y >= 53 && y <= 308);
            ASSERT_EQ(background.pixel(x, y) == qRgb(79, 79, 79), line) << x << "," << y;
        }
    }
}

TEST(Background, FrameTextAreasAndLabelsLieWithinTheirBounds)
{
    const QImage background = bitmap(":/bitmaps/100");
    const auto black = [](QRgb p) { return p == Black; };
    const auto khaki = [](QRgb p) { return p == Khaki; };
    const auto notWhite = [](QRgb p) { return p != White; };
    const auto blue = [](QRgb p) { return qBlue(p) > 2 * qRed(p) && qBlue(p) > 2 * qGreen(p); };
    const auto dark = [](QRgb p) { return p != Black && qGray(p) < qGray(Khaki) / 2; };
    const auto light = [](QRgb p) { return qGray(p) > qGray(Khaki); };
    const struct {
        int x1, y1, x2, y2;
        std::function<bool(QRgb)> pass;
    } parts[] = {
        // the frame: khaki right and bottom sides, light top and left ones, blue glow, dark shadow, black around
        {312, 52, 313, 309, khaki}, {53, 310, 310, 311, khaki}, {60, 50, 300, 51, light}, {51, 60, 52, 300, light},
        {60, 47, 300, 49, blue}, {48, 60, 50, 300, blue}, {314, 60, 314, 300, dark}, {60, 312, 300, 312, dark},
        {40, 46, 322, 46, black}, {40, 313, 322, 313, black}, {47, 40, 47, 318, black}, {315, 40, 315, 318, black},
        // the score, the table and around the title
        {0, 0, 100, 20, black}, {140, 336, 363, 403, black}, {0, 0, 363, 9, black}, {0, 37, 363, 46, black},
        {0, 10, 100, 36, black}, {264, 10, 363, 36, black},
        // around the box of the "HIGH SCORE" label, then of the credits line
        {0, 313, 363, 320, notWhite}, {0, 327, 363, 335, notWhite}, {0, 321, 153, 326, notWhite},
        {227, 321, 363, 326, notWhite}, {0, 404, 363, 407, notWhite}, {0, 418, 363, 419, notWhite},
        {0, 408, 59, 417, notWhite}, {307, 408, 363, 417, notWhite}};
    for (const auto& part : parts)
        EXPECT_TRUE(all(background, part.x1, part.y1, part.x2, part.y2, part.pass));
    EXPECT_FALSE(all(background, 154, 321, 226, 326, notWhite)) << "no HIGH SCORE label";
    EXPECT_FALSE(all(background, 60, 408, 306, 417, notWhite)) << "no credits";
}

TEST(Background, TitleLettersTakeTheTileColoursInOrderBetweenGreyEmblems)
{
    const QImage background = bitmap(":/bitmaps/100");
    std::string sequence;  // left to right: g for a grey column, 1..5 for a letter's tile colour
    for (int x = 101; x <= 263; ++x) {
        char column = ' ';
        for (int y = 10; y <= 36; ++y) {
            const QColor pixel(background.pixel(x, y));
            if (pixel.value() >= 100 && pixel.hsvSaturation() > 100)
                column = char('1' + tileOf(pixel.rgb()));
            else if (pixel.value() >= 100 && pixel.hsvSaturation() < 40 && column == ' ')
                column = 'g';
        }
        if (column != ' ' && !sequence.ends_with(column))
            sequence += column;
    }
    EXPECT_EQ(sequence, "g12345g");
}

TEST(Tiles, TileKFillsRows16KMinus16To16KMinus1AroundItsCentreColourWithABevel)
{
    const QImage tiles = bitmap(":/bitmaps/101");
    ASSERT_EQ(tiles.size(), QSize(16, 80));
    for (int k = 1; k <= 5; ++k) {
        const int top = 16 * (k - 1);
        const QRgb centre = TileCentres[k - 1];
        EXPECT_TRUE(tiles.pixel(7, top + 7) == centre && tiles.pixel(8, top + 8) == centre) << "centre of " << k;
        EXPECT_TRUE(all(tiles, 0, top, 15, top + 15, [k](QRgb p) { return tileOf(p) == k - 1; })) << "tile " << k;
        const auto brighter = [&](int x, int y) { return qGray(tiles.pixel(x, top + y)) - qGray(centre); };
        for (int i = 1; i <= 14; ++i)
            EXPECT_TRUE(brighter(i, 0) > 0 && brighter(0, i) > 0 && brighter(i, 15) < 0 && brighter(15, i) < 0)
                << "edges of " << k << " at " << i;
        EXPECT_TRUE(brighter(8, 3) > 0 && brighter(8, 12) < 0) << "face of " << k;
    }
}

TEST(Icon, Is32By32TrueColourWithoutAlpha)
{
    const QImage icon(":/icons/tilzo.png");
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.format(), QImage::Format_RGB32);
}
