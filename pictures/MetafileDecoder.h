#pragma once

#include <QByteArray>
#include <QImage>

// Draws a Windows metafile (".wmf", with or without its placeable header) or an enhanced metafile
// (".emf") at its own size onto a transparent picture. A damaged file, one that runs past its end,
// claims an absurd size, names objects it never made or asks for more drawing than a
// background is worth makes DecodeBytes return false.
class TMetafileDecoder
{
public:
    static bool DecodeBytes(const QByteArray& bytes, QImage& picture);

    // No drawing worth a background is larger than this.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
};
