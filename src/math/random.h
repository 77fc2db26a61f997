#pragma once

// SplitMix64: a tiny, fast generator whose numbers are the same on every platform and compiler
// (unlike the standard library's distributions), so that a seeded bootstrap or a generated data
// set is repeatable everywhere.

#include <cstdint>

namespace tesmor::math {

class SplitMix64
{
public:
    explicit SplitMix64(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t m_state;
};

} // namespace tesmor::math
