#include "core/solve/Solver.h"

#include <algorithm>
#include <bit>

namespace tilzo::solve {

namespace {

// Games widen up to this and then repeat at it with new random numbers: past about this width a
// game's score depends more on its luck than on its width, so more games find better lines than
// fewer wider ones.
constexpr std::size_t MaxWidth = 64;

// Orders candidates best first, and makes a heap of them keep the worst on top.
constexpr auto better = [](const auto& a, const auto& b) { return a.value > b.value; };

// The n-th cell of the masks, counted column by column from the bottom; `counts` holds each
// column's count in the half that `shift` picks.
Cell nth(const std::uint16_t* masks, const std::uint32_t* counts, int shift, int n)
{
    for (int c = 0;; ++c) {
        const int here = int(counts[c] >> shift & 0xFFFF);
        if (n < here) {
            unsigned m = masks[c];
            for (; n > 0; --n)
                m &= m - 1;
            return Cell{std::uint8_t(c), std::uint8_t(std::countr_zero(m))};
        }
        n -= here;
    }
}

// The colour a playout spares: the most common on the board it starts from, the likeliest to gather
// into one big group.
std::uint8_t mostCommon(const Board& board)
{
    std::uint8_t colour = 1;
    for (int c = 2; c <= board.colours(); ++c)
        if (board.count(c) > board.count(colour))
            colour = std::uint8_t(c);
    return colour;
}

} // namespace

Solver::Solver(const Board& board, Rules rules, std::uint64_t seed)
    : start_(board)
    , root_(board)
    , rules_(rules)
    , random_(seed)
{
    width_ = 1;
    startPass();
    best_.score = playout(root_);
    best_.length = playoutLength_;
    std::copy(playoutMoves_, playoutMoves_ + playoutLength_, best_.move);
    line_ = best_;
}

bool Solver::run(std::chrono::steady_clock::duration budget)
{
    const auto deadline = std::chrono::steady_clock::now() + budget;
    const std::int32_t before = best_.score;
    while (step() && std::chrono::steady_clock::now() < deadline) { }
    return best_.score > before;
}

bool Solver::step()
{
    if (!start_.hasMove())
        return false;
    if (next_ < layerSize_)
        expand(std::uint32_t(next_++));
    if (next_ == layerSize_)
        closeLayer();
    return true;
}

void Solver::nextPass()
{
    // A pass over: take the next move of this game's best line for good and search on from there.
    // A finished game starts again from the deal with a beam twice as wide, up to the widest, free
    // of the lines found before: following the best line found so far would keep every game in the
    // first one's valley.
    if (prefix_ < line_.length) {
        prefixScore_ += rules_.group(root_.remove(line_.move[prefix_]));
        ++prefix_;
    }
    if (!root_.hasMove()) {
        root_ = start_;
        prefix_ = 0;
        prefixScore_ = 0;
        width_ = nextWidth();
        line_.score = -1;
        line_.length = 0;
    }
    startPass();
}

std::size_t Solver::nextWidth()
{
    // A game's time grows with its width.
    const auto now = std::chrono::steady_clock::now();
    const auto took = now - gameStarted_;
    gameStarted_ = now;
    const std::size_t doubled = std::min(2 * width_, MaxWidth);
    if (end_ == std::chrono::steady_clock::time_point{} || took.count() <= 0)
        return doubled;
    const double fits = double(width_) * double((end_ - now).count()) / double(took.count());
    // Past the end, a game of one: the caller is about to stop.
    return fits >= double(doubled) ? doubled : std::size_t(std::max(1.0, fits));
}

void Solver::startPass()
{
    layer_.resize(width_);
    scores_.resize(width_);
    nextLayer_.resize(width_);
    nextScores_.resize(width_);
    nodes_.resize((MaxMoves + 1) * width_);
    candidates_.clear();
    candidates_.reserve(2 * width_);
    seen_.resize(std::bit_ceil(4 * width_)); // a power of two, for the probes' mask
    ways_.resize(width_);
    nextWays_.resize(width_);
    candidateWays_.resize(2 * width_);
    layer_[0] = root_;
    scores_[0] = prefixScore_;
    // The root lies on the best line of this game: none yet when the game starts.
    ways_[0].score = line_.score;
    ways_[0].length = line_.length - prefix_;
    std::copy(line_.move + prefix_, line_.move + line_.length, ways_[0].move);
    layerSize_ = 1;
    depth_ = 0;
    next_ = 0;
}

void Solver::expand(std::uint32_t parent)
{
    // A child is worth the better of its own playout and the parent's best way on when that goes
    // through it, so a good line found once stays in the beam and the search goes on around it.
    Group moves[MaxGroups];
    const int count = layer_[parent].groups(moves);
    const Line& way = ways_[parent];
    std::uint16_t next[MaxSide] = {};
    if (way.length > 0)
        layer_[parent].group(way.move[0], next);
    for (int i = 0; i < count; ++i) {
        const Cell move = moves[i].cell;
        Board child = layer_[parent];
        const std::int32_t score = scores_[parent] + rules_.group(child.remove(move));
        const std::int32_t total = score + playout(child);
        record(parent, move, total);
        if (!child.hasMove())
            continue;
        const std::uint64_t hash = child.hash() | 1;
        if ((next[move.column] >> move.height & 1) && way.score > total)
            keep(Candidate{way.score, score, parent, move, hash, 0}, way.move + 1, way.length - 1);
        else
            keep(Candidate{total, score, parent, move, hash, 0}, playoutMoves_, playoutLength_);
    }
}

void Solver::keep(Candidate candidate, const Cell* onward, int length)
{
    if (candidates_.size() < 2 * width_) {
        candidate.slot = std::uint32_t(candidates_.size());
        candidates_.push_back(candidate);
        std::push_heap(candidates_.begin(), candidates_.end(), better);
    } else if (candidate.value > candidates_.front().value) {
        std::pop_heap(candidates_.begin(), candidates_.end(), better);
        candidate.slot = candidates_.back().slot;
        candidates_.back() = candidate;
        std::push_heap(candidates_.begin(), candidates_.end(), better);
    } else {
        return;
    }
    Line& way = candidateWays_[candidate.slot];
    way.score = candidate.value;
    way.length = length;
    std::copy(onward, onward + length, way.move);
}

void Solver::closeLayer()
{
    // The best children go on, each position once however it was reached.
    std::sort(candidates_.begin(), candidates_.end(), better);
    std::fill(seen_.begin(), seen_.end(), 0);
    const std::size_t mask = seen_.size() - 1;
    std::size_t size = 0;
    for (const Candidate& c : candidates_) {
        if (size == width_)
            break;
        std::size_t slot = c.hash & mask;
        while (seen_[slot] != 0 && seen_[slot] != c.hash)
            slot = (slot + 1) & mask;
        if (seen_[slot] == c.hash)
            continue;
        seen_[slot] = c.hash;
        nextLayer_[size] = layer_[c.parent];
        nextLayer_[size].remove(c.move);
        nextScores_[size] = c.score;
        nextWays_[size] = candidateWays_[c.slot];
        nodes_[(depth_ + 1) * width_ + size] = Node{c.parent, c.move};
        ++size;
    }
    candidates_.clear();
    if (size == 0) {
        nextPass();
        return;
    }
    std::swap(layer_, nextLayer_);
    std::swap(scores_, nextScores_);
    std::swap(ways_, nextWays_);
    layerSize_ = size;
    ++depth_;
    next_ = 0;
}

int Solver::below(int n)
{
    return int(((random_() >> 32) * std::uint64_t(n)) >> 32);
}

bool Solver::sample(const Board& board, Cell& cell)
{
    // A few random cells first: cheaper than finding every group while most cells can move, and
    // a big group is the likelier to be hit.
    for (int attempt = 0; attempt < 8; ++attempt) {
        cell.column = std::uint8_t(below(board.columns()));
        cell.height = std::uint8_t(below(board.height(cell.column)));
        if (board.at(cell.column, cell.height) != tabu_ && board.movable(cell))
            return true;
    }
    return false;
}

bool Solver::pickCell(const Movable& movable, Cell& cell)
{
    // Every movable cell, those of the tabu colour apart and taken last: one at random, so a group
    // is picked in proportion to its size, as sampling picks it.
    const int free = int(movable.total & 0xFFFF);
    const int kept = int(movable.total >> 16);
    if (free > 0)
        cell = nth(movable.others, movable.counts, 0, below(free));
    else if (kept > 0)
        cell = nth(movable.spared, movable.counts, 16, kept - 1 - below(kept));
    else
        return false;
    return true;
}

std::int32_t Solver::playout(Board board)
{
    // Random moves that spare the tabu colour while any other move is left, so that colour can
    // gather into one big group.
    tabu_ = mostCommon(board);
    std::int32_t points = 0;
    playoutLength_ = 0;
    Cell cell;
    while (sample(board, cell)) {
        points += rules_.group(board.remove(cell));
        playoutMoves_[playoutLength_++] = cell;
    }
    // Once sampling misses, few cells can move and it would mostly miss again: from then on the
    // movable cells themselves, each move finding them again only where it changed the board.
    // The sum changes by what each changed column's count does, so a pick needn't add them up;
    // a column's count is in it before it leaves, so one half never borrows from the other.
    Movable movable{};
    Columns changed{0, board.columns()};
    for (;;) {
        board.movableCells(tabu_, movable.spared, movable.others, changed);
        for (int c = changed.first; c < changed.end; ++c) {
            const std::uint32_t count
                = halfCounts(movable.others[c] | std::uint32_t(movable.spared[c]) << 16);
            movable.total = movable.total - movable.counts[c] + count;
            movable.counts[c] = count;
        }
        if (!pickCell(movable, cell))
            break;
        const int columns = board.columns();
        points += rules_.group(board.remove(cell, &changed));
        playoutMoves_[playoutLength_++] = cell;
        // Closed columns leave the sum.
        for (int c = board.columns(); c < columns; ++c) {
            movable.total -= movable.counts[c];
            movable.counts[c] = 0;
        }
    }
    ++playouts_;
    return points + rules_.end(board.colours(), board.coloursLeft());
}

void Solver::record(std::uint32_t parent, Cell move, std::int32_t total)
{
    if (total <= line_.score)
        return;
    line_.score = total;
    const int at = prefix_ + depth_;
    std::copy(playoutMoves_, playoutMoves_ + playoutLength_, line_.move + at + 1);
    line_.move[at] = move;
    for (int d = depth_; d > 0; --d) {
        const Node& node = nodes_[std::size_t(d) * width_ + parent];
        line_.move[prefix_ + d - 1] = node.move;
        parent = node.parent;
    }
    line_.length = at + 1 + playoutLength_;
    if (line_.score > best_.score)
        best_ = line_;
}

std::optional<Cell> hint(const Board& board, Rules rules, std::uint64_t seed,
                         std::chrono::steady_clock::duration budget)
{
    if (!board.hasMove())
        return std::nullopt;
    Solver solver(board, rules, seed);
    solver.run(budget);
    return solver.best().move[0];
}

} // namespace tilzo::solve
