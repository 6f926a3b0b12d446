#include "tools/cellart/TileableNoise.h"

#include <cmath>

namespace {

std::uint32_t Hash(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double Fade(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

int Wrap(int i, int period)
{
    const int m = i % period;
    return m < 0 ? m + period : m;
}

} // namespace

double TileableNoise::Dot(int ix, int iy, int period, double fx, double fy) const
{
    const std::uint32_t h = Hash(Hash(Hash(Seed) ^ std::uint32_t(Wrap(ix, period))) ^ (std::uint32_t(Wrap(iy, period)) * 0x9E3779B9U) ^ std::uint32_t(period));
    const double angle = (h & 0xFFFF) * (6.283185307179586 / 65536.0);
    return std::cos(angle) * fx + std::sin(angle) * fy;
}

double TileableNoise::Gradient(double u, double v, int period) const
{
    const double x = u * period;
    const double y = v * period;
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    const double fx = x - ix;
    const double fy = y - iy;
    const double a = Dot(ix, iy, period, fx, fy);
    const double b = Dot(ix + 1, iy, period, fx - 1, fy);
    const double c = Dot(ix, iy + 1, period, fx, fy - 1);
    const double d = Dot(ix + 1, iy + 1, period, fx - 1, fy - 1);
    const double sx = Fade(fx);
    const double sy = Fade(fy);
    const double top = a + (b - a) * sx;
    const double bottom = c + (d - c) * sx;
    return (top + (bottom - top) * sy) * 1.41421356;
}

double TileableNoise::Fractal(double u, double v, int period, int octaves, double gain) const
{
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * Gradient(u, v, period << o);
        total += weight;
        weight *= gain;
    }
    return sum / total;
}
