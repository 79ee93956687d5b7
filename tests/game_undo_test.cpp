#include <gtest/gtest.h>

#include "game/Game.h"
#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::boardRows;
using test::fullRows;
using test::Rows;
using test::setBoard;

class Undo : public ::testing::Test {
protected:
    void move(int x, int y)
    {
        game.RemoveBlocks(x, y);
        game.DropBlocks();
    }

    test::ScriptedRandom random{{test::drawFor(1), test::drawFor(2)}};
    Game game{random};
};

TEST_F(Undo, NothingToRestoreBeforeTheFirstSnapshot)
{
    game.NewGame();
    const Rows dealt = boardRows(game);
    game.Points = 20;
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), dealt);
    EXPECT_EQ(game.Points, 20);

    setBoard(game, {"12"});
    game.RemoveBlocks(0, 15);  // a lone block takes no snapshot
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"12"}));
    EXPECT_EQ(game.Points, 20);
}

TEST_F(Undo, RestoringTwiceGivesTheSameBoardAndScore)
{
    setBoard(game, {"2", "113"});
    game.Points = 40;
    move(0, 15);
    EXPECT_EQ(boardRows(game), fullRows({"23"}));
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"2", "113"}));
    EXPECT_EQ(game.Points, 40);
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"2", "113"}));
    EXPECT_EQ(game.Points, 40);
}

TEST_F(Undo, OneLevelOnlyBackToBeforeTheLatestMove)
{
    setBoard(game, {"2", "2", "113"});
    move(0, 15);
    game.RestoreUndo();
    move(0, 13);
    EXPECT_EQ(boardRows(game), fullRows({"113"}));
    move(0, 15);
    EXPECT_EQ(boardRows(game), fullRows({"3"}));
    EXPECT_EQ(game.Points, 20);
    game.RestoreUndo();
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"113"}));
    EXPECT_EQ(game.Points, 10);
}

TEST_F(Undo, NewGameKeepsTheLastSnapshot)
{
    setBoard(game, {"44"});
    game.Points = 80;
    move(0, 15);
    game.GameOver = true;
    game.NewGame();
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"44"}));
    EXPECT_EQ(game.Points, 80);
}

TEST_F(Undo, RefusedWhileTheGameIsOver)
{
    setBoard(game, {"55", "12"});
    move(0, 14);
    game.GameOver = true;
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"12"}));
    EXPECT_EQ(game.Points, 10);
}

TEST_F(Undo, RestoreTouchesOnlyBoardAndScore)
{
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = 1;
    setBoard(game, {"33"});
    move(1, 15);
    game.Bonus = 5000;
    game.RestoreUndo();
    EXPECT_EQ(boardRows(game), fullRows({"33"}));
    EXPECT_EQ(game.Bonus, 5000);
    EXPECT_FALSE(game.GameOver);
    EXPECT_EQ(test::undoRows(game), fullRows({"33"}));
    for (int i = 0; i < MapSize; ++i) {
        EXPECT_EQ(game.Map[BoardSize][i], 1);
        EXPECT_EQ(game.Map[i][BoardSize], 1);
    }
}

} // namespace
} // namespace tilzo
