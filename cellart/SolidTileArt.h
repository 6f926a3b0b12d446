#pragma once

#include <QImage>
#include <QList>

// The plain bevelled tile: the 16-colour look and the shaded 256-colour look.
class SolidTileArt
{
public:
    static constexpr int LargeWidth = 44;
    static constexpr int LargeHeight = 37;

    // The 16 colours of a classic VGA display, which hold all seven cell hues.
    static QList<QRgb> SixteenColours();
    // A flat tile with a 3-pixel white bevel top and left and a grey one bottom and right,
    // mitred at the corners; indexed into SixteenColours().
    static QImage Classic(int colourIndex);
    // The same flat tile at any size, its bevel grown with the height.
    static QImage Classic(int colourIndex, int width, int height);
    // The same tile with graduated bevels in tones of the colour; full colour, any size.
    // A bevel of 0 or less takes ShadedBevel(width).
    // samples: per pixel and axis (PixelSampler).
    static QImage Shaded(int width, int height, int colourIndex, int bevel = 0, int samples = 4);
    // Bevel width of the shaded tile for a cell of that width.
    static int ShadedBevel(int width);
};
