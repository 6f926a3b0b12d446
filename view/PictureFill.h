#pragma once

#include <QImage>

// Covers a whole image with a picture, tiled from its top-left corner or stretched, nearest
// pixel; pictures with transparent parts are laid over what the image holds.
class TPictureFill
{
public:
    static void Draw(QImage& target, const QImage& picture, bool tile);
};
