#pragma once

#include <QImage>
#include <QList>

// The four dissolve masks: black where the cell still shows, white where the well shows
// through. Each step lets more of the background through.
class DissolveMaskArt
{
public:
    // Black and white only, indexed: entry 0 black, entry 1 white.
    // unit: the size of one pattern pixel in image pixels, so that bigger cells keep the look.
    static QImage Render(int step, int width, int height, int unit = 1);
    static bool IsWhite(int step, int x, int y);
};
