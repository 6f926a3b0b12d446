#pragma once

#include <QByteArray>
#include <QImage>

// Decodes the bytes of a JPEG file with libjpeg into a 32-bit image. A damaged, truncated or oversized
// file makes Decode return false; libjpeg's errors never end the program.
class TJpegDecoder
{
public:
    static bool Decode(const QByteArray& bytes, QImage& picture);
};
