#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// The program icon: a dark well holding a stack of cells, with a two-cell piece dropping
// towards the gap. From 24 pixels up the well has a silver rim.
class IconArt
{
public:
    static QImage Render(int size);
    // A Windows icon file holding the given square pictures (each at most 255 pixels),
    // stored as 32-bit bitmaps with their transparency mask.
    static QByteArray IcoFile(const std::vector<QImage>& pictures);
};
