#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// The program icon: a little well corner with a stack of cells and a piece dropping into
// the gap. Transparent around the cells.
class IconArt
{
public:
    static QImage Render(int size);
    // A Windows icon file holding the given square pictures (each at most 255 pixels),
    // stored as 32-bit bitmaps with their transparency mask.
    static QByteArray IcoFile(const std::vector<QImage>& pictures);
};
