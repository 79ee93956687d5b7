// Frames composed from the bitmaps the program ships: the background, a tile per occupied cell and
// the texts in their places, nothing else; and the same pixels in every build.
#include "core/game/Game.h"
#include "core/render/Bitmap.h"
#include "core/render/Frame.h"
#include "core/render/Graphics.h"
#include "core/scores/HighScores.h"
#include "fuzz/ScoreFileCheck.h"

#include <gtest/gtest.h>

namespace tilzo {
namespace {

// A bitmap the program carries, as Windows keeps it: the .bmp file without its file header.
std::string shipped(Bitmap bitmap)
{
    return fuzz::readFile(TILZO_SOURCE_DIR "/assets/" + std::to_string(bitmap) + ".bmp").substr(14);
}

// FNV-1a over the pixels.
std::uint64_t hash(const Surface& frame)
{
    std::uint64_t value = 14695981039346656037u;
    for (int i = 0; i < frame.size().width * frame.size().height; ++i)
        value = (value ^ frame.pixels()[i]) * 1099511628211u;
    return value;
}

struct Scene {
    explicit Scene(std::int32_t points)
    {
        random.seed(7);
        graphics.InitSurfaces(shipped);
        game.NewGame();
        game.Points = points;
        game.Bonus = 5000; // shown only at the end
    }
    Random random;
    Game game{random};
    HighScores scores{{}, {}};
    Graphics graphics;
};

TEST(Frame, BackgroundTilesAndWhiteTextsInTheirPlacesAndTheSameInEveryBuild)
{
    // The end message, the score, a name to enter, and the frame's hash.
    const std::tuple<const char*, std::int32_t, const char32_t*, std::uint64_t> scenes[] = {
        {"", 1234, U"Ann ", 0x8136ce5dd9002ffa},
        {"GAME OVER", -2147483647 - 1, U" Jos\u00e9 \u20ac\u0081\t~", 0xd91bcd788f1fba33},
        {"CONGRATULATIONS!", 25000, U"Zażółć gęślą jaźń!!!", 0xb9de501bb8b75332},
    };
    const Surface background = decodeDib(shipped(Background));
    const Surface tiles = decodeDib(shipped(Tiles));
    for (const auto& [end, points, name, frameHash] : scenes) {
        SCOPED_TRACE(end);
        Scene scene(points);
        Game& game = scene.game;
        scene.scores.checkpoints(name, 150);
        scene.graphics.BackBuffer.copyScaled({0, 0, 364, 420}, tiles, {0, 0, 16, 80}); // a stale picture
        game.GameOver = *end != '\0';
        // At the end, a board empty but for one block in the bottom right, or all empty.
        for (int i = 0; game.GameOver && i < BoardSize * BoardSize; ++i)
            game.Map[i / BoardSize][i % BoardSize] = *end == 'G' && i == 255;
        game.Map[BoardSize][3] = 2; // guard cells are never drawn
        game.Map[3][BoardSize] = 2;
        ComposeFrame(scene.graphics, game, scene.scores);
        const Surface& frame = scene.graphics.BackBuffer;

        Surface expected = background;
        for (int c = 0; c < BoardSize; ++c)
            for (int r = 0; r < BoardSize; ++r)
                if (game.Map[c][r] != 0)
                    expected.copy(cellOrigin(c, r), tiles, {0, 16 * (game.Map[c][r] - 1), 16, 16});
        std::vector<std::pair<Point, std::string>> texts{{{2, 1}, "Points: " + std::to_string(points)},
                                                         {{150, 340}, tableLine(scene.scores[0])}};
        for (int i = 1; i < TableSize; ++i)
            texts.push_back({{150, 340 + 12 * i}, "0 "});
        if (game.GameOver) {
            texts.push_back({{130, 130}, end});
            texts.push_back({{130, 146}, "Bonus: 5000"});
        }
        for (const auto& [at, text] : texts)
            expected.drawText(at, text);
        EXPECT_TRUE(frame == expected);
        EXPECT_EQ(hash(frame), frameHash) << std::hex << "0x" << hash(frame);
    }
}

} // namespace
} // namespace tilzo
