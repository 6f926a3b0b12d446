#pragma once

#include <QImage>

// The large digits 1..7 of the number cells, as coverage masks (Format_Alpha8, 255 = inside)
// already placed in the middle of a cell of the given size. Cells of at least 34 pixels get
// smooth outlines; the smallest cells get hand-set pixel digits that stay crisp.
class DigitArt
{
public:
    static QImage Coverage(int digit, int width, int height);

private:
    static QImage Outline(int digit, int width, int height);
    static QImage PixelFont(int digit, int width, int height);
};
