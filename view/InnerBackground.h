#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

// The inner background of the well: a plain colour, or a picture tiled from the well's corner or
// stretched over it. A colour and an opaque tiled picture repeat with a short period: one period
// is kept instead of a well-sized picture.
class TInnerBackground
{
public:
    void Clear();
    void SetColour(QRgb colour);
    // The picture over a well of the given size: one period when it repeats, else a well-sized
    // picture (kept from the last time when the size is the same) with the picture laid over it,
    // first stretched when its transparent parts should show the stretch through the tiles.
    void SetPicture(const QImage& picture, QSize well, bool tile, bool stretchedUnder);

    const QImage& Image() const { return Picture; }
    bool IsTiled() const { return Tiled; }

private:
    QImage Picture;
    bool Tiled = false;
};
