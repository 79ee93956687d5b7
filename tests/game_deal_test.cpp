#include <gtest/gtest.h>

#include <cmath>

#include "game/Game.h"
#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::drawFor;
using test::ScriptedRandom;

TEST(Deal, FillsThePlayAreaWithCodesOneToFiveAndLeavesTheGuardEmpty)
{
    Random random;
    random.seed(7);
    Game game(random);
    for (int deal = 0; deal < 200; ++deal) {
        game.CreateRndMap();
        for (int c = 0; c < BoardSize; ++c) {
            for (int r = 0; r < BoardSize; ++r) {
                ASSERT_GE(game.Map[c][r], 1);
                ASSERT_LE(game.Map[c][r], ColourCount);
            }
        }
        ASSERT_TRUE(test::guardClear(game));
    }
}

TEST(Deal, DrawsColumnByColumnEachFromTheTop)
{
    // Deal d turns draw k into base-5 digit d of k; four deals name every draw.
    std::vector<double> script;
    for (int digit = 0, scale = 1; digit < 4; ++digit, scale *= ColourCount) {
        for (int k = 0; k < BoardSize * BoardSize; ++k) {
            script.push_back(drawFor(k / scale % ColourCount + 1));
        }
    }
    ScriptedRandom random(script);
    Game game(random);
    int drawIndex[BoardSize][BoardSize] = {};
    for (int digit = 0, scale = 1; digit < 4; ++digit, scale *= ColourCount) {
        game.CreateRndMap();
        EXPECT_EQ(random.draws, static_cast<std::size_t>(BoardSize * BoardSize * (digit + 1)));
        for (int c = 0; c < BoardSize; ++c) {
            for (int r = 0; r < BoardSize; ++r) drawIndex[c][r] += (game.Map[c][r] - 1) * scale;
        }
    }
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) EXPECT_EQ(drawIndex[c][r], c * BoardSize + r);
    }
}

TEST(Deal, ExtremeDrawsGiveTheFirstAndLastColour)
{
    ScriptedRandom nearOne({std::nextafter(1.0, 0.0)});
    Game high(nearOne);
    high.CreateRndMap();
    EXPECT_EQ(test::boardRows(high), test::Rows(BoardSize, std::string(BoardSize, '5')));

    ScriptedRandom zero({0.0});
    Game low(zero);
    low.CreateRndMap();
    EXPECT_EQ(test::boardRows(low), test::Rows(BoardSize, std::string(BoardSize, '1')));
}

TEST(Deal, EachColourFillsAboutOneFifth)
{
    Random random;
    random.seed(2024);
    Game game(random);
    long counts[ColourCount + 1] = {};
    const int deals = 400;
    for (int deal = 0; deal < deals; ++deal) {
        game.CreateRndMap();
        for (int c = 0; c < BoardSize; ++c) {
            for (int r = 0; r < BoardSize; ++r) ++counts[game.Map[c][r]];
        }
    }
    for (int code = 1; code <= ColourCount; ++code) {
        const double share = static_cast<double>(counts[code]) / (deals * BoardSize * BoardSize);
        EXPECT_NEAR(share, 0.2, 0.01) << "colour " << code;
    }
}

// Records the game's state when the deal draws its first number.
class WatchingRandom : public Random {
public:
    double next() override
    {
        if (game != nullptr && !seen) {
            seen = true;
            gameOverAtDeal = game->GameOver;
            pointsAtDeal = game->Points;
            bonusAtDeal = game->Bonus;
        }
        return drawFor(2);
    }

    const Game* game = nullptr;
    bool seen = false;
    bool gameOverAtDeal = true;
    std::int32_t pointsAtDeal = 0;
    std::int32_t bonusAtDeal = 0;
};

TEST(NewGame, ReopensTheGameDealsThenClearsScoreAndBonusAndKeepsTheSnapshot)
{
    WatchingRandom random;
    Game game(random);
    random.game = &game;
    game.GameOver = true;
    game.Points = 1234;
    game.Bonus = 10000;
    game.UndoMap[0][15] = 5;
    game.UndoPoints = 90;

    game.NewGame();

    EXPECT_FALSE(random.gameOverAtDeal);
    EXPECT_EQ(random.pointsAtDeal, 1234);
    EXPECT_EQ(random.bonusAtDeal, 10000);
    EXPECT_EQ(test::boardRows(game), test::Rows(BoardSize, std::string(BoardSize, '2')));
    EXPECT_FALSE(game.GameOver);
    EXPECT_EQ(game.Points, 0);
    EXPECT_EQ(game.Bonus, 0);
    EXPECT_EQ(game.UndoMap[0][15], 5);
    EXPECT_EQ(game.UndoPoints, 90);
}

TEST(Random, SameSeedSameSequenceAlwaysBelowOne)
{
    Random a;
    Random b;
    a.seed(99);
    b.seed(99);
    for (int i = 0; i < 100000; ++i) {
        const double u = a.next();
        ASSERT_EQ(u, b.next());
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

} // namespace
} // namespace tilzo
