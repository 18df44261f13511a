#pragma once

#include <cstdint>

namespace ostrel {

// A seedable source of random numbers whose sequence is the same on every
// platform and standard library (the std distributions differ between
// libraries), so that one seed always gives the same tournament.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    // The next raw 64-bit value.
    std::uint64_t Next()
    {
        // SplitMix64: one addition and a mix, good enough for a simulation.
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // An integer from 0 to bound - 1; bound must be positive.
    int Below(int bound)
    {
        return int(((Next() >> 32) * std::uint64_t(bound)) >> 32);
    }

    // An integer from low to high, both included; low must not exceed high.
    int Between(int low, int high) { return low + Below(high - low + 1); }

    // True with the given chance in percent.
    bool Percent(int chance) { return Below(100) < chance; }

private:
    std::uint64_t state_;
};

} // namespace ostrel
