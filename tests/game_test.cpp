// The rules: the fuzzer's seeds checked step by step by the model in tests/support/RulesPlay.h, which
// works out each move, its points, the bonus and the undo from the board alone; a gap closing between any two
// columns; a group's size; the deal.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/game/NumberedDeals.h"
#include "tests/support/Rows.h"
#include "tests/support/RulesPlay.h"
#include "tests/support/ScoreFileCheck.h"

using namespace tilzo;

// What a press takes, counted before it: the page's hints and its words use it.
TEST(Rules, AGroupsSizeIsWhatAPressTakes)
{
    Random random;
    Game game{random};
    support::setBoard(game, {"1", "11", "11122", "34"});
    const std::tuple<int, int, int> sizes[]
        = {{0, 12, 6}, {3, 14, 2}, {0, 15, 1}, {1, 15, 1}, {5, 5, 0}, {16, 0, 0}};
    for (const auto& [column, row, size] : sizes)
        EXPECT_EQ(game.GroupSize(column, row), size) << column << ',' << row;
    game.GameOver = true;
    EXPECT_EQ(game.GroupSize(0, 12), 6);
}

// An emptied column closes between any two columns, the last two too.
TEST(Rules, AGapClosesBetweenAnyTwoColumns)
{
    Random random;
    Game game{random};
    for (int c = 0; c + 1 < BoardSize; ++c) {
        const std::string left(c, '3');
        support::setBoard(game, {std::string(c, '.') + "1", left + "12"});
        game.GameOver = false; // the last board's game ended
        game.Play(c, 15);
        EXPECT_EQ(support::boardRows(game), support::fullRows({left + "2"})) << "column " << c;
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
