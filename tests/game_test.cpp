// The rules: one example each on a board written as text rows; the fuzzer's seeds checked step by step by
// the model in tests/support/RulesPlay.h; then the deal.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/game/NumberedDeals.h"
#include "tests/support/Rows.h"
#include "tests/support/RulesPlay.h"
#include "tests/support/ScoreFileCheck.h"

using namespace tilzo;
using support::fullRows;

struct Rule : ::testing::Test {
    // The board and the points after a left click at (column, row) on the board before.
    std::pair<support::Rows, std::int32_t> play(const support::Rows& before, int column, int row)
    {
        support::setBoard(game, before);
        game.Play(column, row);
        return {support::boardRows(game), game.Points};
    }
    Random random;
    Game game{random};
};

TEST_F(Rule, AGroupOfNScoresFiveTimesNTimesNMinusOne)
{
    EXPECT_EQ(play({"1", "11", "11122"}, 0, 15), std::pair(fullRows({"22"}), 5 * 6 * 5));
}

TEST_F(Rule, ALoneBlockStays)
{
    EXPECT_EQ(play({"1", "22", "3322"}, 0, 13), std::pair(fullRows({"1", "22", "3322"}), 0));
}

TEST_F(Rule, BlocksFall)
{
    EXPECT_EQ(play({"3", "25", "1144"}, 0, 15).first, fullRows({"3", "2544"}));
}

TEST_F(Rule, EmptyColumnsCloseToTheLeft)
{
    EXPECT_EQ(play({"2..3", "2113"}, 1, 15).first, fullRows({"23", "23"}));
}

TEST_F(Rule, AGapClosesBetweenAnyTwoColumns)
{
    for (int c = 0; c + 1 < BoardSize; ++c) {
        const std::string left(c, '3');
        game.GameOver = false; // the last board's game ended
        EXPECT_EQ(play({std::string(c, '.') + "1", left + "12"}, c, 15).first, fullRows({left + "2"}))
            << "column " << c;
    }
}

TEST_F(Rule, EachVanishedColourEarns5000)
{
    play({"1233"}, 2, 15); // 3, 4 and 5 gone
    EXPECT_FALSE(game.Play(0, 15)); // once: the finished game takes no more moves
    EXPECT_EQ(std::tuple(game.GameOver, game.Points), std::tuple(true, 10 + 3 * 5000));
}

TEST_F(Rule, AGroupsSizeIsWhatAPressTakes)
{
    support::setBoard(game, {"1", "11", "11122", "34"});
    const std::tuple<int, int, int> sizes[]
        = {{0, 12, 6}, {3, 14, 2}, {0, 15, 1}, {1, 15, 1}, {5, 5, 0}, {16, 0, 0}};
    for (const auto [column, row, size] : sizes)
        EXPECT_EQ(game.GroupSize(column, row), size) << column << ',' << row;
    game.GameOver = true;
    EXPECT_EQ(game.GroupSize(0, 12), 6);
}

TEST_F(Rule, UndoRestoresBoardAndScore)
{
    game.Points = 40;
    play({"2", "11", "33"}, 0, 14);
    game.RestoreUndo();
    EXPECT_EQ(std::tuple(support::boardRows(game), game.Points), std::tuple(fullRows({"2", "11", "33"}), 40));
}

// The fuzzer's seeds, each played step by step against the model (make fuzz plays far more).
TEST(Rules, TheFuzzSeedsPlayAsTheModelSays)
{
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_rules")) {
        const std::string input = support::readFile(seed.path());
        support::Play(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
}

// A deal fills the 256 cells with the five colours alike and leaves the guard column and row alone.
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
    EXPECT_EQ(shares[0], 400 * (MapSize * MapSize - 256));
    for (int code = 1; code <= ColourCount; ++code)
        EXPECT_NEAR(shares[code], 400 * 256 / 5, 600);
}

// Board N is the same 256 cells on every system the suite runs on and in every version: two boards' cells
// are pinned here. Unless a number is chosen, the clock-seeded source picks one, and that number deals its
// board again.
TEST(Rules, ANumberedBoardIsTheSameEverywhere)
{
    NumberedDeals deals;
    Game game{deals};
    const auto cells = [&](std::uint32_t board) {
        EXPECT_TRUE(deals.dealNext(board));
        game.NewGame();
        std::uint64_t hash = 14695981039346656037u;
        for (int c = 0; c < BoardSize; ++c)
            for (int r = 0; r < BoardSize; ++r)
                hash = (hash ^ game.Map[c][r]) * 1099511628211u;
        return std::pair(deals.board(), hash);
    };
    EXPECT_EQ(cells(1), std::pair(1u, std::uint64_t(15289956989556452675u)));
    EXPECT_EQ(cells(NumberedDeals::LastBoard),
              std::pair(NumberedDeals::LastBoard, std::uint64_t(15788797622638276064u)));
    EXPECT_FALSE(deals.dealNext(0) || deals.dealNext(NumberedDeals::LastBoard + 1));
    deals.seed(7);
    game.NewGame();
    const support::Rows drawn = support::boardRows(game);
    const std::uint32_t number = deals.board();
    game.NewGame();
    EXPECT_NE(deals.board(), number);
    cells(number);
    EXPECT_EQ(support::boardRows(game), drawn);
}
