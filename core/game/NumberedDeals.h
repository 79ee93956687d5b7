#pragma once

#include "core/game/Game.h"
#include "core/game/Random.h"

#include <cstdint>

namespace tilzo {

// Deals that each have a number, so that a number names a board: board N is the same 256 cells
// on every device and in every version. The clock-seeded source picks each deal's number, and
// the board's own generator, seeded from that number alone, draws its cells.
class NumberedDeals final : public Random {
public:
    static constexpr std::uint32_t FirstBoard = 1;
    static constexpr std::uint32_t LastBoard = 999'999'999;

    // The number of the board being dealt or last dealt; 0 before the first deal.
    std::uint32_t board() const { return board_; }
    // How many deals have begun.
    std::uint64_t dealt() const { return dealt_; }
    // The next deal is board number instead of a number drawn; false, and nothing changed,
    // for a number out of range.
    bool dealNext(std::uint32_t number);

    double next() override;

private:
    static constexpr int CellsPerDeal = BoardSize * BoardSize; // a deal draws once per cell

    std::uint32_t board_ = 0;
    std::uint32_t chosen_ = 0;
    std::uint64_t dealt_ = 0;
    std::uint64_t cellsState_ = 0;
    int drawn_ = CellsPerDeal;
};

} // namespace tilzo
