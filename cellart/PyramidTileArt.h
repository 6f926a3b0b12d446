#pragma once

#include <QImage>

// The cell seen from above as a flat pyramid: four triangular faces meeting in the middle,
// lit from the top so the upper face is lightest and the lower one darkest.
class PyramidTileArt
{
public:
    static QImage Render(int width, int height, int colourIndex);
};
