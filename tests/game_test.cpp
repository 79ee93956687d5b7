// The rules: seeded random play and the fuzzer's seeds, every step checked by the model in
// fuzz/RulesPlay.h, then what play cannot show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "fuzz/RulesPlay.h"

using namespace tilzo;
using Input = std::vector<std::uint8_t>;

// Seeded random play: fewer colours make large groups and games that end. Clicks fall low on the board, where
// a settled board's blocks are; now and then an undo, a new game or a click off the board. Then the fuzzer's
// seeds.
TEST(Rules, RandomPlayAndTheFuzzSeedsAgreeWithTheModel)
{
    std::vector<Input> inputs;
    std::mt19937 pick(4242);
    for (int trial = 0; trial < 600; ++trial) {
        Input& input
            = inputs.emplace_back(BoardSize * BoardSize + 500 + trial % 6); // the length seeds new deals
        for (std::size_t i = 0; i < input.size(); ++i) // the board, then steps: what, then where
            input[i] = i < 256       ? 1 + pick() % (1 + trial % ColourCount)
                       : i % 2       ? 0x80 | pick()
                       : pick() % 64 ? 0
                                     : 5 + pick() % 3 + 8 * (pick() % 4);
    }
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_rules")) {
        std::ifstream file(seed.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    for (const Input& input : inputs)
        fuzz::Play(input.data(), input.size());
}

// A deal fills the 256 cells, spread evenly over the five colours, and leaves the guard alone.
TEST(Rules, ADealUsesEveryColourAlike)
{
    Random random; // seeded alike every run
    Game game(random);
    int shares[256] = {};
    for (int deal = 0; deal < 400; ++deal) {
        game.NewGame();
        for (const auto& column : game.Map)
            for (const std::uint8_t code : column)
                ++shares[code];
    }
    EXPECT_EQ(shares[0], 400 * (MapSize * MapSize - 256)); // the guard column and row
    for (int code = 1; code <= ColourCount; ++code)
        EXPECT_NEAR(shares[code], 400 * 256 / 5, 600);
    EXPECT_EQ(std::count(shares + ColourCount + 1, shares + 256, 0), 256 - ColourCount - 1);
}
