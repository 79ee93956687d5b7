#pragma once

#include <cstdint>

namespace tilzo::solve {

// How a game is scored. Tilzo's own rules, or those of the benchmark that solvers of this kind are
// compared on: any size, (n - 2)^2 for a group of n and 1000 for an empty board.
struct Rules {
    enum class Kind : std::uint8_t { Tilzo, Standard };
    Kind kind = Kind::Tilzo;

    // The points for removing a group of n >= 2 blocks.
    std::int32_t group(int n) const { return kind == Kind::Tilzo ? 5 * n * (n - 1) : (n - 2) * (n - 2); }
    // The points at the end with `left` colours still on the board. The game counts its five colours
    // whether or not the board was dealt all of them; a board of more colours counts them all.
    std::int32_t end(int colours, int left) const;
    // Whether a board of this many rows and columns can be played.
    bool fits(int rows, int columns) const;
};

} // namespace tilzo::solve
