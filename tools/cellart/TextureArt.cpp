#include "tools/cellart/TextureArt.h"

#include "cellart/ColourTone.h"
#include "tools/cellart/TileableNoise.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double Tau = 6.283185307179586;

// Sharp ridge where the sine crosses zero: the thin line of a marble vein.
double Vein(double phase, double sharpness)
{
    return std::pow(1.0 - std::fabs(std::sin(phase)), sharpness);
}

// Fine per-pixel grain, -1..1; on the pixel grid, so it tiles by itself.
double PixelGrain(double u, double v, std::uint32_t seed)
{
    std::uint32_t h = std::uint32_t(u * TextureArt::Size) * 0x8DA6B343U ^ std::uint32_t(v * TextureArt::Size) * 0xD8163841U ^ seed;
    h ^= h >> 13;
    h *= 0x5BD1E995U;
    h ^= h >> 15;
    return (h & 0xFFFF) / 32767.5 - 1.0;
}

template <typename Shader>
QImage Render(Shader shader)
{
    QImage image(TextureArt::Size, TextureArt::Size, QImage::Format_RGB32);
    for (int y = 0; y < TextureArt::Size; ++y)
        for (int x = 0; x < TextureArt::Size; ++x)
            image.setPixel(x, y, shader(double(x) / TextureArt::Size, double(y) / TextureArt::Size).ToRgb());
    return image;
}

} // namespace

QImage TextureArt::OuterMarble()
{
    const TileableNoise warp(0x5EED0001U);
    const TileableNoise cloud(0x5EED0002U);
    const TileableNoise fine(0x5EED0003U);
    return Render([&](double u, double v) {
        const double turbulence = warp.Fractal(u, v, 2, 5, 0.5);
        const double soft = cloud.Fractal(u, v, 2, 6, 0.6) * 0.5 + 0.5;
        // The sine's frequencies are whole numbers across the picture, so veins wrap around.
        const double phase = Tau * (u + v) + 4.5 * turbulence;
        const double glow = Vein(phase, 3);
        const double main = Vein(phase, 22);
        const double thin = Vein(Tau * (2 * u - v) + 4.0 * fine.Fractal(u, v, 3, 6, 0.6), 60);

        ColourTone colour = ColourTone{17, 20, 27}.MixedWith({52, 58, 74}, soft * soft * 1.3);
        colour = colour.MixedWith({70, 78, 96}, 0.35 * glow);
        colour = colour.MixedWith({132, 140, 158}, 0.55 * main);
        colour = colour.MixedWith({112, 118, 134}, 0.30 * thin);
        const double speck = PixelGrain(u, v, 0x5EED0004U) * 2.0;
        return colour + ColourTone{speck, speck, speck};
    });
}

QImage TextureArt::InnerDepth()
{
    const TileableNoise cloud(0x5EED0011U);
    return Render([&](double u, double v) {
        const double soft = cloud.Fractal(u, v, 3, 5, 0.55) * 0.5 + 0.5;
        // A faint diagonal weave, 8 pixels apart, crossing at right angles.
        const double weave = 0.5 * (std::sin(Tau * 32 * (u + v)) + std::sin(Tau * 32 * (u - v)));
        const double speck = PixelGrain(u, v, 0x5EED0012U) * 1.0;

        ColourTone colour = ColourTone{7, 9, 20}.MixedWith({18, 22, 42}, soft);
        const double lift = 2.6 * weave + speck;
        return colour + ColourTone{lift * 0.8, lift * 0.9, lift * 1.2};
    });
}
