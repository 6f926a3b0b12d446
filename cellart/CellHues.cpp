#include "cellart/CellHues.h"

QRgb CellHues::Rgb(int colourIndex)
{
    switch (colourIndex) {
    case 1: return qRgb(128, 0, 128); // purple
    case 2: return qRgb(0, 255, 255); // cyan
    case 3: return qRgb(0, 0, 255);   // blue
    case 4: return qRgb(0, 255, 0);   // green
    case 5: return qRgb(255, 255, 0); // yellow
    case 6: return qRgb(255, 0, 0);   // red
    case 7: return qRgb(255, 0, 255); // magenta
    default: return qRgb(0, 0, 0);
    }
}
