#include "pictures/EmfRecords.h"

#include "pictures/DibImage.h"
#include "pictures/GdiConstants.h"

namespace EmfRecords
{

namespace
{

// Where a record keeps the offset and size of its bitmap's header and of its bits.
struct TDibPlace
{
    qsizetype InfoAt;
    qsizetype BitsAt;
};

// The header of the bitmap a record carries, at the offset and size found at infoAt.
TMetafileBytes Info(TMetafileBytes& record, qsizetype infoAt)
{
    const int64_t offset = int64_t(record.U32(infoAt)) - 8;
    const int64_t bytes = record.U32(infoAt + 4);
    return record.Holds(offset, bytes) ? record.Slice(offset, bytes) : TMetafileBytes(nullptr, 0);
}

// A bitmap that a record carries at offsets from its own start.
QImage Dib(TMetafileCanvas& canvas, TMetafileBytes& record, TDibPlace place, bool alpha = false)
{
    const uint32_t infoOffset = record.U32(place.InfoAt);
    const uint32_t infoBytes = record.U32(place.InfoAt + 4);
    const uint32_t bitsOffset = record.U32(place.BitsAt);
    const uint32_t bitsBytes = record.U32(place.BitsAt + 4);
    if (infoBytes == 0 || record.Failed())
        return {};
    // The record starts 8 bytes before what this reader holds.
    TMetafileBytes info = record.Slice(qsizetype(infoOffset) - 8, infoBytes);
    TMetafileBytes bits = record.Slice(qsizetype(bitsOffset) - 8, bitsBytes);
    if (record.Failed() || !canvas.Afford(double(TDibImage::DeclaredPixels(info))))
        return {};
    return alpha ? TDibImage::DecodeWithAlpha(info, bits) : TDibImage::Decode(info, bits);
}

// count points of 4 (16-bit) or 8 (32-bit) bytes from offset.
QPolygonF Points(TMetafileBytes& record, qsizetype offset, int64_t count, bool small)
{
    QPolygonF points;
    const int step = small ? 4 : 8;
    if (!record.Holds(offset, count * step))
    {
        record.Fail();
        return points;
    }
    points.reserve(count);
    for (int64_t i = 0; i < count; ++i)
        points << (small ? record.Point16(offset + step * i) : record.Point32(offset + step * i));
    return points;
}

// The bounds every drawing record starts with.
constexpr qsizetype BoundsBytes = 16;

} // namespace

THeader ReadHeader(TMetafileBytes& file)
{
    THeader header;
    header.Bytes = file.U32(4);
    header.Frame = Box(file, 24);
    header.Handles = file.U16(56);
    header.DevicePixels = QSizeF(file.I32(72), file.I32(76));
    header.DeviceMillimetres = QSizeF(file.I32(80), file.I32(84));
    return header;
}

bool HasSignature(TMetafileBytes& file)
{
    return file.U32(0) == Header && file.U32(40) == Signature && !file.Failed();
}

QColor ColourRef(TMetafileBytes& record, qsizetype offset)
{
    return QColor(record.U8(offset), record.U8(offset + 1), record.U8(offset + 2));
}

QRectF Box(TMetafileBytes& record, qsizetype offset)
{
    return QRectF(record.Point32(offset), record.Point32(offset + 8));
}

QSizeF Extent(TMetafileBytes& record, qsizetype offset)
{
    return QSizeF(record.I32(offset), record.I32(offset + 4));
}

QTransform Xform(TMetafileBytes& record, qsizetype offset)
{
    return QTransform(record.F32(offset), record.F32(offset + 4), record.F32(offset + 8), record.F32(offset + 12),
                      record.F32(offset + 16), record.F32(offset + 20));
}

// The bounds, the count, the points.
QPolygonF Poly(TMetafileBytes& record, bool small)
{
    return Points(record, BoundsBytes + 4, record.U32(BoundsBytes), small);
}

// The bounds, the number of figures, the total of points, each figure's count, then all points.
std::vector<QPolygonF> PolyPoly(TMetafileBytes& record, bool small)
{
    constexpr qsizetype CountsAt = BoundsBytes + 8;
    std::vector<QPolygonF> figures;
    const uint32_t count = record.U32(BoundsBytes);
    if (!record.Holds(CountsAt, int64_t(count) * 4))
    {
        record.Fail();
        return figures;
    }
    qsizetype at = CountsAt + 4 * qsizetype(count);
    for (uint32_t i = 0; i < count && !record.Failed(); ++i)
    {
        const uint32_t points = record.U32(CountsAt + 4 * i);
        figures.push_back(Points(record, at, points, small));
        at += qsizetype(points) * (small ? 4 : 8);
    }
    return figures;
}

// The table index, the style, the width (its x), the colour.
TObject Pen(TMetafileBytes& record)
{
    return {record.U32(0), TGdiPen{record.U32(4), double(record.I32(8)), ColourRef(record, 16)}};
}

// The index, the bitmap's place (unused), the style, the width, the brush's style and colour.
TObject ExtPen(TMetafileBytes& record)
{
    // A pen whose brush is hollow draws nothing.
    const uint32_t style = record.U32(28) == Gdi::BrushNull ? Gdi::PenNull : record.U32(20);
    return {record.U32(0), TGdiPen{style, double(record.U32(24)), ColourRef(record, 32)}};
}

// The index, the style, the colour, the hatch.
TObject Brush(TMetafileBytes& record)
{
    return {record.U32(0), TGdiBrush{record.U32(4), ColourRef(record, 8), record.U32(12), {}}};
}

// The index, how its colours are used, then the bitmap's place.
TObject PatternBrush(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    return {record.U32(0), TGdiBrush{Gdi::BrushDibPattern, Qt::black, 0, Dib(canvas, record, {8, 16})}};
}

// The index, then the logical font: height, width, escapement, orientation, weight, italic,
// underline, strike-out, four bytes of character set and quality, and the face of 32 units.
TObject Font(TMetafileBytes& record)
{
    constexpr qsizetype FaceAt = 32;
    constexpr qsizetype FaceUnits = 32;
    TGdiFont font;
    font.Height = record.I32(4);
    font.Escapement = record.I32(12);
    font.Weight = record.I32(20);
    font.Italic = record.U8(24) != 0;
    font.Underline = record.U8(25) != 0;
    font.StrikeOut = record.U8(26) != 0;
    if (record.Holds(FaceAt, 2 * FaceUnits))
    {
        const QString name = record.Utf16(FaceAt, FaceUnits);
        font.Face = name.left(name.indexOf(QChar(0)) < 0 ? FaceUnits : name.indexOf(QChar(0)));
    }
    return {record.U32(0), font};
}

// The bounds, the graphics mode and two scales, then the text: its reference point, its length,
// where its characters lie, the options and the box.
std::optional<TText> Text(TMetafileBytes& record, bool wide)
{
    const QPointF reference = record.Point32(28);
    const uint32_t count = record.U32(36);
    const int64_t offset = int64_t(record.U32(40)) - 8;
    const uint32_t options = record.U32(44);
    const QRectF box = Box(record, 48);
    if (record.Failed() || !record.Holds(offset, int64_t(count) * (wide ? 2 : 1)))
        return std::nullopt;
    const QString text = wide ? record.Utf16(offset, count) : QString::fromLatin1(record.At(offset), count);
    return TText{reference, text, (options & Gdi::TextOpaque) ? std::optional<QRectF>(box) : std::nullopt};
}

// The size of the region data and the mode; the data: a 32-byte header with the count of
// rectangles, then the rectangles.
std::optional<TClipRegion> ClipRegion(TMetafileBytes& record)
{
    constexpr qsizetype DataAt = 8;
    constexpr qsizetype RectsAt = DataAt + 32;
    TClipRegion region;
    const uint32_t dataBytes = record.U32(0);
    region.Mode = record.I32(4);
    if (dataBytes >= 32)
    {
        const uint32_t count = record.U32(DataAt + 8);
        if (!record.Holds(RectsAt, int64_t(count) * 16))
            return std::nullopt;
        region.Rects.reserve(count);
        for (uint32_t i = 0; i < count; ++i)
            region.Rects.push_back(Box(record, RectsAt + 16 * qsizetype(i)));
    }
    return region;
}

// The bounds, the target, the raster operation, the source's corner and transform, the
// background colour, the colour use, the bitmap's place, and (stretched only) the source's size.
TBitmapTransfer BlockTransfer(TMetafileCanvas& canvas, TMetafileBytes& record, bool stretch)
{
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I32(16), record.I32(20), record.I32(24), record.I32(28));
    transfer.Bitmap = Dib(canvas, record, {76, 84});
    const QSizeF size = stretch ? Extent(record, 92) : transfer.Target.size();
    transfer.Source = QRectF(record.Point32(36), size);
    transfer.RasterOp = record.U32(32);
    return transfer;
}

