#pragma once

#include <QImage>
#include <QString>

// Writes uncompressed Windows bitmaps (BITMAPINFOHEADER, bottom-up rows padded to 4 bytes).
// Qt's own writer cannot produce 4-bit files, which the 16-colour cells and the masks need.
class BmpWriter
{
public:
    // An indexed image at 4 bits (at most 16 colours) or 8 bits (at most 256 colours).
    // Only the image's own colour table is stored.
    static bool WritePalettised(const QString& path, const QImage& indexed, int bitsPerPixel);
    // A full-colour image at 24 bits; any alpha is dropped.
    static bool WriteTrueColour(const QString& path, const QImage& image);
};
