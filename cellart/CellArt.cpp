#include "cellart/CellArt.h"

#include "cellart/DissolveMaskArt.h"
#include "cellart/NumberTileArt.h"
#include "cellart/PaletteQuantiser.h"
#include "cellart/PixelSampler.h"
#include "cellart/PyramidTileArt.h"
#include "cellart/SolidTileArt.h"

#include <algorithm>

namespace {

int Side(int pixels)
{
    return std::clamp(pixels, 1, TCellArt::LargestSide);
}

} // namespace

QImage TCellArt::Cell(int skin, int colour, int width, int height)
{
    if (colour < 1 || colour > ColourCount || width <= 0 || height <= 0)
        return {};
    width = Side(width);
    height = Side(height);
    QImage art;
    switch (skin) {
    case 1: art = SolidTileArt::Shaded(width, height, colour, 0, PixelSampler::SamplesFor(width)); break;
    case 2: art = SolidTileArt::Classic(colour, width, height); break;
    case 3: art = PyramidTileArt::Render(width, height, colour); break;
    case 4: art = NumberTileArt::Render(width, height, colour); break;
    default: return {};
    }
    // Up to the largest shipped size the cells keep the 256 colours their bitmaps store; bigger
    // ones keep every shade (the quantiser's cost grows with the colours).
    if (skin != 2 && width * height <= ShippedArea)
        art = PaletteQuantiser::ToIndexed(art, 256);
    return art.convertToFormat(QImage::Format_RGB32);
}

QImage TCellArt::Mask(int step, int width, int height, int unit)
{
    if (step < 1 || step > StepCount || width <= 0 || height <= 0)
        return {};
    return DissolveMaskArt::Render(step, Side(width), Side(height), std::max(1, unit)).convertToFormat(QImage::Format_RGB32);
}
