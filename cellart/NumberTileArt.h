#pragma once

#include <QImage>

// The shaded tile with its colour index as a big light-grey digit, given a dark edge and a
// drop shadow so that it reads on the light hues (yellow, cyan, green) too.
class NumberTileArt
{
public:
    static QImage Render(int width, int height, int colourIndex);
};
