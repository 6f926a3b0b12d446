#include "tools/cellart/PixelCanvas.h"

#include <cstring>
#include <vector>

PixelCanvas::PixelCanvas(int size)
    : Picture(size, size, QImage::Format_ARGB32)
{
    Picture.fill(Qt::transparent);
}

void PixelCanvas::Put(int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < Picture.width() && y < Picture.height())
        Picture.setPixel(x, y, colour);
}

bool PixelCanvas::Rows(const char* const* rows, int rowCount, int left, int top, const QHash<char, QRgb>& key)
{
    for (int r = 0; r < rowCount; ++r) {
        const int width = int(std::strlen(rows[0]));
        if (int(std::strlen(rows[r])) != width)
            return false;
        for (int c = 0; c < width; ++c) {
            const char ch = rows[r][c];
            if (ch == '.')
                continue;
            if (!key.contains(ch))
                return false;
            Put(left + c, top + r, key.value(ch));
        }
    }
    return true;
}

void PixelCanvas::Embossed(const Shape& shape, const ColourTone& base)
{
    const int size = Picture.width();
    std::vector<char> inside(size_t(size * size), 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            inside[size_t(y * size + x)] = shape(x + 0.5, y + 0.5) ? 1 : 0;
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < size && y < size && inside[size_t(y * size + x)]; };

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (in(x, y)) {
                ColourTone colour = base.Shifted(0.22 - 0.44 * (x + y) / (2.0 * size));
                if (!in(x, y - 1) || !in(x - 1, y))
                    colour = base.Lighter(0.55);
                else if (!in(x, y + 1) || !in(x + 1, y))
                    colour = base.Darker(0.38);
                Put(x, y, colour.ToRgb());
            } else if (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1)) {
                Put(x, y, base.Darker(0.72).ToRgb());
            }
        }
    }
}

void PixelCanvas::Cell(int left, int top, int width, int height, const ColourTone& hue)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ColourTone colour = hue.Shifted(0.10 - 0.20 * (x + y) / double(width + height));
            // Bottom-left corner stays light, top-right corner dark, as on the big cells.
            const bool dark = (y == height - 1 || x == width - 1) && !(x == 0 && y == height - 1);
            if (dark)
                colour = hue.Darker(0.50);
            else if (y == 0 || x == 0)
                colour = hue.Lighter(0.55);
            Put(left + x, top + y, colour.ToRgb());
        }
    }
}
