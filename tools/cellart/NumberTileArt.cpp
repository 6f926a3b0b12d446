#include "tools/cellart/NumberTileArt.h"

#include "tools/cellart/CellHues.h"
#include "tools/cellart/DigitArt.h"
#include "tools/cellart/SolidTileArt.h"

#include <algorithm>

namespace {

double CoverageAt(const QImage& coverage, int x, int y)
{
    if (x < 0 || y < 0 || x >= coverage.width() || y >= coverage.height())
        return 0;
    return coverage.constScanLine(y)[x] / 255.0;
}

} // namespace

QImage NumberTileArt::Render(int width, int height, int colourIndex)
{
    QImage tile = SolidTileArt::Shaded(width, height, colourIndex);
    const QImage digit = DigitArt::Coverage(colourIndex, width, height);
    const ColourTone shade = CellHues::Tone(colourIndex).Darker(0.74);
    const int shadowReach = width >= 44 ? 2 : 1;

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double edge = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    edge = std::max(edge, CoverageAt(digit, x + dx, y + dy));
            double shadow = 0;
            for (int d = 1; d <= shadowReach; ++d)
                shadow = std::max(shadow, CoverageAt(digit, x - d, y - d) * (d == 1 ? 1.0 : 0.55));

            const double body = CoverageAt(digit, x, y);
            const double grey = 240 - 44.0 * y / height;
            ColourTone colour = ColourTone::FromRgb(tile.pixel(x, y));
            colour = colour.MixedWith(shade, 0.60 * edge);
            colour = colour.MixedWith(shade, 0.85 * shadow);
            colour = colour.MixedWith({grey, grey, grey}, body);
            tile.setPixel(x, y, colour.ToRgb());
        }
    }
    return tile;
}
