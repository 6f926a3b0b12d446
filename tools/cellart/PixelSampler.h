#pragma once

#include "tools/cellart/ColourTone.h"

#include <QImage>
#include <functional>

// Renders a picture from a colour function of continuous coordinates (pixel (x, y) covers
// [x, x+1) x [y, y+1)), averaging samples x samples points per pixel to smooth diagonals.
class PixelSampler
{
public:
    using Shader = std::function<ColourTone(double x, double y)>;
    static QImage Render(int width, int height, int samples, const Shader& shader);
};
