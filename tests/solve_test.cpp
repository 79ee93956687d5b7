// The solver: its board held to the game's rules move by move, its lines replayed in the game, its
// determinism and strength on fixed boards, and the board reader's refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "core/solve/Solver.h"
#include "tests/support/BoardsPlay.h"
#include "tests/support/ScoreFileCheck.h"

using namespace tilzo;
using namespace tilzo::solve;

namespace {

constexpr Rules TilzoRules{Rules::Kind::Tilzo};
constexpr Rules StandardRules{Rules::Kind::Standard};

Grid randomGrid(int columns, int rows, int colours, unsigned seed)
{
    std::mt19937 random(seed);
    Grid grid{rows, columns};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.cell[r][c] = std::uint8_t(random() % colours);
    return grid;
}

// Plays a line in the game: its score as the game counts it (by the standard rules, from the sizes of the
// groups the game takes), or -1 at a move that takes no group or when the game is not over at the end.
std::int32_t replay(const Grid& grid, Rules rules, const Line& line)
{
    Random random;
    Game game{random};
    support::placeIn(game, Board(grid));
    std::int32_t score = 0;
    for (int i = 0; i < line.length; ++i) {
        const int x = line.move[i].column, y = BoardSize - 1 - line.move[i].height, n = game.GroupSize(x, y);
        if (game.GameOver || n < 2)
            return -1;
        game.Play(x, y);
        score += (n - 2) * (n - 2);
    }
    if (!game.GameOver)
        return -1;
    return rules.kind == Rules::Kind::Tilzo
               ? game.Points
               : score + (support::boardOf(game.Map) == support::Board{} ? 1000 : 0);
}

std::int32_t largestFirst(Board board, Rules rules)
{
    Group groups[MaxGroups];
    std::int32_t score = 0;
    for (int n; (n = board.groups(groups)) > 0;)
        score += rules.group(board.remove(
            std::max_element(groups, groups + n, [](Group a, Group b) { return a.size < b.size; })->cell));
    return score + rules.end(board.colours(), board.coloursLeft());
}

Line search(const Grid& grid, Rules rules, std::uint64_t seed, int steps)
{
    Solver solver(Board(grid), rules, seed);
    for (int i = 0; i < steps && solver.step(); ++i) { }
    return solver.best();
}

} // namespace

// The board fuzzer's seeds, boards of many sizes and colours, each played on the compact board and in the
// game (make fuzz plays far more).
TEST(CompactBoard, TheFuzzSeedsPlayAsTheGame)
{
    for (const auto& seed :
         std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_boards")) {
        const std::string input = support::readFile(seed.path());
        support::playBoards(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
}

// An emptied column closes whichever columns it lies between.
TEST(CompactBoard, AGapClosesBetweenAnyTwoColumns)
{
    for (int c = 0; c + 1 < BoardSize; ++c) {
        Grid grid{2, c + 2};
        for (int k = 0; k < c; ++k)
            grid.cell[1][k] = grid.cell[0][k] = std::uint8_t(3 + k % 2);
        grid.cell[0][c] = grid.cell[1][c] = 1;
        grid.cell[0][c + 1] = 5;
        grid.cell[1][c + 1] = 2;
        Board board(grid);
        ASSERT_EQ(board.remove(Cell{std::uint8_t(c), 0}), 2);
        EXPECT_EQ(std::tuple(board.columns(), board.height(c), board.at(c, 0)),
                  std::tuple(c + 1, 2, Board(grid).at(c + 1, 0)))
            << "column " << c;
    }
}

// Every line found, on random boards by both rules, plays in the game and scores what the game counts, is
// found again from the same seed, and is no worse than taking the largest group each time.
TEST(Solver, ItsLinesPlayInTheGameRepeatFromTheSeedAndBeatLargestFirst)
{
    for (unsigned seed = 1; seed <= 4; ++seed)
        for (const Rules rules : {TilzoRules, StandardRules}) {
            const Grid grid = rules.kind == Rules::Kind::Tilzo
                                  ? randomGrid(16, 16, 5, seed)
                                  : randomGrid(4 + 3 * seed, 15, 3 + seed % 3, seed);
            const Line line = search(grid, rules, seed, 300), again = search(grid, rules, seed, 300);
            EXPECT_EQ(replay(grid, rules, line), line.score) << "seed " << seed;
            EXPECT_TRUE(line.length == again.length
                        && std::memcmp(line.move, again.move, sizeof(Cell) * std::size_t(line.length)) == 0);
            EXPECT_GE(line.score, largestFirst(Board(grid), rules)) << "seed " << seed;
        }
}

// Fitted to a deadline, the last games take widths that are not powers of two: the search still
// steps on and its line still plays.
TEST(Solver, ALineFittedToADeadlinePlays)
{
    const Grid grid = randomGrid(7, 15, 3, 9);
    Solver solver(Board(grid), StandardRules, 9);
    solver.endBy(std::chrono::steady_clock::now() + std::chrono::milliseconds(40));
    solver.run(std::chrono::milliseconds(80));
    EXPECT_EQ(replay(grid, StandardRules, solver.best()), solver.best().score);
}

// A hint names a group of two or more on the board, dealt or in play; a board without a move has none.
TEST(Solver, AHintIsALegalGroup)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        Random draws;
        Game game{draws};
        support::placeIn(game, Board(randomGrid(16, 16, 5, seed)));
        for (int move = 0; move < 4 * int(seed); ++move)
            game.Play(move * 7 % BoardSize, BoardSize - 1 - move % 5);
        const std::optional<Cell> move = hint(Board(game), TilzoRules, seed, std::chrono::milliseconds(5));
        ASSERT_TRUE(move);
        EXPECT_GE(game.GroupSize(move->column, BoardSize - 1 - move->height), 2);
    }
    Grid lone{1, 2};
    lone.cell[0][1] = 1;
    EXPECT_FALSE(hint(Board(lone), TilzoRules, 1));
}

// Good boards are read in order; the first fault is named by board and line and ends the reading.
TEST(BoardReader, ReadsBoardsAndNamesTheFirstFault)
{
    std::string row16, rows16;
    for (int c = 0; c < 16; ++c)
        row16 += "1 ";
    for (int r = 0; r < 16; ++r)
        rows16 += row16 + "\n";
    const std::tuple<Rules, std::string, int, std::string> cases[] = {
        // the rules, the text, boards read, error
        {StandardRules, "1 2\n3 4\n\n\n5 6 7\r\n", 2, ""},
        {StandardRules, "1 2\n\n1 2 3\n4 5\n", 1,
         "board 2, line 4: cells in this row: 2, in the rows above: 3"},
        {StandardRules, "1 x\n", 0, "board 1, line 1: character 3 is not a digit"},
        {StandardRules, "1 23\n", 0, "board 1, line 1: character 3 is not followed by a space"},
        {StandardRules, row16 + "1\n", 0, "board 1, line 1: more than 16 cells in a row"},
        {StandardRules, rows16 + row16, 0, "board 1, line 17: more than 16 rows"},
        {TilzoRules, rows16 + "\n" + rows16, 2, ""},
        {TilzoRules, rows16 + "\n1 2\n3 4\n\n", 1,
         "board 2, line 19: Tilzo's rules need 16 rows of 16 cells, not 2 rows of 2"},
    };
    for (const auto& [rules, text, boards, error] : cases) {
        std::istringstream in(text);
        BoardReader reader(in, rules);
        Grid grid;
        int read = 0;
        while (reader.next(grid))
            ++read;
        EXPECT_EQ(std::pair(read, reader.error()), std::pair(boards, error)) << text;
    }
}
