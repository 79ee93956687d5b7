// A board and a run of clicks, undos and new games, played as the window plays
// them, each step checked against a model worked out from the board alone.
//
// Input: 256 bytes of board, column by column from the top, each byte giving the
// code byte % 6 (bytes missing at the end give empty cells); then two bytes per
// step: the first % 8 is 0..5 for a left click on the cell the second names
// (column in the low four bits, row in the high four), 6 for a right click and
// 7 for Space.
#include "fuzz/FuzzCheck.h"
#include "game/Game.h"

#include <array>
#include <cstring>
#include <optional>
#include <utility>

namespace tilzo::fuzz {
namespace {

using Board = std::array<std::array<std::uint8_t, BoardSize>, BoardSize>;  // [column][row]

Board boardOf(const Game& game)
{
    Board board;
    for (int c = 0; c < BoardSize; ++c)
        std::memcpy(board[c].data(), game.Map[c], BoardSize);
    return board;
}

Board undoBoardOf(const Game& game)
{
    Board board;
    std::memcpy(board.data(), game.UndoMap, sizeof game.UndoMap);
    return board;
}

// The cells of (x, y)'s group, found depth-first with a visited grid. No heap: the
// model runs hundreds of times per input.
struct Group {
    Board cells{};  // 1 for a cell of the group
    int size = 0;
};

Group groupOf(const Board& board, int x, int y)
{
    Group group;
    std::array<std::pair<int, int>, BoardSize * BoardSize> stack;
    int top = 0;
    stack[top++] = {x, y};
    group.cells[x][y] = 1;
    while (top > 0) {
        const auto [c, r] = stack[--top];
        ++group.size;
        const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : steps) {
            const int nc = c + step[0];
            const int nr = r + step[1];
            if (nc < 0 || nc >= BoardSize || nr < 0 || nr >= BoardSize) continue;
            if (group.cells[nc][nr] || board[nc][nr] != board[x][y]) continue;
            group.cells[nc][nr] = 1;
            stack[top++] = {nc, nr};
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
        int bottom = BoardSize;
        for (int r = BoardSize - 1; r >= 0; --r) {
            if (board[c][r] != 0) result[target][--bottom] = board[c][r];
        }
        if (bottom < BoardSize) ++target;
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
    bool present[ColourCount + 1] = {};
    for (const auto& column : board) {
        for (std::uint8_t code : column) present[code] = true;
    }
    int absent = 0;
    for (int code = 1; code <= ColourCount; ++code) absent += present[code] ? 0 : 1;
    return absent;
}

int blockCount(const Board& board)
{
    int count = 0;
    for (const auto& column : board) {
        for (std::uint8_t code : column) count += code != 0 ? 1 : 0;
    }
    return count;
}

// What holds between any two steps.
void checkBetweenSteps(const Game& game)
{
    const Board board = boardOf(game);
    for (int i = 0; i < MapSize; ++i) FUZZ_CHECK(game.Map[BoardSize][i] == 0 && game.Map[i][BoardSize] == 0);
    for (const auto& column : board) {
        for (std::uint8_t code : column) FUZZ_CHECK(code <= ColourCount);
    }
    FUZZ_CHECK(board == settled(board));
    FUZZ_CHECK(game.Points >= 0);
    // The bonus is only ever given at the end.
    FUZZ_CHECK(game.GameOver || game.Bonus == 0);
}

struct Snapshot {
    Board board;
    std::int32_t points;
};

class Play {
public:
    explicit Play(Random& random) : game_(random) {}

    void deal(const std::uint8_t* data, std::size_t size)
    {
        Board board{};
        for (std::size_t i = 0; i < size && i < std::size_t(BoardSize * BoardSize); ++i)
            board[i / BoardSize][i % BoardSize] = data[i] % (ColourCount + 1);
        for (int c = 0; c < BoardSize; ++c) std::memcpy(game_.Map[c], board[c].data(), BoardSize);
        // Between moves a board is always settled.
        game_.DropBlocks();
        FUZZ_CHECK(boardOf(game_) == settled(board));
        checkBetweenSteps(game_);
    }

    void step(std::uint8_t action, std::uint8_t cell)
    {
        switch (action % 8) {
        case 6: rightClick(); break;
        case 7: space(); break;
        default: leftClick(cell & 0x0F, cell >> 4); break;
        }
        checkBetweenSteps(game_);
        if (snapshot_) {
            FUZZ_CHECK(undoBoardOf(game_) == snapshot_->board);
            FUZZ_CHECK(game_.UndoPoints == snapshot_->points);
        }
    }

private:
    void leftClick(int x, int y)
    {
        const Board before = boardOf(game_);
        const std::int32_t points = game_.Points;
        if (game_.GameOver || before[x][y] == 0) {
            // The window lets no such click through; the rules refuse it as well.
            game_.RemoveBlocks(x, y);
            FUZZ_CHECK(boardOf(game_) == before && game_.Points == points);
            return;
        }

        const Group group = groupOf(before, x, y);
        const int n = group.size >= 2 ? group.size : 0;
        Board removed = before;
        if (n != 0) {
            for (int c = 0; c < BoardSize; ++c) {
                for (int r = 0; r < BoardSize; ++r) {
                    if (group.cells[c][r]) removed[c][r] = 0;
                }
            }
            snapshot_ = Snapshot{before, points};
            snapshotInThisGame_ = true;
        }
        game_.RemoveBlocks(x, y);
        FUZZ_CHECK(boardOf(game_) == removed);
        FUZZ_CHECK(game_.Points == points + 5 * (n - 1) * n);

        game_.DropBlocks();
        const Board after = settled(removed);
        FUZZ_CHECK(boardOf(game_) == after);
        FUZZ_CHECK(blockCount(after) == blockCount(before) - n);

        const std::int32_t scored = game_.Points;
        const bool more = game_.checkmoves();
        FUZZ_CHECK(more == anyPair(after));
        if (more) {
            FUZZ_CHECK(game_.Points == scored && game_.Bonus == 0);
        } else {
            FUZZ_CHECK(game_.Bonus == ClearBonus * absentColours(after));
            FUZZ_CHECK(game_.Points == scored + game_.Bonus);
            game_.GameOver = true;
        }
        FUZZ_CHECK(boardOf(game_) == after);
    }

    void rightClick()
    {
        const Board before = boardOf(game_);
        const std::int32_t points = game_.Points;
        const std::int32_t bonus = game_.Bonus;
        const bool over = game_.GameOver;
        game_.RestoreUndo();
        if (!over && snapshot_ && snapshotInThisGame_) {
            FUZZ_CHECK(boardOf(game_) == snapshot_->board && game_.Points == snapshot_->points);
        } else {
            FUZZ_CHECK(boardOf(game_) == before && game_.Points == points);
        }
        FUZZ_CHECK(game_.GameOver == over && game_.Bonus == bonus);
    }

    void space()
    {
        game_.NewGame();
        snapshotInThisGame_ = false;
        FUZZ_CHECK(!game_.GameOver && game_.Points == 0 && game_.Bonus == 0);
        for (const auto& column : boardOf(game_)) {
            for (std::uint8_t code : column) FUZZ_CHECK(code >= 1 && code <= ColourCount);
        }
    }

    Game game_;
    std::optional<Snapshot> snapshot_;
    bool snapshotInThisGame_ = false;
};

} // namespace
} // namespace tilzo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t boardBytes = tilzo::BoardSize * tilzo::BoardSize;
    tilzo::Random random;
    random.seed(size);
    tilzo::fuzz::Play play(random);
    play.deal(data, size);
    for (std::size_t i = boardBytes; i + 1 < size; i += 2) play.step(data[i], data[i + 1]);
    return 0;
}
