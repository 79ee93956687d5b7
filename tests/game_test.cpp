// The rules: seeded random play and the fuzzer's seeds, every step checked by the model in
// fuzz/RulesPlay.h, then what play cannot show.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "fuzz/RulesPlay.h"

static std::atomic<long> allocations{0};

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

// Not inlined: GCC would otherwise pair free() with the new-expression and warn.
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace tilzo {
namespace {

using Input = std::vector<std::uint8_t>;

// Fewer colours make large groups, holes and blank columns unsettled boards. Clicks lean to the
// bottom left, where a settled board's blocks are; now and then an undo, a click off the board
// or a new game.
Input randomInput(std::mt19937& pick, int trial)
{
    const unsigned colours = 1 + trial % ColourCount;
    std::bernoulli_distribution hole(trial / ColourCount % 3 * 0.2), blankColumn(trial % 7 * 0.1);
    Input input(BoardSize * BoardSize + 500 + trial % 6);  // the length colours the guard
    for (int c = 0; c < BoardSize; ++c) {
        const bool blank = blankColumn(pick);
        for (int r = 0; r < BoardSize; ++r) input[c * BoardSize + r] = blank || hole(pick) ? 0 : 1 + pick() % colours;
    }
    for (std::size_t i = BoardSize * BoardSize; i + 1 < input.size(); i += 2) {
        const unsigned kind = pick() % 128;
        input[i] = kind == 0 ? 7 : kind < 3 ? 6 : kind < 4 ? 5 + 8 * (pick() % 4) : 0;
        input[i + 1] = std::min(pick() % 16, pick() % 16) | std::max(pick() % 16, pick() % 16) << 4;
    }
    return input;
}

TEST(Rules, RandomPlayAndTheFuzzSeedsAgreeWithTheModelAndAllocateNothing)
{
    std::vector<Input> inputs;
    std::mt19937 pick(4242);
    for (int trial = 0; trial < 600; ++trial) inputs.push_back(randomInput(pick, trial));
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_rules")) {
        std::ifstream file(seed.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(inputs.size(), 650u);
    const long before = allocations;
    ASSERT_GT(before, 0) << "operator new is not counted";
    for (const Input& input : inputs) fuzz::playInput(input.data(), input.size());
    EXPECT_EQ(allocations - before, 0);
}

TEST(Deal, EachSeedDrawsItsOwnValuesEvenlyOverTheFiveColours)
{
    Random random, other, clock, later;
    random.seed(2024);
    other.seed(2025);
    clock.seedFromClock();
    later.seedFromClock();
    EXPECT_NE(random.next(), other.next());
    EXPECT_NE(clock.next(), later.next());
    int shares[ColourCount] = {};
    for (int i = 0; i < 100000; ++i) {
        const double u = random.next();
        ASSERT_TRUE(u >= 0 && u < 1) << u;
        ++shares[int(u * ColourCount)];
    }
    for (int share : shares) EXPECT_NEAR(share, 20000, 600);
}

// Only a new game sets the bonus back: each call at the end adds the clear bonus to it, then all of it
// to the score. A finished game takes no click, even on a group.
TEST(EndOfGame, EachCallAddsTheClearBonusToBonusThenBonusToPointsAndClicksAreRefused)
{
    Random random;
    Game game(random);
    game.Map[0][15] = game.Map[1][14] = 1;  // touching only at a corner
    game.Map[1][15] = 3;
    game.Bonus = 1000;
    for (const auto& [bonus, points] : {std::pair(16000, 16000), std::pair(31000, 47000)}) {
        EXPECT_FALSE(game.checkmoves());
        EXPECT_EQ(std::pair(game.Bonus, game.Points), std::pair(bonus, points));
    }
    game.GameOver = true;
    game.Map[0][14] = 1;
    game.RemoveBlocks(0, 15);
    EXPECT_EQ(std::pair(game.Map[0][15], game.Points), std::pair(std::uint8_t(1), 47000));
}

} // namespace
} // namespace tilzo
