#include "cellart/DissolveMaskArt.h"

bool DissolveMaskArt::IsWhite(int step, int x, int y)
{
    // 2 x 2 dots on a 4-pixel grid, anchored at the top-left corner.
    const bool gridDot = x % 4 < 2 && y % 4 < 2;
    switch (step) {
    case 1:
        return gridDot;
    case 2:
        return (x / 2 + y / 2) % 2 == 0;
    case 3:
        return !gridDot;
    case 4:
        // Every other dot of step 3 remains, so each row of dots is 8 pixels apart and
        // shifted by 4 against the row above.
        return !(gridDot && (x / 4 + y / 4) % 2 == 0);
    default:
        return false;
    }
}

QImage DissolveMaskArt::Render(int step, int width, int height, int unit)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, IsWhite(step, x / unit, y / unit) ? 1u : 0u);
    return image;
}
