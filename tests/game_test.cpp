// The rules: one example each on a board written as text rows, the fuzzer's seeds checked step by step by
// the model in tests/support/RulesPlay.h, then the deal.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/Rows.h"
#include "tests/support/RulesPlay.h"
#include "tests/support/ScoreFileCheck.h"

using namespace tilzo;
using support::fullRows;

struct Rules : ::testing::Test {
    // The board after a left click at (column, row) on the board given.
    support::Rows click(const support::Rows& board, int column, int row)
    {
        support::setBoard(game, board);
        over = game.Play(column, row);
        return support::boardRows(game);
    }
    Random random;
    Game game{random};
    bool over = false;
};

TEST_F(Rules, AGroupOfNScoresFiveTimesNTimesNMinusOne)
{
    EXPECT_EQ(click({"1", "11", "11122"}, 0, 15), fullRows({"22"}));
    EXPECT_EQ(game.Points, 5 * 6 * 5);
}

TEST_F(Rules, ALoneBlockStays)
{
    EXPECT_EQ(click({"1", "22", "3322"}, 0, 13), fullRows({"1", "22", "3322"}));
    EXPECT_EQ(game.Points, 0);
}

TEST_F(Rules, BlocksFall)
{
    EXPECT_EQ(click({"3", "25", "1144"}, 0, 15), fullRows({"3", "2544"}));
}

TEST_F(Rules, EmptyColumnsCloseToTheLeft)
{
    EXPECT_EQ(click({"2..3", "2113"}, 1, 15), fullRows({"23", "23"}));
}

TEST_F(Rules, EachVanishedColourEarns5000)
{
    EXPECT_EQ(click({"1233"}, 2, 15), fullRows({"12"}));
    EXPECT_TRUE(over && game.GameOver);
    EXPECT_EQ(game.Points, 10 + 3 * 5000);
}

TEST_F(Rules, UndoRestoresBoardAndScore)
{
    game.Points = 40;
    click({"2", "11", "23"}, 0, 14);
    game.RestoreUndo();
    EXPECT_EQ(support::boardRows(game), fullRows({"2", "11", "23"}));
    EXPECT_EQ(game.Points, 40);
}

// The fuzzer's seeds, each played step by step against the model (make fuzz plays far more).
TEST_F(Rules, TheFuzzSeedsPlayAsTheModelSays)
{
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_rules")) {
        const std::string input = support::readFile(seed.path());
        support::Play(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
}

// A deal fills the 256 cells, spread evenly over the five colours, and leaves the guard alone.
TEST_F(Rules, ADealUsesEveryColourAlike)
{
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
