// The rules: one example each on a board written as text rows, the fuzzer's seeds checked step by step by
// the model in tests/support/RulesPlay.h, then the deal.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/Rows.h"
#include "tests/support/RulesPlay.h"
#include "tests/support/ScoreFileCheck.h"

using namespace tilzo;
using support::Rows;

// A left click at (column, row) on the board before: the board after, the points, and whether it ended.
TEST(Rules, OneExampleARule)
{
    const std::tuple<const char*, Rows, int, int, Rows, int> examples[] = {
        {"a group of n scores 5n(n-1)", {"1", "11", "11122"}, 0, 15, {"22"}, 5 * 6 * 5},
        {"a lone block stays", {"1", "22", "3322"}, 0, 13, {"1", "22", "3322"}, 0},
        {"blocks fall", {"3", "25", "1144"}, 0, 15, {"3", "2544"}, 10},
        {"empty columns close to the left", {"2..3", "2113"}, 1, 15, {"23", "23"}, 10},
        {"each vanished colour earns 5000", {"1233"}, 2, 15, {"12"}, 10 + 3 * 5000},
    };
    for (const auto& [rule, before, column, row, after, points] : examples) {
        SCOPED_TRACE(rule);
        Random random;
        Game game{random};
        support::setBoard(game, before);
        EXPECT_EQ(game.Play(column, row), points > 5000);
        EXPECT_EQ(game.GameOver, points > 5000);
        EXPECT_EQ(support::boardRows(game), support::fullRows(after));
        EXPECT_EQ(game.Points, points);
    }
}

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
