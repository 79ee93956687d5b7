#include <gtest/gtest.h>

#include "game/Game.h"
#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::Rows;
using test::setBoard;

// All five colours, no two equal codes touching.
Rows noMoveBoard()
{
    Rows rows(BoardSize, std::string(BoardSize, '.'));
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) rows[r][c] = static_cast<char>('1' + (c + 2 * r) % ColourCount);
    }
    return rows;
}

class EndOfGame : public ::testing::Test {
protected:
    Random random;
    Game game{random};
};

TEST_F(EndOfGame, AnyTouchingPairIsAMove)
{
    const std::pair<int, int> pairs[][2] = {
        {{15, 3}, {15, 4}},   // within column 15
        {{8, 15}, {9, 15}},   // within row 15
        {{0, 0}, {1, 0}},
        {{0, 0}, {0, 1}},
        {{15, 15}, {14, 15}},
    };
    for (const auto& pair : pairs) {
        setBoard(game, noMoveBoard());
        game.Map[pair[1].first][pair[1].second] = game.Map[pair[0].first][pair[0].second];
        game.Points = 10;
        game.Bonus = 0;
        EXPECT_TRUE(game.checkmoves());
        EXPECT_EQ(game.Points, 10);
        EXPECT_EQ(game.Bonus, 0);
    }
}

TEST_F(EndOfGame, AllColoursLeftAddsNoBonusButStillAddsBonusToPoints)
{
    setBoard(game, noMoveBoard());
    game.Points = 300;
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 0);
    EXPECT_EQ(game.Points, 300);

    game.Bonus = 5000;
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 5000);
    EXPECT_EQ(game.Points, 5300);
}

TEST_F(EndOfGame, DiagonalOnlyBoardHasNoMove)
{
    setBoard(game, {"1.1", ".1.", "3.3", ".3"});
    game.Points = 50;
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 3 * ClearBonus);
    EXPECT_EQ(game.Points, 50 + 3 * ClearBonus);
}

TEST_F(EndOfGame, EmptyBoardEarnsAllFiveBonuses)
{
    setBoard(game, {});
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 5 * ClearBonus);
    EXPECT_EQ(game.Points, 5 * ClearBonus);
}

TEST_F(EndOfGame, EachCallAddsTheBonusToBonusThenAllOfBonusToPoints)
{
    setBoard(game, {"13"});
    game.Points = 100;
    game.Bonus = 1000;
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 1000 + 3 * ClearBonus);
    EXPECT_EQ(game.Points, 100 + 1000 + 3 * ClearBonus);
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 1000 + 6 * ClearBonus);
    EXPECT_EQ(game.Points, 100 + 1000 + 3 * ClearBonus + 1000 + 6 * ClearBonus);
}

TEST_F(EndOfGame, GuardCellsAreNeverAPair)
{
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = 4;
    setBoard(game, {std::string(BoardSize - 1, '.') + "4", "4"});
    game.Map[15][0] = 4;
    EXPECT_FALSE(game.checkmoves());
    EXPECT_EQ(game.Bonus, 4 * ClearBonus);
}

} // namespace
} // namespace tilzo
