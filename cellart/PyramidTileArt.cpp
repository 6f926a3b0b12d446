#include "cellart/PyramidTileArt.h"

#include "cellart/CellHues.h"
#include "cellart/PixelSampler.h"

#include <algorithm>
#include <cmath>

QImage PyramidTileArt::Render(int width, int height, int colourIndex)
{
    const ColourTone hue = CellHues::Tone(colourIndex);
    const double rim = std::max(1.0, std::round(height / 37.0));
    return PixelSampler::Render(width, height, PixelSampler::SamplesFor(width), [=](double x, double y) {
        // Normalised position; the faces are split by the diagonals through the centre.
        const double u = x / width;
        const double v = y / height;
        // Distance towards the apex along the face's own axis: 0 at the rim, 1 at the apex.
        ColourTone face;
        double rise = 0;
        if (v <= u && v <= 1 - u) {
            rise = v * 2;
            face = hue.Lighter(0.50 - 0.16 * rise);
        } else if (u <= v && u <= 1 - v) {
            rise = u * 2;
            face = hue.Shifted(0.16 - 0.10 * rise);
        } else if (u >= v && u >= 1 - v) {
            rise = (1 - u) * 2;
            face = hue.Darker(0.26 - 0.08 * rise);
        } else {
            rise = (1 - v) * 2;
            face = hue.Darker(0.52 - 0.10 * rise);
        }
        // A rim one pixel wide at the shipped sizes: catches the light on the upper and left edges, falls into shade
        // on the lower and right ones, so neighbouring cells stay apart.
        if (y < rim || x < rim)
            return hue.Lighter(0.62);
        if (y >= height - rim || x >= width - rim)
            return hue.Darker(0.70);
        return face;
    });
}
