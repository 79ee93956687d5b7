#pragma once

#include <chrono>

namespace tilzo {

// Nanoseconds of the monotonic clock: comparable between the benchmark and the probe it starts.
inline long long now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace tilzo
