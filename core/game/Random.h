#pragma once

#include <cstdint>
#include <random>

namespace tilzo {

// The one random source of a run: seeded once, yields reals in [0, 1).
// Tests derive from it to script the values a deal draws.
class Random {
public:
    virtual ~Random() = default;

    void seed(std::uint64_t value);
    void seedFromClock();

    // Never returns 1.0, so a deal can never produce colour 6.
    virtual double next();

private:
    std::mt19937_64 engine_;
};

} // namespace tilzo
