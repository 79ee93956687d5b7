// The solver in a worker of the page's own (par.js), a separate program with no memory shared
// with the game: the par of a numbered board, searched a slice at a time, and hints.
#include "core/solve/Solver.h"
#include "core/game/NumberedDeals.h"

#include <emscripten.h>

#include <memory>

namespace {

using namespace tilzo;

std::unique_ptr<solve::Solver> par;

} // namespace

extern "C" {

// Starts the search for the best whole game of board number, by the game's rules.
EMSCRIPTEN_KEEPALIVE void tilzo_par_start(double number)
{
    NumberedDeals deals;
    Game game(deals);
    deals.dealNext(static_cast<std::uint32_t>(number));
    game.NewGame();
    par = std::make_unique<solve::Solver>(solve::Board(game), solve::Rules{}, deals.board());
}

// Searches on for about ms milliseconds: the best score found so far.
EMSCRIPTEN_KEEPALIVE int tilzo_par_run(int ms)
{
    par->run(std::chrono::milliseconds(ms));
    return par->best().score;
}

// The move the solver would play next on the board cells holds (a colour code a cell, column by
// column from the top), as column * 16 + row; -1 when there is none.
EMSCRIPTEN_KEEPALIVE int tilzo_hint(const std::uint8_t* cells)
{
    Random unused;
    Game game(unused);
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            game.Map[c][r] = cells[c * BoardSize + r];
    const solve::Board board(game);
    const std::optional<solve::Cell> move = solve::hint(board, solve::Rules{}, 1);
    return move ? move->column * BoardSize + board.row(*move) : -1;
}
}
