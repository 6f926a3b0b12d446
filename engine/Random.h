#pragma once

#include <cstdint>

// The game's one random generator: a 32-bit linear congruential sequence.
class TRandom
{
public:
    explicit TRandom(uint32_t seed = 0) : Seed(seed) {}

    // Advances the seed, then returns a value in 0..n-1 (the high half of seed * n).
    uint32_t Draw(uint32_t n)
    {
        Seed = Seed * 134775813u + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(Seed) * n) >> 32);
    }

    // The start-up seed: milliseconds since midnight, UTC.
    static uint32_t SeedFromTimeOfDay(int hour, int minute, int second, int millisecond)
    {
        return static_cast<uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
    }

    uint32_t Seed;
};