// As the stretched transfer, with a blend in place of the raster operation: operation, flags,
// a constant opacity, and whether the bitmap carries coverage.
TBitmapTransfer AlphaBlendTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I32(16), record.I32(20), record.I32(24), record.I32(28));
    transfer.Opacity = record.U8(34) / 255.0;
    transfer.Bitmap = Dib(canvas, record, {76, 84}, record.U8(35) & Gdi::AcSrcAlpha);
    transfer.Source = QRectF(record.Point32(36), Extent(record, 92));
    transfer.RasterOp = Gdi::SrcCopy;
    return transfer;
}

// The bounds, the target's corner, the source, the bitmap's place, the colour use, the raster
// operation and the target's size.
TBitmapTransfer StretchDibTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    TBitmapTransfer transfer;
    transfer.Target = QRectF(record.I32(16), record.I32(20), record.I32(64), record.I32(68));
    transfer.Bitmap = Dib(canvas, record, {40, 48});
    const QRectF source(record.I32(24), record.I32(28), record.I32(32), record.I32(36));
    transfer.Source = TDibImage::SourceFromTop(Info(record, 40), source, transfer.Bitmap.height());
    transfer.RasterOp = record.U32(60);
    return transfer;
}

// The bounds, the target's corner, the source, the bitmap's place, unscaled.
TBitmapTransfer DibToDeviceTransfer(TMetafileCanvas& canvas, TMetafileBytes& record)
{
    TBitmapTransfer transfer;
    const QRectF source(record.I32(24), record.I32(28), record.I32(32), record.I32(36));
    transfer.Target = QRectF(QPointF(record.I32(16), record.I32(20)), source.size());
    transfer.Bitmap = Dib(canvas, record, {40, 48});
    transfer.Source = TDibImage::SourceFromTop(Info(record, 40), source, transfer.Bitmap.height());
    transfer.RasterOp = Gdi::SrcCopy;
    return transfer;
}

} // namespace EmfRecords
