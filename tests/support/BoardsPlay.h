// Any bytes as the solver's boards, read by both rules: the reader takes boards that fit or names a fault,
// and every board in at most five colours plays to its end on the compact board as in the game: the same
// groups, the same board and points after each move, the same end. The board fuzzer and the solver's tests
// both feed it.
#pragma once

#include <span>
#include <sstream>
#include <string>

#include "core/solve/BoardReader.h"
#include "tests/support/RulesPlay.h"

namespace tilzo::support {

// The compact board as the game holds it: at the bottom left, codes as the game's.
inline Board asGame(const solve::Board& board)
{
    Board cells{};
    for (int c = 0; c < board.columns(); ++c)
        for (int h = 0; h < board.height(c); ++h)
            cells[c][BoardSize - 1 - h] = board.at(c, h);
    return cells;
}

// The compact board in the game, at its bottom left.
inline void placeIn(Game& game, const solve::Board& board)
{
    const Board cells = asGame(board);
    for (int c = 0; c < BoardSize; ++c)
        std::memcpy(game.Map[c], cells[c].data(), BoardSize);
}

// Plays the board in a game of its own, each move a group that pick and the move's number choose.
inline void playInGame(solve::Board board, std::size_t pick)
{
    Random draws;
    Game game{draws};
    placeIn(game, board);
    const bool moves = board.hasMove();
    solve::Group groups[solve::MaxGroups];
    // The movable cells kept up to date only where each move says it changed the board.
    std::uint16_t ofFirst[BoardSize], others[BoardSize];
    solve::Columns changed{0, board.columns()};
    for (int n; (n = board.groups(groups)) > 0; ++pick) {
        board.movableCells(1, ofFirst, others, changed);
        FUZZ_CHECK(asGame(board) == boardOf(game.Map) && asGame(solve::Board(game)) == asGame(board));
        // Every cell's group as the game counts it, and every group listed once, at a cell of it.
        int movable = 0;
        for (std::uint8_t c = 0; c < board.columns(); ++c) {
            for (std::uint8_t h = 0; h < board.height(c); ++h) {
                const int size = game.GroupSize(c, BoardSize - 1 - h);
                FUZZ_CHECK(board.group({c, h}) == size && board.movable({c, h}) == (size >= 2));
                FUZZ_CHECK(((board.at(c, h) == 1 ? ofFirst[c] : others[c]) >> h & 1) == (size >= 2));
                movable += size >= 2;
            }
            FUZZ_CHECK((ofFirst[c] | others[c]) >> board.height(c) == 0 && (ofFirst[c] & others[c]) == 0);
        }
        for (const solve::Group& g : std::span(groups, std::size_t(n))) {
            FUZZ_CHECK(g.size == board.group(g.cell) && g.colour == board.at(g.cell.column, g.cell.height));
            movable -= g.size;
        }
        FUZZ_CHECK(movable == 0);
        const solve::Group g = groups[pick % std::size_t(n)];
        const std::int32_t before = game.Points;
        game.Play(g.cell.column, BoardSize - 1 - g.cell.height);
        FUZZ_CHECK(board.remove(g.cell, &changed) == g.size
                   && game.Points - before - game.Bonus == 5 * g.size * (g.size - 1));
    }
    // A board dealt without a move never ends.
    FUZZ_CHECK(asGame(board) == boardOf(game.Map) && game.GameOver == moves);
    FUZZ_CHECK(!moves
               || game.Bonus
                      == solve::Rules{solve::Rules::Kind::Tilzo}.end(board.colours(), board.coloursLeft()));
}

inline void playBoards(const std::uint8_t* data, std::size_t size)
{
    for (const solve::Rules rules :
         {solve::Rules{solve::Rules::Kind::Tilzo}, solve::Rules{solve::Rules::Kind::Standard}}) {
        std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
        solve::BoardReader reader(in, rules);
        solve::Grid grid;
        while (reader.next(grid)) {
            FUZZ_CHECK(rules.fits(grid.rows, grid.columns));
            const solve::Board board(grid);
            FUZZ_CHECK(board.colours() <= solve::MaxColours);
            // Once, by the rules that read every board.
            if (rules.kind == solve::Rules::Kind::Standard && board.colours() <= ColourCount)
                playInGame(board, size);
        }
        FUZZ_CHECK(reader.error().empty() || reader.error().rfind("board ", 0) == 0);
    }
}

} // namespace tilzo::support
