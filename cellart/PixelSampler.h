#pragma once

#include "cellart/ColourTone.h"

#include <QImage>
#include <functional>

// Renders a picture from a colour function of continuous coordinates (pixel (x, y) covers
// [x, x+1) x [y, y+1)), averaging samples x samples points per pixel to smooth diagonals.
class PixelSampler
{
public:
    using Shader = std::function<ColourTone(double x, double y)>;
    static QImage Render(int width, int height, int samples, const Shader& shader);
    // 4 x 4 samples up to the largest shipped cell; bigger cells have pixels small enough
    // for 2 x 2, which keeps making a cell set quick.
    static int SamplesFor(int width) { return width <= 44 ? 4 : 2; }
};
