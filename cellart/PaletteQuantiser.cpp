#include "cellart/PaletteQuantiser.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace {

struct WeightedColour
{
    QRgb Colour;
    int Count;
};

int Channel(QRgb colour, int axis)
{
    return axis == 0 ? qRed(colour) : axis == 1 ? qGreen(colour) : qBlue(colour);
}

struct ColourBox
{
    std::vector<WeightedColour> Colours;

    int Weight() const
    {
        int sum = 0;
        for (const WeightedColour& c : Colours)
            sum += c.Count;
        return sum;
    }

    // Widest channel and its range.
    std::pair<int, int> LongestAxis() const
    {
        int bestAxis = 0;
        int bestRange = -1;
        for (int axis = 0; axis < 3; ++axis) {
            int low = 255;
            int high = 0;
            for (const WeightedColour& c : Colours) {
                low = std::min(low, Channel(c.Colour, axis));
                high = std::max(high, Channel(c.Colour, axis));
            }
            if (high - low > bestRange) {
                bestRange = high - low;
                bestAxis = axis;
            }
        }
        return {bestAxis, bestRange};
    }

    QRgb Mean() const
    {
        double r = 0, g = 0, b = 0, n = 0;
        for (const WeightedColour& c : Colours) {
            r += qRed(c.Colour) * double(c.Count);
            g += qGreen(c.Colour) * double(c.Count);
            b += qBlue(c.Colour) * double(c.Count);
            n += c.Count;
        }
        return qRgb(int(r / n + 0.5), int(g / n + 0.5), int(b / n + 0.5));
    }
};

std::vector<QRgb> MedianCut(std::vector<WeightedColour> colours, int maxColours)
{
    std::vector<ColourBox> boxes{ColourBox{std::move(colours)}};
    while (int(boxes.size()) < maxColours) {
        // Split the box whose widest channel, weighted by its pixel count, is largest.
        int chosen = -1;
        double bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].Colours.size() < 2)
                continue;
            const double score = double(boxes[i].LongestAxis().second + 1) * boxes[i].Weight();
            if (score > bestScore) {
                bestScore = score;
                chosen = i;
            }
        }
        if (chosen < 0)
            break;
        ColourBox& box = boxes[chosen];
        const int axis = box.LongestAxis().first;
        std::sort(box.Colours.begin(), box.Colours.end(), [axis](const WeightedColour& a, const WeightedColour& b) {
            if (Channel(a.Colour, axis) != Channel(b.Colour, axis))
                return Channel(a.Colour, axis) < Channel(b.Colour, axis);
            return a.Colour < b.Colour;
        });
        const int half = box.Weight() / 2;
        int running = 0;
        size_t split = 1;
        for (size_t i = 0; i + 1 < box.Colours.size(); ++i) {
            running += box.Colours[i].Count;
            split = i + 1;
            if (running >= half)
                break;
        }
        ColourBox upper{std::vector<WeightedColour>(box.Colours.begin() + long(split), box.Colours.end())};
        box.Colours.resize(split);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const ColourBox& box : boxes)
        palette.push_back(box.Mean());
    return palette;
}

int Luma(QRgb c)
{
    return 299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c);
}

} // namespace

QImage PaletteQuantiser::ToIndexed(const QImage& image, int maxColours)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> histogram;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++histogram[line[x] | 0xFF000000u];
    }

    std::vector<WeightedColour> colours;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        colours.push_back({it.key(), it.value()});
    std::sort(colours.begin(), colours.end(), [](const WeightedColour& a, const WeightedColour& b) { return a.Colour < b.Colour; });

    std::vector<QRgb> palette;
    if (int(colours.size()) <= maxColours) {
        for (const WeightedColour& c : colours)
            palette.push_back(c.Colour);
    } else {
        palette = MedianCut(colours, maxColours);
    }
    // Dark to light keeps the palette readable in an image editor.
    std::stable_sort(palette.begin(), palette.end(), [](QRgb a, QRgb b) { return Luma(a) < Luma(b); });
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());

    QHash<QRgb, int> nearest;
    for (const WeightedColour& c : colours) {
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < int(palette.size()); ++i) {
            const long dr = qRed(c.Colour) - qRed(palette[i]);
            const long dg = qGreen(c.Colour) - qGreen(palette[i]);
            const long db = qBlue(c.Colour) - qBlue(palette[i]);
            const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        nearest.insert(c.Colour, best);
    }

    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = uchar(nearest.value(line[x] | 0xFF000000u));
    }
    return indexed;
}
