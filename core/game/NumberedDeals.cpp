#include "core/game/NumberedDeals.h"

namespace tilzo {

bool NumberedDeals::dealNext(std::uint32_t number)
{
    if (number < FirstBoard || number > LastBoard)
        return false;
    chosen_ = number;
    return true;
}

double NumberedDeals::next()
{
    if (drawn_ == CellsPerDeal) {
        board_ = chosen_ ? chosen_ : FirstBoard + static_cast<std::uint32_t>(Random::next() * LastBoard);
        chosen_ = 0;
        cellsState_ = board_;
        drawn_ = 0;
        ++dealt_;
    }
    ++drawn_;
    // SplitMix64, written out rather than taken from a library, so that no library's change
    // can ever change a numbered board.
    std::uint64_t z = cellsState_ += 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

} // namespace tilzo
