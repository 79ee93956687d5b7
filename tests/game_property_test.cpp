#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "tests/game_board.h"

namespace tilzo {
namespace {

using test::Rows;

// The cell at (c, r); off the board, an empty one.
char at(const Rows& rows, int c, int r)
{
    return c >= 0 && c < BoardSize && r >= 0 && r < BoardSize ? rows[r][c] : '.';
}

// Clears the group holding (c, r) and returns its size: a recursive walk, unlike the game's work list.
int clearGroup(Rows& rows, int c, int r, char code)
{
    if (code == '.' || at(rows, c, r) != code) return 0;
    rows[r][c] = '.';
    return 1 + clearGroup(rows, c - 1, r, code) + clearGroup(rows, c + 1, r, code) +
           clearGroup(rows, c, r - 1, code) + clearGroup(rows, c, r + 1, code);
}

// Each column's blocks at its bottom in their order, occupied columns packed to the left.
Rows settled(const Rows& rows)
{
    Rows result(BoardSize, std::string(BoardSize, '.'));
    for (int c = 0, target = 0; c < BoardSize; ++c) {
        std::string blocks;
        for (const std::string& row : rows) {
            if (row[c] != '.') blocks += row[c];
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) result[BoardSize - blocks.size() + i][target] = blocks[i];
        target += !blocks.empty();
    }
    return result;
}

std::vector<std::pair<int, int>> pairedBlocks(const Rows& rows)
{
    std::vector<std::pair<int, int>> blocks;
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            const char code = rows[r][c];
            if (code != '.' && (at(rows, c - 1, r) == code || at(rows, c + 1, r) == code || at(rows, c, r - 1) == code ||
                                at(rows, c, r + 1) == code))
                blocks.emplace_back(c, r);
        }
    }
    return blocks;
}

int absentColours(const Rows& rows)
{
    const std::string all = std::accumulate(rows.begin(), rows.end(), std::string());
    int absent = 0;
    for (char code = '1'; code < '1' + ColourCount; ++code) absent += all.find(code) == all.npos;
    return absent;
}

TEST(Property, RemovalSettlingAndEndAgreeWithIndependentRules)
{
    Random random;
    random.seed(31337);
    Game game(random);
    std::mt19937 pick(4242);
    for (int trial = 0; trial < 3000; ++trial) {
        SCOPED_TRACE(trial);
        // Fewer colours make large groups, holes and blank columns unsettled boards,
        // and a coloured guard shows any read of it.
        game.NewGame();
        const int colours = 1 + trial % ColourCount;
        std::bernoulli_distribution hole(trial / ColourCount % 3 * 0.2);
        std::bernoulli_distribution blankColumn(trial % 7 * 0.1);
        for (int c = 0; c < BoardSize; ++c) {
            const bool blank = blankColumn(pick);
            for (int r = 0; r < BoardSize; ++r) game.Map[c][r] = blank || hole(pick) ? 0 : (game.Map[c][r] - 1) % colours + 1;
        }
        const std::uint8_t guard = trial % 2;
        test::fillGuard(game, guard);

        for (int click = 0;; ++click) {
            const Rows before = test::boardRows(game);
            const auto paired = pairedBlocks(before);
            // Mostly a move; now and then any cell, those around the board included.
            const auto [x, y] = click % 4 == 3 || paired.empty() ? std::pair(int(pick() % 18) - 1, int(pick() % 18) - 1)
                                                                 : paired[pick() % paired.size()];
            const std::int32_t points = game.Points;
            const std::pair undo(test::rowsOf(game.UndoMap), game.UndoPoints);

            game.RemoveBlocks(x, y);

            Rows expected = before;
            const int n = clearGroup(expected, x, y, at(before, x, y));
            if (n < 2) expected = before;
            ASSERT_EQ(test::boardRows(game), expected) << x << ',' << y;
            ASSERT_EQ(game.Points, points + 5 * (n - 1) * n);
            ASSERT_EQ(std::pair(test::rowsOf(game.UndoMap), game.UndoPoints), n > 1 ? std::pair(before, points) : undo);

            game.DropBlocks();
            const Rows dropped = test::boardRows(game);
            ASSERT_EQ(dropped, settled(expected));
            game.DropBlocks();
            ASSERT_EQ(test::boardRows(game), dropped);
            ASSERT_TRUE(test::guardHolds(game, guard));

            // Bonus is 0 until the game ends, the last round here.
            const std::int32_t score = game.Points;
            const bool moveLeft = game.checkmoves();
            const std::int32_t bonus = moveLeft ? 0 : ClearBonus * absentColours(dropped);
            ASSERT_EQ(moveLeft, !pairedBlocks(dropped).empty());
            ASSERT_EQ(std::pair(game.Bonus, game.Points), std::pair(bonus, score + bonus));
            if (!moveLeft) break;
        }
    }
}

} // namespace
} // namespace tilzo
