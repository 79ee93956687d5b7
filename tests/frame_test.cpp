// Frames composed from the bitmaps the program ships: the background, a tile per occupied cell and
// the texts in their places, the same pixels in every build; and the frame scaled to a screen.
#include "core/game/Game.h"
#include "core/render/Bitmap.h"
#include "core/render/Frame.h"
#include "core/render/Graphics.h"
#include "core/render/ScaledScreen.h"
#include "core/scores/HighScores.h"
#include "tests/support/ScoreFileCheck.h"

#include <gtest/gtest.h>

#include <numeric>
#include <span>
#include <utility>

namespace tilzo {
namespace {

// A bitmap the program carries, as Windows keeps it: the .bmp file without its file header.
std::string shipped(Bitmap bitmap)
{
    return support::readFile(TILZO_SOURCE_DIR "/assets/" + std::to_string(bitmap) + ".bmp").substr(14);
}

// FNV-1a over the pixels.
std::uint64_t hash(const Surface& frame)
{
    std::uint64_t value = 14695981039346656037u;
    for (int i = 0; i < frame.size().width * frame.size().height; ++i)
        value = (value ^ frame.pixels()[i]) * 1099511628211u;
    return value;
}

TEST(Frame, BackgroundTilesAndWhiteTextsInTheirPlacesAndTheSameInEveryBuild)
{
    // The end message, the score, a name to enter, and the frame's hash.
    const std::tuple<const char*, std::int32_t, const char32_t*, std::uint64_t> scenes[] = {
        {"", 1234, U"Ann ", 0x8136ce5dd9002ffa},
        {"GAME OVER", -2147483647 - 1, U" Jos\u00e9 \u20ac\u0081\t~", 0xd91bcd788f1fba33},
        {"CONGRATULATIONS!", 25000, U"Zażółć gęślą jaźń!!!", 0xb9de501bb8b75332},
    };
    for (const auto& [end, points, name, frameHash] : scenes) {
        SCOPED_TRACE(end);
        Random random;
        random.seed(7);
        Game game{random};
        game.NewGame();
        game.Points = points;
        game.Bonus = 5000; // shown only at the end
        HighScores scores{{}, {}};
        scores.checkpoints(name, 150);
        Graphics graphics;
        graphics.InitSurfaces(shipped);
        graphics.BackBuffer.copyScaled({0, 0, 364, 420}, graphics.TileSurf, {0, 0, 16, 80}); // stale
        game.GameOver = *end != '\0';
        // At the end, a board empty but for one block in the bottom right, or all empty.
        for (int i = 0; game.GameOver && i < BoardSize * BoardSize; ++i)
            game.Map[i / BoardSize][i % BoardSize] = *end == 'G' && i == 255;
        game.Map[BoardSize][3] = game.Map[3][BoardSize] = 2; // guard cells are never drawn
        ComposeFrame(graphics, game, scores);
        const Surface& frame = graphics.BackBuffer;
        EXPECT_EQ(hash(frame), frameHash) << std::hex << "0x" << hash(frame);
        // Whatever the frame holds lies in its bands: a screen that shows only those loses nothing.
        Surface outside = frame;
        for (const Rect& band : FrameBands)
            outside.copy({band.x, band.y}, Surface(band.width, band.height), {0, 0, band.width, band.height});
        EXPECT_TRUE(outside == Surface(FrameSize.width, FrameSize.height));
    }
}

// Only a press strictly inside the written board area names a cell; its right and bottom edges fall short.
TEST(Layout, APressNamesTheCellUnderItOnlyWithinTheBoardArea)
{
    const std::tuple<double, double, int> cases[] // frame x, y, then column * 16 + row or -1
        = {{55, 55, 0},  {69.9, 69.9, 0}, {70, 55, 16},  {55, 70, 1},  {307.9, 306.9, 255},
           {54, 60, -1}, {60, 54, -1},    {308, 60, -1}, {60, 307, -1}};
    for (const auto& [x, y, cell] : cases) {
        const std::optional<CellPos> pressed = pressedCell(x, y);
        EXPECT_EQ(pressed ? pressed->x * 16 + pressed->y : -1, cell) << x << "," << y;
    }
}

// Every device pixel of the screen, pressed anywhere within it, names the frame pixel drawn there, whole or
// in bands at scales of their own, and none between the bands. A cell is shown on exactly the pixels of its
// shown rectangle.
TEST(ScaledScreen, APressNamesTheFramePixelShownUnderIt)
{
    std::vector<std::uint32_t> coded(std::size_t(FrameSize.width) * FrameSize.height);
    std::iota(coded.begin(), coded.end(), 1u); // every pixel holds its own position, plus one
    const Surface frame = Surface::fromPixels(FrameSize, coded);
    // A phone held upright and on its side, at three device pixels to a CSS pixel.
    const Piece upright[] = {{HeaderBand, {0, 0, 1170, 128}},
                             {BoardBand, {0, 128, 1170, 1197}}, // every cell's edge on a pixel's centre
                             {FooterBand, {0, 1325, 1170, 335}}};
    const Piece sideways[] = {{BoardBand, {0, 0, 1053, 1049}},
                              {HeaderBand, {1053, 0, 1479, 162}},
                              {FooterBand, {1053, 162, 1479, 423}}};
    const std::pair<Size, std::span<const Piece>> screens[] = {{{728, 840}, {}},
                                                               {{546, 630}, {}},
                                                               {{400, 450}, {}},
                                                               {{1170, 1660}, upright},
                                                               {{2532, 1049}, sideways}};
    for (const auto& [device, pieces] : screens) {
        ScaledScreen screen;
        pieces.empty() ? screen.show(frame, device) : screen.show(frame, device, pieces);
        for (int y = 0; y < device.height; ++y)
            for (int x = 0; x < device.width; ++x) {
                const int at = int(screen.picture().pixel(x, y) & 0xFFFFFF) - 1;
                const Point drawn
                    = at < 0 ? Point{-1, -1} : Point{at % FrameSize.width, at / FrameSize.width};
                ASSERT_EQ(screen.framePixel(x + 0.01, y + 0.99), drawn)
                    << x << ',' << y << '/' << device.width;
            }
        // Each cell's first and last pixels are shown at its rectangle's corners, its neighbours' just
        // outside.
        const auto at = [&](int x, int y) { return screen.framePixel(x + 0.5, y + 0.5); };
        for (int column = 0; column < BoardSize; ++column)
            for (int row = 0; row < BoardSize; ++row) {
                const Rect shown = screen.shownRect(cellRect(column, row));
                const Point first = cellOrigin(column, row);
                const Point last{first.x + CellSize - 1, first.y + CellSize - 1};
                const int right = shown.x + shown.width, bottom = shown.y + shown.height;
                ASSERT_EQ(std::tuple(at(shown.x, shown.y), at(right - 1, bottom - 1)),
                          std::tuple(first, last));
                ASSERT_EQ(std::tuple(at(shown.x - 1, shown.y).x, at(shown.x, shown.y - 1).y,
                                     at(right, shown.y).x, at(shown.x, bottom).y),
                          std::tuple(first.x - 1, first.y - 1, last.x + 1, last.y + 1))
                    << column << ',' << row << '/' << device.width;
            }
        // A part across two bands is shown whole by no piece.
        EXPECT_EQ(screen.shownRect({0, 30, 10, 20}).width == 0, !pieces.empty());
    }
}

} // namespace
} // namespace tilzo
