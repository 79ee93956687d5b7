#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/game/Game.h"

// Every heap allocation the program makes, so that WholeGame can show that play makes none.
static std::atomic<long> allocations{0};

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
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

// The first cell, column by column, whose block has a neighbour of its colour;
// the guard column and row are 0, so looking one past the edge finds nothing.
bool firstMove(const Game& game, int& x, int& y)
{
    for (x = 0; x < BoardSize; ++x) {
        for (y = 0; y < BoardSize; ++y) {
            const std::uint8_t code = game.Map[x][y];
            if (code != 0 && (game.Map[x + 1][y] == code || game.Map[x][y + 1] == code))
                return true;
        }
    }
    return false;
}

// One move as a left click runs it, then undone so every iteration starts alike.
void moveAndUndo(benchmark::State& state, Game& game, int x, int y)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.Play(x, y));
        game.RestoreUndo();
        game.Bonus = 0;
        benchmark::ClobberMemory();
    }
}

void OrdinaryMove(benchmark::State& state)
{
    Random random;
    random.seed(1);
    Game game(random);
    game.NewGame();
    int x = 0;
    int y = 0;
    firstMove(game, x, y);
    moveAndUndo(state, game, x, y);
}
BENCHMARK(OrdinaryMove);

void WholeBoardMove(benchmark::State& state)
{
    Random random;
    Game game(random);
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = 0; r < BoardSize; ++r)
            game.Map[c][r] = 1;
    }
    moveAndUndo(state, game, BoardSize - 1, BoardSize - 1);
}
BENCHMARK(WholeBoardMove);

// A new deal played to its end, always taking the first group found; it allocates nothing.
void WholeGame(benchmark::State& state)
{
    Random random;
    random.seed(2);
    Game game(random);
    long moves = 0;
    long allocated = 0;
    for (auto _ : state) {
        const long before = allocations;
        game.NewGame();
        int x = 0;
        int y = 0;
        while (firstMove(game, x, y)) {
            game.Play(x, y);
            ++moves;
        }
        allocated += allocations - before;
        benchmark::DoNotOptimize(game.Points);
    }
    state.counters["moves/game"]
        = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kAvgIterations);
    state.counters["allocations/game"]
        = benchmark::Counter(static_cast<double>(allocated), benchmark::Counter::kAvgIterations);
}
BENCHMARK(WholeGame);

} // namespace
} // namespace tilzo
