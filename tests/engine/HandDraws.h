#pragma once

#include <cstdint>

// The game's generator worked out independently: seed := seed * 134775813 + 1 (mod 2^32),
// then the high 32 bits of seed * n.
struct THandDraws
{
    uint32_t Seed;

    uint32_t Draw(uint32_t n)
    {
        Seed = Seed * 134775813u + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(Seed) * n) >> 32);
    }
};
