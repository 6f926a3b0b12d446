#include "pictures/WmfRecords.h"

#include "pictures/DibImage.h"
#include "pictures/GdiConstants.h"

#include <algorithm>

namespace WmfRecords
{

namespace
{

QPolygonF Points(TMetafileBytes& record, qsizetype offset, int count)
{
    QPolygonF points;
    if (!record.Holds(offset, int64_t(count) * 4))
    {
        record.Fail();
        return points;
    }
    points.reserve(count);
    for (int i = 0; i < count; ++i)
        points << record.Point16(offset + 4 * i);
    return points;
}

// The font's text is in the font's code page; Latin-1 covers the Western one.
QString Ansi(TMetafileBytes& record, qsizetype offset, qsizetype length)
{
    if (!record.Holds(offset, length))
    {
        record.Fail();
        return {};
    }
    QByteArray bytes(record.At(offset), length);
    bytes.truncate(qstrnlen(bytes.constData(), bytes.size()));
    return QString::fromLatin1(bytes);
}

// A packed bitmap from offset to the record's end.
QImage Dib(TMetafileCanvas& canvas, TMetafileBytes& record, qsizetype offset)
{
    const TMetafileBytes packed = record.Slice(offset, record.Length() - offset);
    return canvas.Afford(double(TDibImage::DeclaredPixels(packed))) ? TDibImage::DecodePacked(packed) : QImage();
}

// The bitmap records come with a bitmap, or without one to fill with the brush; the function's
// high byte counts the words of the parameters without. The form without has a spare word.
qsizetype SpareWithoutBitmap(TFunction function, TMetafileBytes& record)
{
    const qsizetype recordBytes = record.Length() + 6;
    return recordBytes != 2 * ((function >> 8) + 3) ? 0 : 2;
}

} // namespace

QColor ColourRef(TMetafileBytes& record, qsizetype offset)
{
    return QColor(record.U8(offset), record.U8(offset + 1), record.U8(offset + 2));
}

QRectF Box(TMetafileBytes& record, qsizetype offset)
{
    const double bottom = record.I16(offset);
    const double right = record.I16(offset + 2);
    const double top = record.I16(offset + 4);
    const double left = record.I16(offset + 6);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPointF YX(TMetafileBytes& record, qsizetype offset)
{
    return QPointF(record.I16(offset + 2), record.I16(offset));
}

QPolygonF Poly(TMetafileBytes& record)
{
    return Points(record, 2, record.I16(0));
}

// The number of polygons, each one's count, then all points.
std::vector<QPolygonF> PolyPoly(TMetafileBytes& record)
{
    const int count = record.U16(0);
    qsizetype at = 2 + 2 * qsizetype(count);
    std::vector<QPolygonF> polygons;
    for (int i = 0; i < count && !record.Failed(); ++i)
    {
        const int points = record.U16(2 + 2 * i);
        polygons.push_back(Points(record, at, points));
        at += 4 * qsizetype(points);
    }
    return polygons;
}

// The style, the width (x, then an unused y), the colour.
TGdiPen Pen(TMetafileBytes& record)
{
    return TGdiPen{record.U16(0), double(record.I16(2)), ColourRef(record, 6)};
}

// The style, the colour, the hatch.
TGdiBrush Brush(TMetafileBytes& record)
{
    return TGdiBrush{record.U16(0), ColourRef(record, 2), record.U16(6), {}};
}

// The style and colour use, then a packed bitmap.
TGdiBrush PatternBrush(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    return TGdiBrush{Gdi::BrushDibPattern, Qt::black, 0, Dib(canvas, record, 4)};
}

// Height, width, escapement, orientation, weight, italic, underline, strike-out, five bytes of
// character set, precision and quality, then the face of at most 32 bytes.
TGdiFont Font(TMetafileBytes& record)
{
    constexpr qsizetype FaceAt = 18;
    TGdiFont font;
    font.Height = record.I16(0);
    font.Escapement = record.I16(4);
    font.Weight = record.I16(8);
    font.Italic = record.U8(10) != 0;
    font.Underline = record.U8(11) != 0;
    font.StrikeOut = record.U8(12) != 0;
    font.Face = Ansi(record, FaceAt, std::min<qsizetype>(32, std::max<qsizetype>(0, record.Length() - FaceAt)));
    return font;
}

// The length, the text padded to whole words, then the point.
TText ReadTextOut(TMetafileBytes& record)
{
    const int length = std::max<int>(record.I16(0), 0);
    const qsizetype padded = (qsizetype(length) + 1) / 2 * 2;
    const QPointF reference = YX(record, 2 + padded);
    return TText{reference, Ansi(record, 2, length), std::nullopt};
}

// The point, the length, the options, the box when opaque or clipped, then the text.
TText ReadExtTextOut(TMetafileBytes& record)
{
    TText text;
    text.Reference = YX(record, 0);
    const int length = std::max<int>(record.I16(4), 0);
    const uint16_t options = record.U16(6);
    const bool hasBox = options & (Gdi::TextOpaque | Gdi::TextClipped);
    if (options & Gdi::TextOpaque)
        text.OpaqueBox = QRectF(QPointF(record.I16(8), record.I16(10)), QPointF(record.I16(12), record.I16(14)));
    text.Text = Ansi(record, hasBox ? 16 : 8, length);
    return text;
}

// The operation, then the target's height, width, top and left.
TBitmapTransfer PatternFill(TMetafileBytes& record)
{
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I16(10), record.I16(8), record.I16(6), record.I16(4));
    transfer.RasterOp = record.U32(0);
    return transfer;
}

// The operation, the source's top and left, the target's height, width, top and left, the bitmap.
TBitmapTransfer BlockTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    const qsizetype spare = SpareWithoutBitmap(DibBitBlt, record);
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I16(14 + spare), record.I16(12 + spare), record.I16(10 + spare), record.I16(8 + spare));
    if (spare == 0)
        transfer.Bitmap = Dib(canvas, record, 16);
    transfer.Source = QRectF(record.I16(6), record.I16(4), std::abs(transfer.Target.width()),
                             std::abs(transfer.Target.height()));
    transfer.RasterOp = record.U32(0);
    return transfer;
}

