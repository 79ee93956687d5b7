#include "core/solve/Solver.h"

#include <algorithm>

namespace tilzo::solve {

namespace {

// Past this the passes repeat at this width: about 8 MB in all, which a phone can spare.
constexpr std::size_t MaxWidth = std::size_t(1) << 13;

// Orders candidates best first, and makes a heap of them keep the worst on top.
constexpr auto better = [](const auto& a, const auto& b) { return a.value > b.value; };

} // namespace

Solver::Solver(const Board& board, Rules rules, std::uint64_t seed)
    : root_(board)
    , rules_(rules)
    , random_(seed)
{
    startPass();
    best_.score = playout(root_);
    best_.length = playoutLength_;
    std::copy(playoutMoves_, playoutMoves_ + playoutLength_, best_.move);
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
    if (!root_.hasMove())
        return false;
    if (next_ < layerSize_)
        expand(std::uint32_t(next_++));
    if (next_ == layerSize_)
        closeLayer();
    return true;
}

void Solver::startPass()
{
    width_ = std::min(width_ == 0 ? 1 : 2 * width_, MaxWidth);
    layer_.resize(width_);
    scores_.resize(width_);
    nextLayer_.resize(width_);
    nextScores_.resize(width_);
    nodes_.resize((MaxMoves + 1) * width_);
    candidates_.clear();
    candidates_.reserve(2 * width_);
    seen_.resize(4 * width_);
    layer_[0] = root_;
    scores_[0] = 0;
    layerSize_ = 1;
    depth_ = 0;
    next_ = 0;
}

void Solver::expand(std::uint32_t parent)
{
    Group moves[MaxGroups];
    const int count = layer_[parent].groups(moves);
    for (int i = 0; i < count; ++i) {
        Board child = layer_[parent];
        const std::int32_t score = scores_[parent] + rules_.group(child.remove(moves[i].cell));
        const std::int32_t total = score + playout(child);
        record(parent, moves[i].cell, total);
        if (child.hasMove())
            keep(Candidate{total, score, parent, moves[i].cell, child.hash() | 1});
    }
}

void Solver::keep(const Candidate& candidate)
{
    if (candidates_.size() < 2 * width_) {
        candidates_.push_back(candidate);
        std::push_heap(candidates_.begin(), candidates_.end(), better);
    } else if (candidate.value > candidates_.front().value) {
        std::pop_heap(candidates_.begin(), candidates_.end(), better);
        candidates_.back() = candidate;
        std::push_heap(candidates_.begin(), candidates_.end(), better);
    }
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
        nodes_[(depth_ + 1) * width_ + size] = Node{c.parent, c.move};
        ++size;
    }
    candidates_.clear();
    if (size == 0) {
        startPass();
        return;
    }
    std::swap(layer_, nextLayer_);
    std::swap(scores_, nextScores_);
    layerSize_ = size;
    ++depth_;
    next_ = 0;
}

std::int32_t Solver::playout(Board board)
{
    // Random moves that spare the most common colour while any other move is left, so that
    // colour can gather into one big group (the tabu colour).
    int tabu = 1;
    for (int colour = 2; colour <= board.colours(); ++colour)
        if (board.count(colour) > board.count(tabu))
            tabu = colour;
    std::int32_t points = 0;
    playoutLength_ = 0;
    for (int count; (count = board.groups(groups_)) > 0;) {
        const int others = int(
            std::count_if(groups_, groups_ + count, [tabu](const Group& g) { return g.colour != tabu; }));
        int pick = int(((random_() >> 32) * std::uint64_t(others > 0 ? others : count)) >> 32);
        int i = 0;
        for (;; ++i)
            if ((others == 0 || groups_[i].colour != tabu) && pick-- == 0)
                break;
        points += rules_.group(board.remove(groups_[i].cell));
        playoutMoves_[playoutLength_++] = groups_[i].cell;
    }
    ++playouts_;
    return points + rules_.end(board.colours(), board.coloursLeft());
}

void Solver::record(std::uint32_t parent, Cell move, std::int32_t total)
{
    if (total <= best_.score)
        return;
    best_.score = total;
    int length = depth_ + 1 + playoutLength_;
    std::copy(playoutMoves_, playoutMoves_ + playoutLength_, best_.move + depth_ + 1);
    best_.move[depth_] = move;
    for (int d = depth_; d > 0; --d) {
        const Node& node = nodes_[std::size_t(d) * width_ + parent];
        best_.move[d - 1] = node.move;
        parent = node.parent;
    }
    best_.length = length;
}

} // namespace tilzo::solve
