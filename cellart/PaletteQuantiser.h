#pragma once

#include <QImage>

// Reduces a full-colour picture to an indexed one. Pictures with few enough colours keep
// them exactly; richer ones get a median-cut palette and nearest-colour mapping.
class PaletteQuantiser
{
public:
    static QImage ToIndexed(const QImage& image, int maxColours);
};
