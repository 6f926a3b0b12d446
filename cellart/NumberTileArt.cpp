#include "cellart/NumberTileArt.h"

#include "cellart/CellHues.h"
#include "cellart/DigitArt.h"
#include "cellart/PixelSampler.h"
#include "cellart/SolidTileArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double CoverageAt(const QImage& coverage, int x, int y)
{
    if (x < 0 || y < 0 || x >= coverage.width() || y >= coverage.height())
        return 0;
    return coverage.constScanLine(y)[x] / 255.0;
}

// The largest coverage within `radius` pixels both ways, in two passes (rows, then columns).
std::vector<double> Dilated(const QImage& coverage, int radius)
{
    const int w = coverage.width();
    const int h = coverage.height();
    std::vector<double> rows(size_t(w) * h, 0.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = -radius; d <= radius; ++d)
                rows[size_t(y) * w + x] = std::max(rows[size_t(y) * w + x], CoverageAt(coverage, x + d, y));
    std::vector<double> both(rows.size(), 0.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = std::max(-radius, -y); d <= radius && y + d < h; ++d)
                both[size_t(y) * w + x] = std::max(both[size_t(y) * w + x], rows[size_t(y + d) * w + x]);
    return both;
}

} // namespace

QImage NumberTileArt::Render(int width, int height, int colourIndex)
{
    QImage tile = SolidTileArt::Shaded(width, height, colourIndex, 0, PixelSampler::SamplesFor(width));
    const QImage digit = DigitArt::Coverage(colourIndex, width, height);
    const ColourTone shade = CellHues::Tone(colourIndex).Darker(0.74);
    // The edge and the shadow keep their share of the digit on cells above the shipped sizes.
    const double grow = width > 44 && height > 37 ? height / 37.0 : 1.0;
    const int edgeReach = std::max(1, int(std::lround(grow)));
    const int shadowReach = width >= 44 ? std::max(2, int(std::lround(2 * grow))) : 1;
    const std::vector<double> edges = Dilated(digit, edgeReach);

    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double edge = edges[size_t(y) * width + x];
            double shadow = 0;
            for (int d = 1; d <= shadowReach; ++d)
                shadow = std::max(shadow, CoverageAt(digit, x - d, y - d) * (d == 1 || 2 * d <= shadowReach ? 1.0 : 0.55));

            const double body = CoverageAt(digit, x, y);
            const double grey = 240 - 44.0 * y / height;
            ColourTone colour = ColourTone::FromRgb(line[x]);
            colour = colour.MixedWith(shade, 0.60 * edge);
            colour = colour.MixedWith(shade, 0.85 * shadow);
            colour = colour.MixedWith({grey, grey, grey}, body);
            line[x] = colour.ToRgb();
        }
    }
    return tile;
}
