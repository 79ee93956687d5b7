#include <gtest/gtest.h>

#include "game/Game.h"
#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::boardRows;
using test::fullRows;
using test::Rows;
using test::setBoard;

class Settling : public ::testing::Test {
protected:
    Rows dropped(const Rows& rows)
    {
        setBoard(game, rows);
        game.DropBlocks();
        return boardRows(game);
    }

    Random random;
    Game game{random};
};

TEST_F(Settling, SettledBoardsStayAsTheyAre)
{
    Rows full(BoardSize, std::string(BoardSize, '1'));
    for (int r = 0; r < BoardSize; ++r) full[r][r] = '2';
    EXPECT_EQ(dropped(full), full);
    EXPECT_EQ(dropped({"3", "45", "123"}), fullRows({"3", "45", "123"}));
    EXPECT_EQ(dropped({}), fullRows({}));
}

TEST_F(Settling, BlocksFallInTheirOrder)
{
    Rows column = fullRows({});
    column[11][0] = '1';
    column[13][0] = '3';
    column[0][1] = '5';
    column[0][2] = '2';
    column[3][2] = '4';
    column[4][2] = '1';
    column[9][2] = '3';
    EXPECT_EQ(dropped(column), fullRows({"..2", "..4", "1.1", "353"}));
}

TEST_F(Settling, EmptyColumnsCloseToTheLeftInOrder)
{
    EXPECT_EQ(dropped({"..12345543212345"}), fullRows({"12345543212345"}));
    EXPECT_EQ(dropped({"1.2...3.4"}), fullRows({"1234"}));
    EXPECT_EQ(dropped({"3.", "1.5.......2....4"}), fullRows({"3", "1524"}));
}

TEST_F(Settling, FallsThenCloses)
{
    EXPECT_EQ(dropped({"1..4", "...", "2.3"}), fullRows({"1", "234"}));
}

TEST_F(Settling, NeverTouchesTheGuard)
{
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = 2;
    setBoard(game, {"2", ".", "2.2"});
    game.DropBlocks();
    EXPECT_EQ(boardRows(game), fullRows({"2", "22"}));
    for (int i = 0; i < MapSize; ++i) {
        EXPECT_EQ(game.Map[BoardSize][i], 2);
        EXPECT_EQ(game.Map[i][BoardSize], 2);
    }
}

} // namespace
} // namespace tilzo
