#pragma once

#include <cstdint>

// Gradient noise that wraps around: sampling at u and u + 1 gives the same value, so
// pictures built from it tile without seams. Coordinates are in texture units (0..1).
class TileableNoise
{
public:
    explicit TileableNoise(std::uint32_t seed) : Seed(seed) {}

    // One octave with `period` lattice cells across the texture, about -1..1.
    double Gradient(double u, double v, int period) const;
    // Octaves of doubling frequency, each weighted by `gain` against the one before.
    double Fractal(double u, double v, int period, int octaves, double gain) const;

private:
    double Dot(int ix, int iy, int period, double fx, double fy) const;
    std::uint32_t Seed;
};
