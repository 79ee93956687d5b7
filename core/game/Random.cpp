#include "core/game/Random.h"

#include <chrono>

namespace tilzo {

void Random::seed(std::uint64_t value)
{
    engine_.seed(value);
}

void Random::seedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    seed(static_cast<std::uint64_t>(now));
}

double Random::next()
{
    // The top 53 bits scaled by 2^-53 are exact in a double, so the largest value
    // is 1 - 2^-53; a real distribution could round up to 1.0 instead.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

} // namespace tilzo
