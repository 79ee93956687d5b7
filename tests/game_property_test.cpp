#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "game/Game.h"
#include "tests/game_board.h"

namespace tilzo {
namespace {

using Board = std::array<std::array<std::uint8_t, MapSize>, MapSize>;

Board copyOf(const Game& game)
{
    Board board;
    std::memcpy(board.data(), game.Map, sizeof game.Map);
    return board;
}

// Depth-first with a visited grid: a different walk from the game's own.
std::vector<std::pair<int, int>> floodFill(const Board& board, int x, int y)
{
    bool seen[BoardSize][BoardSize] = {};
    std::vector<std::pair<int, int>> group;
    std::vector<std::pair<int, int>> stack{{x, y}};
    seen[x][y] = true;
    while (!stack.empty()) {
        const auto [c, r] = stack.back();
        stack.pop_back();
        group.emplace_back(c, r);
        const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : steps) {
            const int nc = c + step[0];
            const int nr = r + step[1];
            if (nc < 0 || nc >= BoardSize || nr < 0 || nr >= BoardSize) continue;
            if (seen[nc][nr] || board[nc][nr] != board[x][y]) continue;
            seen[nc][nr] = true;
            stack.emplace_back(nc, nr);
        }
    }
    return group;
}

// Each column's blocks at its bottom in their order, occupied columns packed to the left.
Board settled(const Board& board)
{
    Board result{};
    int target = 0;
    for (int c = 0; c < BoardSize; ++c) {
        std::vector<std::uint8_t> blocks;
        for (int r = 0; r < BoardSize; ++r) {
            if (board[c][r] != 0) blocks.push_back(board[c][r]);
        }
        if (blocks.empty()) continue;
        for (std::size_t i = 0; i < blocks.size(); ++i) result[target][BoardSize - blocks.size() + i] = blocks[i];
        ++target;
    }
    return result;
}

bool anyPair(const Board& board)
{
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r) {
            if (board[c][r] == 0) continue;
            if (c + 1 < BoardSize && board[c + 1][r] == board[c][r]) return true;
            if (r + 1 < BoardSize && board[c][r + 1] == board[c][r]) return true;
        }
    }
    return false;
}

int absentColours(const Board& board)
{
    int absent = 0;
    for (int code = 1; code <= ColourCount; ++code) {
        bool found = false;
        for (int c = 0; c < BoardSize; ++c) {
            for (int r = 0; r < BoardSize; ++r) found = found || board[c][r] == code;
        }
        if (!found) ++absent;
    }
    return absent;
}

TEST(Property, RemovalSettlingAndEndAgreeWithIndependentRules)
{
    Random random;
    random.seed(31337);
    Game game(random);
    std::mt19937 pick(4242);
    const double holeShares[] = {0.0, 0.0, 0.1, 0.4};

    for (int trial = 0; trial < 3000; ++trial) {
        SCOPED_TRACE(trial);
        // Fewer colours make large groups; holes make unsettled boards.
        game.NewGame();
        const int colours = 1 + trial % ColourCount;
        const double holes = holeShares[trial / ColourCount % 4];
        std::bernoulli_distribution hole(holes);
        for (int c = 0; c < BoardSize; ++c) {
            for (int r = 0; r < BoardSize; ++r) {
                game.Map[c][r] = hole(pick) ? 0 : static_cast<std::uint8_t>((game.Map[c][r] - 1) % colours + 1);
            }
        }

        for (int click = 0; click < 6; ++click) {
            const Board before = copyOf(game);
            std::vector<std::pair<int, int>> occupied;
            for (int c = 0; c < BoardSize; ++c) {
                for (int r = 0; r < BoardSize; ++r) {
                    if (before[c][r] != 0) occupied.emplace_back(c, r);
                }
            }
            if (occupied.empty()) break;
            const auto [x, y] = occupied[pick() % occupied.size()];
            const auto group = floodFill(before, x, y);
            const int n = static_cast<int>(group.size());
            const std::int32_t points = game.Points;
            std::uint8_t undo[BoardSize][BoardSize];
            std::memcpy(undo, game.UndoMap, sizeof undo);
            const std::int32_t undoPoints = game.UndoPoints;

            game.RemoveBlocks(x, y);

            Board expected = before;
            if (n > 1) {
                for (const auto& [c, r] : group) expected[c][r] = 0;
            }
            ASSERT_EQ(copyOf(game), expected);
            ASSERT_EQ(game.Points, points + (n > 1 ? 5 * (n - 1) * n : 0));
            for (int c = 0; c < BoardSize; ++c) {
                for (int r = 0; r < BoardSize; ++r) {
                    ASSERT_EQ(game.UndoMap[c][r], n > 1 ? before[c][r] : undo[c][r]);
                }
            }
            ASSERT_EQ(game.UndoPoints, n > 1 ? points : undoPoints);

            game.DropBlocks();
            const Board dropped = copyOf(game);
            ASSERT_EQ(dropped, settled(expected));
            game.DropBlocks();
            ASSERT_EQ(copyOf(game), dropped);

            const std::int32_t bonus = game.Bonus;
            const std::int32_t score = game.Points;
            const bool moveLeft = game.checkmoves();
            ASSERT_EQ(moveLeft, anyPair(dropped));
            if (moveLeft) {
                ASSERT_EQ(game.Bonus, bonus);
                ASSERT_EQ(game.Points, score);
            } else {
                ASSERT_EQ(game.Bonus, bonus + ClearBonus * absentColours(dropped));
                ASSERT_EQ(game.Points, score + game.Bonus);
                break;
            }
        }
    }
}

} // namespace
} // namespace tilzo
