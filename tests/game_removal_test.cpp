#include <gtest/gtest.h>

#include "game/Game.h"
#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::boardRows;
using test::fullRows;
using test::Rows;
using test::setBoard;
using test::undoRows;

class Removal : public ::testing::Test {
protected:
    Random random;
    Game game{random};
};

TEST_F(Removal, LoneBlockChangesNothingAndKeepsTheOldSnapshot)
{
    setBoard(game, {"12", "21"});
    game.Points = 70;
    game.UndoMap[9][9] = 3;
    game.UndoPoints = 40;
    game.RemoveBlocks(0, 15);
    EXPECT_EQ(boardRows(game), fullRows({"12", "21"}));
    EXPECT_EQ(game.Points, 70);
    EXPECT_EQ(game.UndoMap[9][9], 3);
    EXPECT_EQ(game.UndoPoints, 40);
}

TEST_F(Removal, LineScoresFiveTimesNMinusOneTimesN)
{
    const std::pair<int, int> table[] = {{2, 10}, {3, 30}, {4, 60}, {5, 100}, {10, 450}, {15, 1050}};
    for (auto [blocks, points] : table) {
        setBoard(game, {std::string(blocks, '4') + "1"});
        game.Points = 5;
        game.RemoveBlocks(blocks - 1, 15);
        EXPECT_EQ(boardRows(game), fullRows({std::string(blocks, '.') + "1"})) << blocks;
        EXPECT_EQ(game.Points, 5 + points) << blocks;
    }
}

TEST_F(Removal, SquareCountsEachCellOnce)
{
    setBoard(game, {"332", "332"});
    game.RemoveBlocks(1, 14);
    EXPECT_EQ(boardRows(game), fullRows({"..2", "..2"}));
    EXPECT_EQ(game.Points, 60);
}

TEST_F(Removal, DiagonalContactIsTwoGroups)
{
    setBoard(game, {"11.", "..11", "...1"});
    game.RemoveBlocks(3, 15);
    EXPECT_EQ(boardRows(game), fullRows({"11.", "....", "...."}));
    EXPECT_EQ(game.Points, 30);
}

TEST_F(Removal, LAndRingShapesGoWholeLeavingWhatTheyEnclose)
{
    setBoard(game, {"5.......",
                    "5..22222",
                    "5..24.32",
                    "5..22222",
                    "55555..."});
    game.RemoveBlocks(0, 11);
    game.RemoveBlocks(5, 14);
    EXPECT_EQ(boardRows(game), fullRows({"........",
                                          "........",
                                          "....4.3.",
                                          "........",
                                          "........"}));
    EXPECT_EQ(game.Points, 5 * 8 * 9 + 5 * 11 * 12);
}

TEST_F(Removal, EdgeGroupsGoWholeWithoutReachingTheGuard)
{
    // Guard cells of the group's colour would be taken if the walk looked at them.
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = 3;
    setBoard(game, {std::string(BoardSize, '3'), "3..............3"});
    game.RemoveBlocks(15, 14);
    EXPECT_EQ(boardRows(game), fullRows({}));
    EXPECT_EQ(game.Points, 5 * 17 * 18);
    for (int i = 0; i < MapSize; ++i) {
        EXPECT_EQ(game.Map[BoardSize][i], 3);
        EXPECT_EQ(game.Map[i][BoardSize], 3);
    }
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = 0;

    Rows frame(BoardSize, "3..............3");
    frame.front() = frame.back() = std::string(BoardSize, '3');
    setBoard(game, frame);
    game.Points = 0;
    game.RemoveBlocks(0, 0);
    EXPECT_EQ(boardRows(game), fullRows({}));
    EXPECT_EQ(game.Points, 5 * 59 * 60);
    EXPECT_TRUE(test::guardClear(game));
}

TEST_F(Removal, SnapshotHoldsTheBoardAndScoreFromBeforeTheMove)
{
    setBoard(game, {"21", "11"});
    game.Points = 100;
    game.RemoveBlocks(1, 15);
    EXPECT_EQ(undoRows(game), fullRows({"21", "11"}));
    EXPECT_EQ(game.UndoPoints, 100);
    EXPECT_EQ(game.Points, 130);
}

TEST_F(Removal, GroupOf225)
{
    Rows board(BoardSize, std::string(BoardSize - 1, '1') + "2");
    board.back() = std::string(BoardSize, '2');
    setBoard(game, board);
    game.RemoveBlocks(7, 7);
    Rows expected(BoardSize, std::string(BoardSize - 1, '.') + "2");
    expected.back() = std::string(BoardSize, '2');
    EXPECT_EQ(boardRows(game), expected);
    EXPECT_EQ(game.Points, 5 * 224 * 225);
}

TEST_F(Removal, WholeBoardGroupOf256)
{
    setBoard(game, Rows(BoardSize, std::string(BoardSize, '4')));
    game.RemoveBlocks(15, 15);
    EXPECT_EQ(boardRows(game), fullRows({}));
    EXPECT_EQ(game.Points, 5 * 255 * 256);
    EXPECT_TRUE(test::guardClear(game));
}

TEST_F(Removal, EmptyOrOutsideCellOrFinishedGameIsLeftAlone)
{
    setBoard(game, {"11", "11"});
    game.RemoveBlocks(5, 15);
    game.RemoveBlocks(-1, 15);
    game.RemoveBlocks(16, 15);
    game.RemoveBlocks(0, 16);
    game.GameOver = true;
    game.RemoveBlocks(0, 15);
    EXPECT_EQ(boardRows(game), fullRows({"11", "11"}));
    EXPECT_EQ(game.Points, 0);
    EXPECT_EQ(undoRows(game), fullRows({}));
}

} // namespace
} // namespace tilzo
