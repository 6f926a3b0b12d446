#include "cellart/SolidTileArt.h"

#include "cellart/CellHues.h"
#include "cellart/PixelSampler.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ClassicBevel = 3;
constexpr int WhiteIndex = 15;
constexpr int GreyIndex = 8;

// Smooth step for the curved profile of a bevel.
double Ease(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

} // namespace

QList<QRgb> SolidTileArt::SixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage SolidTileArt::Classic(int colourIndex)
{
    return Classic(colourIndex, LargeWidth, LargeHeight);
}

QImage SolidTileArt::Classic(int colourIndex, int width, int height)
{
    const QList<QRgb> palette = SixteenColours();
    const int face = int(palette.indexOf(CellHues::Rgb(colourIndex)));
    const int bevel = height <= LargeHeight ? ClassicBevel : int(std::lround(ClassicBevel * height / double(LargeHeight)));
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int light = std::min(x, y);
            const int dark = std::min(width - 1 - x, height - 1 - y);
            int index = face;
            if (std::min(light, dark) < bevel) {
                // On the mitre diagonal the bottom-left corner stays light, the top-right dark.
                const bool isLight = light < dark || (light == dark && x < y);
                index = isLight ? WhiteIndex : GreyIndex;
            }
            image.setPixel(x, y, uint(index));
        }
    }
    return image;
}

int SolidTileArt::ShadedBevel(int width)
{
    if (width > LargeWidth)
        return int(std::lround(5.0 * width / LargeWidth));
    return width >= LargeWidth ? 5 : width >= 34 ? 4 : 3;
}

QImage SolidTileArt::Shaded(int width, int height, int colourIndex, int bevelWidth, int samples)
{
    const ColourTone hue = CellHues::Tone(colourIndex);
    const double bevel = bevelWidth > 0 ? bevelWidth : ShadedBevel(width);
    return PixelSampler::Render(width, height, samples, [=](double x, double y) {
        const double top = y;
        const double left = x;
        const double right = width - x;
        const double bottom = height - y;
        const double nearest = std::min({top, left, right, bottom});
        if (nearest >= bevel) {
            // Face: a gentle fall of light from the top-left corner.
            const double u = (x - bevel) / (width - 2 * bevel);
            const double v = (y - bevel) / (height - 2 * bevel);
            return hue.Shifted(0.16 - 0.20 * v - 0.08 * u);
        }
        const double depth = Ease(nearest / bevel); // 0 at the rim, 1 where the face begins
        if (nearest == top)
            return hue.Lighter(0.72 - 0.50 * depth);
        if (nearest == left)
            return hue.Lighter(0.48 - 0.36 * depth);
        if (nearest == right)
            return hue.Darker(0.46 - 0.22 * depth);
        return hue.Darker(0.66 - 0.30 * depth);
    });
}
