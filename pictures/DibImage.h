#pragma once

#include <QImage>
#include <QRectF>

class TMetafileBytes;

// The device-independent bitmaps that metafiles carry: a BITMAPINFO header with its colour table,
// and the pixel bits, either apart (enhanced metafiles) or packed together (Windows metafiles).
class TDibImage
{
public:
    static QImage Decode(TMetafileBytes info, TMetafileBytes bits);
    static QImage DecodePacked(TMetafileBytes packed);
    // 32-bit bitmaps whose fourth byte is coverage, premultiplied, as alpha blending takes them.
    static QImage DecodeWithAlpha(TMetafileBytes info, TMetafileBytes bits);
    // Device-independent bitmaps name rows from the bottom unless their height is negative; a
    // source rectangle given that way is turned into the decoded picture's rows, counted from the top.
    static QRectF SourceFromTop(TMetafileBytes info, QRectF source, int pictureHeight);
    // The pixels the header announces, before anything is decoded.
    static int64_t DeclaredPixels(TMetafileBytes info);

private:
    // Bytes of the header and colour table, or -1 when the header is not one we know.
    static int64_t InfoBytes(TMetafileBytes& info);
};
