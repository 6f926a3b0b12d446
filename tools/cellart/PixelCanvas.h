#pragma once

#include "cellart/ColourTone.h"

#include <QHash>
#include <QImage>
#include <functional>

// A small transparent picture painted pixel by pixel, for the 16 x 16 menu pictures.
class PixelCanvas
{
public:
    using Shape = std::function<bool(double x, double y)>; // tested at pixel centres

    explicit PixelCanvas(int size);

    // Rows of characters, one per pixel; '.' leaves a pixel alone, other characters take
    // their colour from the key. Every row must be as wide as the canvas.
    bool Rows(const char* const* rows, int rowCount, int left, int top, const QHash<char, QRgb>& key);
    // Fills the shape with a colour lit from the top-left: a light rim on the upper and
    // left edges, a dark rim on the lower and right ones, and a dark outline around it.
    void Embossed(const Shape& shape, const ColourTone& base);
    // A small bevelled cell of one hue.
    void Cell(int left, int top, int width, int height, const ColourTone& hue);
    void Put(int x, int y, QRgb colour);

    const QImage& Image() const { return Picture; }

private:
    QImage Picture;
};
