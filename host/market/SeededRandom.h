#pragma once
// Small reproducible random source: the same seed gives the same numbers on
// every platform, which the standard distributions do not promise.

#include <cstdint>
#include <string>

/// SplitMix64 generator with the few draws the market simulation needs.
class SeededRandom
{
public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    /// Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Uniform(double low, double high) { return low + (high - low) * Unit(); }
    /// Uniform integer in [0, count); 0 when count is 0.
    uint64_t Below(uint64_t count) { return count == 0 ? 0 : Next() % count; }
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint64_t>(high - low + 1))); }
    bool Chance(double probability) { return Unit() < probability; }

private:
    uint64_t state_;
};

/// FNV-1a, stable across runs and platforms (std::hash is neither).
inline uint64_t StableHash(const std::string& text, uint64_t basis = 0xCBF29CE484222325ull)
{
    uint64_t hash = basis;
    for (unsigned char c : text)
    {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}
