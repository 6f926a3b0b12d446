#pragma once

#include <cstdint>

// A small fixed-seed generator, so that every run writes byte-identical files.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t seed) : State(seed ? seed : 0x9E3779B9u) {}

    std::uint32_t Next()
    {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return State;
    }

    // Uniform in [0, 1).
    double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }

    // Uniform in [-1, 1).
    double Bipolar() { return Unit() * 2.0 - 1.0; }

    // Uniform integer in [low, high].
    int Between(int low, int high) { return low + static_cast<int>(Unit() * (high - low + 1)); }

private:
    std::uint32_t State;
};
