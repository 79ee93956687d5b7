#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "game/Game.h"

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace tilzo {
namespace {

// The first cell, column by column, whose block has a neighbour of its colour.
bool firstMove(const Game& game, int& x, int& y)
{
    for (x = 0; x < BoardSize; ++x) {
        for (y = 0; y < BoardSize; ++y) {
            const std::uint8_t code = game.Map[x][y];
            if (code != 0 && (game.Map[x + 1][y] == code || game.Map[x][y + 1] == code)) return true;
        }
    }
    return false;
}

TEST(Allocation, CounterSeesAllocations)
{
    const long before = allocations.load();
    int* volatile block = new int(1);  // volatile: the optimiser may not pair it away
    delete block;
    EXPECT_EQ(allocations.load(), before + 1);
}

TEST(Allocation, MovesAndUndoAllocateNothing)
{
    Random random;
    random.seed(5);
    Game game(random);
    long during = 0;
    int moves = 0;
    for (int round = 0; round < 50; ++round) {
        game.NewGame();
        if (round % 10 == 0) {
            // One colour everywhere: the whole-board group.
            for (int c = 0; c < BoardSize; ++c) {
                for (int r = 0; r < BoardSize; ++r) game.Map[c][r] = 1;
            }
        }
        const long before = allocations.load();
        int x = 0;
        int y = 0;
        while (firstMove(game, x, y)) {
            game.RemoveBlocks(x, y);
            game.DropBlocks();
            game.RestoreUndo();
            game.RemoveBlocks(x, y);
            game.DropBlocks();
            game.checkmoves();
            ++moves;
        }
        during += allocations.load() - before;
    }
    EXPECT_GT(moves, 500);
    EXPECT_EQ(during, 0);
}

} // namespace
} // namespace tilzo
