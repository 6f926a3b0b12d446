#include "tools/cellart/IconArt.h"

#include "cellart/PixelSampler.h"
#include "cellart/SolidTileArt.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Colour index per cell of a 4 x 4 grid, top row first; 0 leaves the square empty.
constexpr int Layout[4][4] = {
    {0, 5, 0, 0},
    {0, 6, 0, 0},
    {4, 0, 3, 7},
    {3, 4, 6, 6},
};

// The dark well behind the cells, with a silver bevelled rim of the given width.
QImage WellBackdrop(int size, int rim)
{
    return PixelSampler::Render(size, size, 4, [=](double x, double y) {
        const double nearest = std::min({x, y, size - x, size - y});
        if (nearest < rim) {
            const bool light = std::min(x, y) < std::min(size - x, size - y);
            return light ? ColourTone{236, 236, 240} : ColourTone{112, 112, 124};
        }
        const double v = (y - rim) / (size - 2.0 * rim);
        return ColourTone{30, 36, 70}.MixedWith({8, 10, 24}, v);
    });
}

void PutU16(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void PutU32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

QByteArray IconBitmap(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int size = argb.width();
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray out;
    PutU32(out, 40);
    PutU32(out, quint32(size));
    PutU32(out, quint32(size * 2)); // colour rows and mask rows together
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, 0);
    PutU32(out, quint32(size * size * 4 + maskStride * size));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const QRgb p = argb.pixel(x, y);
            out.append(char(qBlue(p)));
            out.append(char(qGreen(p)));
            out.append(char(qRed(p)));
            out.append(char(qAlpha(p)));
        }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < size; ++x)
            if (qAlpha(argb.pixel(x, y)) == 0)
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

} // namespace

QImage IconArt::Render(int size)
{
    // Too small for a rim, the well is only a dark square behind the cells.
    const bool framed = size >= 24;
    const int rim = framed ? std::max(1, int(std::lround(size / 24.0))) : 0;
    const int inner = size - 2 * (rim + (framed ? std::max(1, size / 32) : 0));
    const int cell = inner / 4;
    const int bevel = std::max(1, int(std::lround(cell / 6.0)));
    const int margin = (size - 4 * cell) / 2;
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage(0, 0, WellBackdrop(size, rim));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            if (Layout[row][col] != 0)
                painter.drawImage(margin + col * cell, margin + row * cell, SolidTileArt::Shaded(cell, cell, Layout[row][col], bevel));
    return icon;
}

QByteArray IconArt::IcoFile(const std::vector<QImage>& pictures)
{
    std::vector<QByteArray> bitmaps;
    for (const QImage& p : pictures)
        bitmaps.push_back(IconBitmap(p));

    QByteArray out;
    PutU16(out, 0);
    PutU16(out, 1); // icon
    PutU16(out, int(pictures.size()));
    quint32 offset = quint32(6 + 16 * pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        out.append(char(pictures[i].width()));
        out.append(char(pictures[i].height()));
        out.append(char(0)); // no palette
        out.append(char(0));
        PutU16(out, 1);
        PutU16(out, 32);
        PutU32(out, quint32(bitmaps[i].size()));
        PutU32(out, offset);
        offset += quint32(bitmaps[i].size());
    }
    for (const QByteArray& b : bitmaps)
        out.append(b);
    return out;
}