// The operation, the source's height, width, top and left, the target's likewise, the bitmap.
TBitmapTransfer StretchTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    const qsizetype spare = SpareWithoutBitmap(DibStretchBlt, record);
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I16(18 + spare), record.I16(16 + spare), record.I16(14 + spare), record.I16(12 + spare));
    transfer.Source = QRectF(record.I16(10), record.I16(8), record.I16(6), record.I16(4));
    if (spare == 0)
        transfer.Bitmap = Dib(canvas, record, 20);
    transfer.RasterOp = record.U32(0);
    return transfer;
}

// The operation, the colour use, the source's height, width, top and left (rows from the
// bottom), the target's likewise, the bitmap.
TBitmapTransfer StretchDibTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I16(20), record.I16(18), record.I16(16), record.I16(14));
    const QRectF source(record.I16(12), record.I16(10), record.I16(8), record.I16(6));
    const TMetafileBytes packed = record.Slice(22, record.Length() - 22);
    transfer.Bitmap = Dib(canvas, record, 22);
    transfer.Source = TDibImage::SourceFromTop(packed, source, transfer.Bitmap.height());
    transfer.RasterOp = record.U32(0);
    return transfer;
}

// The colour use, the scan lines given, the source's top and left, the size, the target's top
// and left, the bitmap; copied unscaled.
TBitmapTransfer DibToDeviceTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I16(16), record.I16(14), record.I16(12), record.I16(10));
    const QRectF source(record.I16(8), record.I16(6), record.I16(12), record.I16(10));
    const TMetafileBytes packed = record.Slice(18, record.Length() - 18);
    transfer.Bitmap = Dib(canvas, record, 18);
    transfer.Source = TDibImage::SourceFromTop(packed, source, transfer.Bitmap.height());
    transfer.RasterOp = Gdi::SrcCopy;
    return transfer;
}

} // namespace WmfRecords
