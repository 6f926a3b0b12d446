#pragma once

// Cell pictures and dissolve masks made in code, with the sizes and patterns of the built-in ones,
// so the drawing can be checked pixel by pixel without the program's resources.

#include "view/CellImages.h"

#include <QColor>
#include <QImage>

namespace StandIn
{

inline QRgb Hue(int colour)
{
    static const QRgb hues[8] = {qRgb(0, 0, 0),     qRgb(128, 0, 128), qRgb(0, 255, 255), qRgb(0, 0, 255),
                                 qRgb(0, 255, 0),   qRgb(255, 255, 0), qRgb(255, 0, 0),   qRgb(255, 0, 255)};
    return hues[colour];
}

// A cell whose every pixel differs from its neighbours, so a shifted or rescaled copy shows.
inline QImage PatternedCell(int colour, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    const QColor hue(Hue(colour));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((hue.red() + x * 5) & 0xff, (hue.green() + y * 7) & 0xff,
                                      (hue.blue() + x + y + 1) & 0xff));
    return image;
}

inline QImage SolidCell(int colour, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Hue(colour));
    return image;
}

// Step 1: black, white 2 x 2 dots every 4 pixels; 2: a 2 x 2 checkerboard; 3: the reverse of 1;
// 4: white, black 2 x 2 dots every 8 pixels, each row of dots shifted by 4.
inline bool MaskIsWhite(int step, int x, int y)
{
    const bool dot = x % 4 < 2 && y % 4 < 2;
    switch (step)
    {
    case 1: return dot;
    case 2: return (x / 2 + y / 2) % 2 == 0;
    case 3: return !dot;
    default: return !(y % 4 < 2 && (x + ((y / 4) % 2) * 4) % 8 < 2);
    }
}

inline QImage Mask(int step, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, MaskIsWhite(step, x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
}

enum class TCellLook
{
    Patterned,
    Solid,
};

inline void Load(TCellImages& cells, int cellWidth, int cellHeight, int maskWidth, int maskHeight,
                 TCellLook look = TCellLook::Patterned)
{
    for (int colour = 1; colour <= 7; ++colour)
        cells.SetCellImage(colour, look == TCellLook::Patterned ? PatternedCell(colour, cellWidth, cellHeight)
                                                                : SolidCell(colour, cellWidth, cellHeight));
    for (int step = 1; step <= 4; ++step)
        cells.SetSolveImage(step, Mask(step, maskWidth, maskHeight));
    cells.ResizeMaskImage();
}

} // namespace StandIn
