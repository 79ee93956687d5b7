#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "core/solve/Board.h"
#include "core/solve/Rules.h"

namespace tilzo::solve {

constexpr int MaxMoves = MaxCells / 2;

// A whole game: each move a cell of the group it removes, on the board as it stands then. From a
// position of the search, the moves on from it and the score of the game they end.
struct Line {
    std::int32_t score = 0;
    int length = 0;
    Cell move[MaxMoves];
};

// Beam search over the game, each candidate position judged by a playout from it. Each pass takes
// one move for good; each whole game starts afresh with a beam twice as wide, up to a width past
// which more games find more than wider ones, so a longer search finds better lines. Work comes in
// small steps, so a caller without threads can search in slices and show each better line as it is
// found. Memory is taken when a pass starts; a playout allocates nothing.
class Solver {
public:
    Solver(const Board& board, Rules rules, std::uint64_t seed);

    // The best whole game found so far; from the start, that of one playout.
    const Line& best() const { return best_; }
    // Searches for about `budget`; true when it found a better line.
    bool run(std::chrono::steady_clock::duration budget);
    // One position of the beam expanded, each of its moves tried with a playout. The same steps
    // from the same seed find the same lines. False when there is nothing to search: no move at all.
    bool step();
    std::uint64_t playouts() const { return playouts_; }
    // The search will stop at `end`: the game that would not finish by then is narrowed to fit, as
    // a game cut short rarely finds a better line.
    void endBy(std::chrono::steady_clock::time_point end) { end_ = end; }

private:
    struct Node {
        std::uint32_t parent;
        Cell move;
    };
    struct Candidate {
        std::int32_t value;
        std::int32_t score;
        std::uint32_t parent;
        Cell move;
        std::uint64_t hash;
        std::uint32_t slot; // of its way on in candidateWays_
    };

    void nextPass();
    std::size_t nextWidth();
    void startPass();
    void expand(std::uint32_t parent);
    void closeLayer();
    std::int32_t playout(Board board);
    bool sample(const Board& board, Cell& cell);
    struct Movable {
        std::uint16_t spared[MaxSide];
        std::uint16_t others[MaxSide];
        // Each column's count of `others` in the low half, of `spared` in the high, and their sum.
        std::uint32_t counts[MaxSide];
        std::uint32_t total;
    };
    bool pickCell(const Movable& movable, Cell& cell);
    int below(int n);
    void keep(Candidate candidate, const Cell* onward, int length);
    void record(std::uint32_t parent, Cell move, std::int32_t total);

    Board start_;
    // The position passes start from, after the moves of the best line taken so far.
    Board root_;
    int prefix_ = 0;
    std::int32_t prefixScore_ = 0;
    Rules rules_;
    // The high half of a 64-bit congruential step: a tenth of the playouts' time less than mt19937,
    // and random enough for them.
    std::linear_congruential_engine<std::uint64_t, 6364136223846793005u, 1442695040888963407u, 0u> random_;
    Line best_;
    // The best line of the game under way, whose moves its passes take one by one.
    Line line_;
    std::uint64_t playouts_ = 0;
    std::chrono::steady_clock::time_point end_{};
    std::chrono::steady_clock::time_point gameStarted_ = std::chrono::steady_clock::now();

    // The pass under way: its width, the depth of the layer being expanded and the next position in it.
    std::size_t width_ = 0;
    int depth_ = 0;
    std::size_t next_ = 0;
    std::size_t layerSize_ = 0;
    std::vector<Board> layer_;
    std::vector<std::int32_t> scores_;
    std::vector<Board> nextLayer_;
    std::vector<std::int32_t> nextScores_;
    std::vector<Node> nodes_; // [depth * width + index], how each position of each layer was reached
    // The best way on known from each position of the layer, of the next and of each candidate.
    std::vector<Line> ways_;
    std::vector<Line> nextWays_;
    std::vector<Line> candidateWays_;
    std::vector<Candidate> candidates_; // a min-heap of the best children found for the next layer
    std::vector<std::uint64_t> seen_;

    // The playout under way: the colour it spares, and its moves, for a line when it turns out best.
    std::uint8_t tabu_ = 0;
    Cell playoutMoves_[MaxMoves];
    int playoutLength_ = 0;
};

// The move the solver would play next after searching for about `budget`; none when the board has
// no move left.
std::optional<Cell> hint(const Board& board, Rules rules, std::uint64_t seed,
                         std::chrono::steady_clock::duration budget = std::chrono::milliseconds(500));

} // namespace tilzo::solve
