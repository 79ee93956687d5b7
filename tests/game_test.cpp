// The rules: seeded random play and the fuzzer's seeds, every step checked by the model in
// fuzz/RulesPlay.h, then what play cannot show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "fuzz/RulesPlay.h"

static long allocations = 0;  // no threads here

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

// Not inlined: GCC would otherwise pair free() with the new-expression and warn.
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { std::free(block); }

using namespace tilzo;
using Input = std::vector<std::uint8_t>;

// Seeded random play: fewer colours make large groups, holes and blank columns unsettled boards. Clicks lean
// to the bottom left, where a settled board's blocks are; now and then an undo, a click off the board or a new
// game. Then the fuzzer's seeds. Counting operator new around all of it shows that play never allocates.
TEST(Rules, RandomPlayAndTheFuzzSeedsAgreeWithTheModelAndAllocateNothing)
{
    std::vector<Input> inputs;
    std::mt19937 pick(4242);
    for (int trial = 0; trial < 600; ++trial) {
        std::bernoulli_distribution hole(trial / ColourCount % 3 * 0.2), blankColumn(trial % 7 * 0.1);
        Input& input = inputs.emplace_back(BoardSize * BoardSize + 500 + trial % 6);  // the length colours the guard
        for (int c = 0; c < BoardSize; ++c)
            for (int r = 0, blank = blankColumn(pick); r < BoardSize; ++r)
                input[c * BoardSize + r] = blank || hole(pick) ? 0 : 1 + pick() % (1 + trial % ColourCount);
        for (std::size_t i = BoardSize * BoardSize; i + 1 < input.size(); i += 2) {
            const unsigned kind = pick() % 128;
            input[i] = kind == 0 ? 7 : kind < 3 ? 6 : kind < 4 ? 5 + 8 * (pick() % 4) : 0;
            input[i + 1] = std::min(pick() % 16, pick() % 16) | std::max(pick() % 16, pick() % 16) << 4;
        }
    }
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_rules")) {
        std::ifstream file(seed.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const long before = allocations;
    ASSERT_GT(before, 0) << "operator new is not counted";
    for (const Input& input : inputs) fuzz::Play(input.data(), input.size());
    EXPECT_EQ(allocations - before, 0);
}

// Each seed, set or from the clock, draws its own values, spread evenly over the five colours.
TEST(Rules, DrawsAndEndChecksBesideTheGuard)
{
    Random random, other, clock, later;
    random.seed(2024), other.seed(2025), clock.seedFromClock(), later.seedFromClock();
    EXPECT_TRUE(random.next() != other.next() && clock.next() != later.next());
    int shares[ColourCount] = {};  // the play checks that every draw lies in [0, 1)
    for (int i = 0; i < 100000; ++i) ++shares[std::clamp(int(random.next() * ColourCount), 0, ColourCount - 1)];
    for (int share : shares) EXPECT_NEAR(share, 20000, 600);

    // Only a new game sets the bonus back: each end check adds the clear bonus to it, then all of it to the
    // score. The guard is coloured to show a read. A finished game takes no click, even on a group.
    Game game(random);
    for (int i = 0; i < MapSize; ++i) game.Map[BoardSize][i] = game.Map[i][BoardSize] = 1;
    game.Map[15][15] = game.Map[14][14] = 1;  // touching only at a corner
    game.Map[14][15] = 3;
    game.Bonus = 1000;
    EXPECT_TRUE(!game.checkmoves() && game.Bonus == 16000 && game.Points == 16000);
    EXPECT_TRUE(!game.checkmoves() && game.Bonus == 31000 && game.Points == 47000);
    game.Map[15][12] = game.Map[15][13] = 2;  // a pair within the last column only
    game.GameOver = true;
    game.RemoveBlocks(15, 12);
    EXPECT_TRUE(game.Map[15][12] == 2 && game.Points == 47000 && game.checkmoves());
}
