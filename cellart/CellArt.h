#pragma once

#include <QImage>

// The cell pictures and dissolve masks drawn for any size, in 32-bit pixels, by the code that
// made the shipped bitmaps: at the shipped sizes they come out as those bitmaps.
class TCellArt
{
public:
    static constexpr int ColourCount = 7;
    static constexpr int StepCount = 4;
    // A bigger request is drawn at this size: drawing costs grow with the area.
    static constexpr int LargestSide = 512;
    static constexpr int ShippedArea = 44 * 37;

    // Colour 1..7 of skin 1 (shaded), 2 (16 colours), 3 (pyramid) or 4 (number); null otherwise.
    static QImage Cell(int skin, int colour, int width, int height);
    // Dissolve mask of step 1..4, black where the cell stays; each pattern pixel is unit x unit.
    static QImage Mask(int step, int width, int height, int unit = 1);
};
