// The rules: the fuzzer's seeds checked step by step by the model in tests/support/RulesPlay.h; then the
// deal.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/RulesPlay.h"
#include "tests/support/ScoreFileCheck.h"

using namespace tilzo;

// The fuzzer's seeds, each played step by step against the model (make fuzz plays far more).
TEST(Rules, TheFuzzSeedsPlayAsTheModelSays)
{
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_rules")) {
        const std::string input = support::readFile(seed.path());
        support::Play(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
}

// A deal fills the 256 cells, spread evenly over the five colours, and leaves the guard alone.
TEST(Rules, ADealUsesEveryColourAlike)
{
    Random random;
    Game game{random};
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
