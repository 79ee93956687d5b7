#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "game/Game.h"

static std::atomic<long> allocations{0};

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

// Not inlined: GCC would otherwise pair free() with the new-expression and warn.
[[gnu::noinline]] void operator delete(void* block) noexcept
{
    std::free(block);
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace tilzo {
namespace {

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
    int moves = 0;
    const long before = allocations.load();
    for (int round = 0; round < 50; ++round) {
        game.NewGame();
        for (int c = 0; round % 10 == 0 && c < BoardSize; ++c) std::fill_n(game.Map[c], BoardSize, 1);  // one group
        // A click on every cell, column by column, in turn: those on a group are moves.
        for (int cell = 0; cell < BoardSize * BoardSize; ++cell) {
            const std::int32_t points = game.Points;
            game.RemoveBlocks(cell / BoardSize, cell % BoardSize);
            moves += game.Points != points;
            game.DropBlocks();
            game.RestoreUndo();
            game.RemoveBlocks(cell / BoardSize, cell % BoardSize);
            game.DropBlocks();
            game.checkmoves();
        }
    }
    EXPECT_GT(moves, 500);
    EXPECT_EQ(allocations.load() - before, 0);
}

} // namespace
} // namespace tilzo
