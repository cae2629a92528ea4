#pragma once
// A small seeded generator (splitmix64) with the same output on every platform,
// so a flash made from a seed is the same file everywhere.

#include <cstdint>

namespace somnexa::devsim {

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed, std::uint64_t stream = 0)
        : state_(seed * 0x9E3779B97F4A7C15ull + stream * 0xD1B54A32D192ED03ull + 1) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [lo, hi].
    int uniform(int lo, int hi) {
        if (hi <= lo) return lo;
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    // A real number in [0, 1).
    double real() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double real(double lo, double hi) { return lo + (hi - lo) * real(); }
    bool chance(double p) { return real() < p; }

private:
    std::uint64_t state_;
};

}  // namespace somnexa::devsim
