#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>

#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::fullRows;
using test::Rows;

TEST(Deal, SeededCodesOneToFiveInAboutEqualSharesGuardLeftEmpty)
{
    Random random;
    Random other;
    random.seed(2024);
    other.seed(2025);
    EXPECT_NE(random.next(), other.next());
    Game game(random);
    std::map<char, double> share;
    for (int deal = 0; deal < 400; ++deal) {
        game.CreateRndMap();
        ASSERT_TRUE(test::guardHolds(game, 0));
        for (const std::string& row : test::boardRows(game)) {
            for (char code : row) share[code] += 1.0 / (400 * BoardSize * BoardSize);
        }
    }
    ASSERT_EQ(share.size(), 5u);
    for (char code = '1'; code <= '5'; ++code) EXPECT_NEAR(share[code], 0.2, 0.01) << code;
}

struct ScriptedRandom : Random {
    double next() override { return draw(); }
    std::function<double()> draw;
};

TEST(NewGame, ReopensTheGameDealsColumnByColumnFromTheTopThenClearsTheScore)
{
    ScriptedRandom random;
    Game game(random);
    int draws = 0;
    // Draws alternate between the lowest and the highest value: colours 1 and 5.
    const auto dealtSoFar = [&] {
        for (int i = 0; i < BoardSize * BoardSize; ++i) {
            if (game.Map[i / BoardSize][i % BoardSize] != (i >= draws ? 0 : i % 2 ? 5 : 1)) return false;
        }
        return true;
    };
    bool inOrder = true;
    std::tuple<bool, std::int32_t, std::int32_t> duringDeal;
    random.draw = [&] {
        inOrder = inOrder && dealtSoFar();
        duringDeal = {game.GameOver, game.Points, game.Bonus};
        return draws++ % 2 ? std::nextafter(1.0, 0.0) : 0.0;
    };
    game.GameOver = true;
    game.Points = 1234;
    game.Bonus = 10000;
    game.NewGame();
    EXPECT_TRUE(inOrder && dealtSoFar());
    EXPECT_EQ(draws, BoardSize * BoardSize);
    EXPECT_EQ(duringDeal, std::tuple(false, 1234, 10000));
    EXPECT_EQ(std::tuple(game.GameOver, game.Points, game.Bonus), std::tuple(false, 0, 0));
}

// An n by n square of `inside` at the top left of a board of `outside`.
Rows square(int n, char inside, char outside)
{
    Rows rows(BoardSize, std::string(BoardSize, outside));
    for (int r = 0; r < n; ++r) rows[r].replace(0, n, n, inside);
    return rows;
}

TEST(Removal, GroupsGoWholeAfterTheSnapshotAndScoreFiveTimesNMinusOneTimesN)
{
    const struct { Rows board; int x, y; Rows after; int points; bool over = false; } cases[] = {
        {{"12", "21"}, 0, 15, {"12", "21"}, 0},  // lone block
        {{"441"}, 1, 15, {"..1"}, 10},
        {{"332", "332"}, 1, 14, {"..2", "..2"}, 60},
        {{"11.", "..11", "...1"}, 3, 15, {"11", "", ""}, 30},  // diagonal contact: two groups
        {{"5", "52", "5551"}, 0, 13, {".2", "...1"}, 100},
        {{"22222", "24.32", "22222"}, 4, 15, {".4.3", ""}, 660},
        {{"...............3", "3333333333333333"}, 15, 14, {}, 5 * 16 * 17},
        {square(15, '1', '2'), 7, 7, square(15, '.', '2'), 5 * 224 * 225},
        {square(16, '4', '.'), 15, 15, {}, 5 * 255 * 256},
        {{"11"}, 0, 15, {"11"}, 0, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(&test - cases);
        Random random;
        Game game(random);
        test::setBoard(game, test.board);
        const std::uint8_t guard = game.Map[test.x][test.y];
        test::fillGuard(game, guard);
        game.Points = 7;
        game.GameOver = test.over;
        game.RemoveBlocks(test.x, test.y);
        EXPECT_EQ(test::boardRows(game), fullRows(test.after));
        EXPECT_EQ(game.Points, 7 + test.points);
        EXPECT_EQ(test::rowsOf(game.UndoMap), fullRows(test.points ? test.board : Rows{}));
        EXPECT_EQ(game.UndoPoints, test.points ? 7 : 0);
        EXPECT_TRUE(test::guardHolds(game, guard));
    }
}

TEST(EndOfGame, PairsAndTheBonusEachCallAddsToBonusThenToPoints)
{
    const struct { Rows board; int absent; } cases[] = {  // absent: colours gone, or -1 while a move is left
        {{"...............1", "...............1"}, -1},
        {{"..............11"}, -1},
        {{"...............1", "1.1...........1.", ".1.3"}, 3},  // diagonal contact only, beside the guard
        {{"12345"}, 0},
        {{}, 5},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(&test - cases);
        Random random;
        Game game(random);
        test::setBoard(game, test.board);
        test::fillGuard(game, 1);
        game.Bonus = 1000;
        for (std::int32_t call = 1, bonus = 1000, points = 0; call <= 2; ++call) {
            EXPECT_EQ(game.checkmoves(), test.absent < 0);
            bonus += std::max(test.absent, 0) * ClearBonus;
            points += test.absent < 0 ? 0 : bonus;
            EXPECT_EQ(std::pair(game.Bonus, game.Points), std::pair(bonus, points));
        }
    }
}

TEST(Undo, OneLevelBackOnceThereIsASnapshotRefusedWhenOverForgottenByANewGame)
{
    Random random;
    Game game(random);
    const auto move = [&](int x, int y) {
        game.RemoveBlocks(x, y);
        game.DropBlocks();
    };
    const auto undoTwice = [&] {
        game.RestoreUndo();
        game.RestoreUndo();
        return std::pair(test::boardRows(game), game.Points);
    };
    game.NewGame();
    game.Points = 20;
    const auto dealt = std::pair(test::boardRows(game), 20);
    EXPECT_EQ(undoTwice(), dealt);
    test::setBoard(game, {"3", "2", "2", "113"});
    game.Points = 40;
    game.Bonus = 5000;
    move(0, 12);  // a lone block takes no snapshot
    EXPECT_EQ(undoTwice(), std::pair(fullRows({"3", "2", "2", "113"}), 40));
    move(0, 15);
    EXPECT_EQ(undoTwice(), std::pair(fullRows({"3", "2", "2", "113"}), 40));
    move(0, 14);
    move(0, 15);
    EXPECT_EQ(undoTwice(), std::pair(fullRows({"3", "113"}), 50));
    EXPECT_EQ(game.Bonus, 5000);
    move(0, 15);
    game.GameOver = true;
    EXPECT_EQ(undoTwice(), std::pair(fullRows({"33"}), 60));
    game.NewGame();
    const auto newDeal = std::pair(test::boardRows(game), 0);
    EXPECT_EQ(undoTwice(), newDeal);
}

} // namespace
} // namespace tilzo
