// The artwork's fixed facts, read from the resources embedded by linking tilzo_assets.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb GridGrey = qRgb(79, 79, 79);
const QRgb Khaki = qRgb(191, 191, 142);
const QRgb TileCentres[] = {qRgb(213, 74, 41), qRgb(45, 41, 203), qRgb(68, 180, 43), qRgb(213, 195, 41),
                            qRgb(164, 87, 213)};

QByteArray resource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage image(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

const QImage& background()
{
    static const QImage picture = image(":/bitmaps/100");
    return picture;
}

const QImage& tiles()
{
    static const QImage picture = image(":/bitmaps/101");
    return picture;
}

// Every pixel (x, y) of the inclusive rectangle satisfies `test`; the first that does not is reported.
testing::AssertionResult allPixels(const QImage& img, QRect area, const std::function<bool(QRgb)>& test)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!test(img.pixel(x, y)))
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                   << img.pixel(x, y);
    return testing::AssertionSuccess();
}

testing::AssertionResult allOf(const QImage& img, QRect area, QRgb colour)
{
    return allPixels(img, area, [colour](QRgb p) { return p == colour; });
}

// Bounding box of the pixels of `area` equal to `colour`; empty when there are none.
QRect boxOf(const QImage& img, QRect area, QRgb colour)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

QRect span(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); }

int hueOf(QRgb p) { return QColor(p).hsvHue(); }

int hueDistance(int a, int b)
{
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

// The tile colour (0..4) whose hue lies nearest to the pixel's.
int nearestTile(QRgb p)
{
    int best = 0;
    for (int k = 1; k < 5; ++k)
        if (hueDistance(hueOf(p), hueOf(TileCentres[k])) < hueDistance(hueOf(p), hueOf(TileCentres[best])))
            best = k;
    return best;
}

std::uint32_t le32(const QByteArray& bytes, int at) { return qFromLittleEndian<std::uint32_t>(bytes.constData() + at); }
std::uint16_t le16(const QByteArray& bytes, int at) { return qFromLittleEndian<std::uint16_t>(bytes.constData() + at); }

// ---- Format ------------------------------------------------------------------------------------

struct BitmapCase {
    const char* name;
    const char* path;
    int width;
    int height;
};

void PrintTo(const BitmapCase& bitmap, std::ostream* out) { *out << bitmap.path; }

class BitmapFormat : public testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapFormat, IsAnUncompressedBottomUp24BitBitmapAt72Dpi)
{
    const auto [name, path, width, height] = GetParam();
    const QByteArray bytes = resource(path);
    ASSERT_GE(bytes.size(), 54) << path << " is not embedded";
    const int rowBytes = (width * 3 + 3) / 4 * 4;

    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(le32(bytes, 2), std::uint32_t(bytes.size()));
    EXPECT_EQ(le32(bytes, 10), 54u) << "pixels right after the two headers, no palette";
    EXPECT_EQ(le32(bytes, 14), 40u) << "plain info header";
    EXPECT_EQ(int(le32(bytes, 18)), width);
    EXPECT_EQ(int(le32(bytes, 22)), height) << "a positive height means rows stored bottom-up";
    EXPECT_EQ(le16(bytes, 26), 1u);
    EXPECT_EQ(le16(bytes, 28), 24u) << "bits per pixel";
    EXPECT_EQ(le32(bytes, 30), 0u) << "BI_RGB, uncompressed";
    EXPECT_EQ(bytes.size(), 54 + rowBytes * height);
    EXPECT_EQ(le32(bytes, 38), 2835u) << "72 dpi across";
    EXPECT_EQ(le32(bytes, 42), 2835u) << "72 dpi down";

    // The first stored row is the picture's bottom row, blue green red.
    const QImage decoded = image(path);
    ASSERT_EQ(decoded.size(), QSize(width, height));
    for (int x = 0; x < width; ++x) {
        const QRgb p = decoded.pixel(x, height - 1);
        const auto* stored = reinterpret_cast<const uchar*>(bytes.constData() + 54 + 3 * x);
        ASSERT_EQ(qRgb(stored[2], stored[1], stored[0]), p) << "column " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Assets, BitmapFormat,
                         testing::Values(BitmapCase{"Background", ":/bitmaps/100", 364, 420},
                                         BitmapCase{"Tiles", ":/bitmaps/101", 16, 80}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Background ------------------------------------------------------------------------------

TEST(Background, GridLinesLieOnTheirRowsAndColumnsAndAre256PixelsLong)
{
    const QImage& bg = background();
    std::vector<int> rows = {53, 308}, columns = {55, 310};
    for (int k = 0; k <= 14; ++k) {
        rows.insert(rows.end(), {68 + 16 * k, 69 + 16 * k});
        columns.insert(columns.end(), {70 + 16 * k, 71 + 16 * k});
    }
    for (int y : rows) {
        EXPECT_TRUE(allOf(bg, span(55, y, 310, y), GridGrey)) << "row " << y;
        EXPECT_NE(bg.pixel(54, y), GridGrey) << "row " << y << " starts at x 55";
        EXPECT_NE(bg.pixel(311, y), GridGrey) << "row " << y << " ends at x 310";
    }
    for (int x : columns) {
        EXPECT_TRUE(allOf(bg, span(x, 53, x, 308), GridGrey)) << "column " << x;
        EXPECT_NE(bg.pixel(x, 52), GridGrey) << "column " << x << " starts at y 53";
        EXPECT_NE(bg.pixel(x, 309), GridGrey) << "column " << x << " ends at y 308";
    }
}

TEST(Background, CellInteriorsAreNotGridColoured)
{
    const QImage& bg = background();
    for (int c = 0; c < 16; ++c)
        for (int r = 0; r < 16; ++r)
            EXPECT_NE(bg.pixel(54 + 16 * c + 8, 54 + 16 * r + 8), GridGrey) << "cell " << c << ", " << r;
}

TEST(Background, ScoreAndTableAreasAreBlack)
{
    EXPECT_TRUE(allOf(background(), span(0, 0, 100, 20), Black)) << "score line";
    EXPECT_TRUE(allOf(background(), span(140, 336, 363, 403), Black)) << "high-score lines";
}

TEST(Background, FrameHasKhakiRightAndBottomSidesWithinItsOuterBounds)
{
    const QImage& bg = background();
    EXPECT_TRUE(allOf(bg, span(312, 52, 313, 309), Khaki)) << "right side";
    EXPECT_TRUE(allOf(bg, span(53, 310, 310, 311), Khaki)) << "bottom side";

    const auto isBlack = [](QRgb p) { return p == Black; };
    EXPECT_TRUE(allPixels(bg, span(40, 46, 322, 46), isBlack)) << "above the frame";
    EXPECT_TRUE(allPixels(bg, span(40, 313, 322, 313), isBlack)) << "below the frame";
    EXPECT_TRUE(allPixels(bg, span(47, 40, 47, 318), isBlack)) << "left of the frame";
    EXPECT_TRUE(allPixels(bg, span(315, 40, 315, 318), isBlack)) << "right of the frame";

    // Glow outside the light top and left sides is blue; shadow outside the khaki sides is dark.
    const auto isBlue = [](QRgb p) { return qBlue(p) > 2 * qRed(p) && qBlue(p) > 2 * qGreen(p); };
    EXPECT_TRUE(allPixels(bg, span(60, 47, 300, 49), isBlue)) << "glow above";
    EXPECT_TRUE(allPixels(bg, span(48, 60, 50, 300), isBlue)) << "glow left";
    const auto isDark = [](QRgb p) { return p != Black && qGray(p) < qGray(Khaki) / 2; };
    EXPECT_TRUE(allPixels(bg, span(314, 60, 314, 300), isDark)) << "shadow right";
    EXPECT_TRUE(allPixels(bg, span(60, 312, 300, 312), isDark)) << "shadow below";
    const auto isLight = [](QRgb p) { return qGray(p) > qGray(Khaki); };
    EXPECT_TRUE(allPixels(bg, span(60, 50, 300, 51), isLight)) << "light top side";
    EXPECT_TRUE(allPixels(bg, span(51, 60, 52, 300), isLight)) << "light left side";
}

TEST(Background, TitleLettersTakeTheTileColoursInOrderBetweenGreyEmblems)
{
    const QImage& bg = background();
    EXPECT_TRUE(allOf(bg, span(0, 0, 363, 9), Black));
    EXPECT_TRUE(allOf(bg, span(0, 37, 363, 46), Black));
    EXPECT_TRUE(allOf(bg, span(0, 10, 100, 36), Black));
    EXPECT_TRUE(allOf(bg, span(264, 10, 363, 36), Black));

    // Walk the title from left to right: grey columns, five coloured letters, grey columns.
    std::string sequence;
    for (int x = 101; x <= 263; ++x) {
        char column = ' ';
        for (int y = 10; y <= 36; ++y) {
            const QColor p = QColor(bg.pixel(x, y));
            if (p.value() < 100)
                continue;
            if (p.hsvSaturation() > 100)
                column = char('1' + nearestTile(p.rgb()));
            else if (column == ' ' && p.hsvSaturation() < 40)
                column = 'g';
        }
        if (column != ' ' && !sequence.ends_with(column))
            sequence += column;
    }
    EXPECT_EQ(sequence, "g12345g");
}

TEST(Background, LabelAndCreditsAreWhiteWithinTheirBoxes)
{
    const QImage& bg = background();
    const QRect label = boxOf(bg, span(0, 313, 363, 335), White);
    EXPECT_FALSE(label.isEmpty()) << "HIGH SCORE label";
    EXPECT_TRUE(span(154, 321, 226, 326).contains(label)) << "label box";

    const QRect credits = boxOf(bg, span(0, 404, 363, 419), White);
    EXPECT_FALSE(credits.isEmpty()) << "credits line";
    EXPECT_TRUE(span(60, 408, 306, 417).contains(credits)) << "credits box";
}

// ---- Tiles ---------------------------------------------------------------------------------------

TEST(Tiles, CentresHaveTheExactColours)
{
    ASSERT_EQ(tiles().size(), QSize(16, 80));
    for (int k = 1; k <= 5; ++k) {
        const int top = 16 * (k - 1);
        EXPECT_EQ(tiles().pixel(8, top + 8), TileCentres[k - 1]) << "code " << k;
        EXPECT_EQ(tiles().pixel(7, top + 7), TileCentres[k - 1]) << "code " << k << ", either centre pixel";
    }
}

TEST(Tiles, TileOfCodeKFillsRows16KMinus16To16KMinus1)
{
    for (int k = 1; k <= 5; ++k) {
        const QRect block = span(0, 16 * (k - 1), 15, 16 * k - 1);
        EXPECT_TRUE(allPixels(tiles(), block, [k](QRgb p) { return nearestTile(p) == k - 1; })) << "code " << k;
    }
}

TEST(Tiles, AreBevelledLightAboveAndLeftDarkBelowAndRightAndShadedDownwards)
{
    for (int k = 1; k <= 5; ++k) {
        const int top = 16 * (k - 1);
        const int centre = qGray(TileCentres[k - 1]);
        const auto gray = [&](int x, int y) { return qGray(tiles().pixel(x, top + y)); };
        for (int i = 1; i <= 14; ++i) {
            EXPECT_GT(gray(i, 0), centre) << "code " << k << ", top edge";
            EXPECT_GT(gray(0, i), centre) << "code " << k << ", left edge";
            EXPECT_LT(gray(i, 15), centre) << "code " << k << ", bottom edge";
            EXPECT_LT(gray(15, i), centre) << "code " << k << ", right edge";
        }
        EXPECT_GT(gray(8, 3), centre) << "code " << k << ", face above the centre";
        EXPECT_LT(gray(8, 12), centre) << "code " << k << ", face below the centre";
    }
}

// ---- Icon ------------------------------------------------------------------------------------------

TEST(Icon, Is32By32With24BitColour)
{
    const QByteArray png = resource(":/icons/tilzo.png");
    ASSERT_GE(png.size(), 26) << "icon is not embedded";
    EXPECT_EQ(png.mid(12, 4), "IHDR");
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(png.constData() + 16), 32u);
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(png.constData() + 20), 32u);
    EXPECT_EQ(png[24], 8) << "bits per channel";
    EXPECT_EQ(png[25], 2) << "truecolour, no alpha";
    EXPECT_EQ(QImage(":/icons/tilzo.png").size(), QSize(32, 32));
}

} // namespace
