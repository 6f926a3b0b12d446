#include "pictures/EmfPlayer.h"

#include "pictures/DibImage.h"
#include "pictures/MetafileBytes.h"
#include "pictures/MetafileCanvas.h"
#include "pictures/PictureLimits.h"

#include <cmath>

namespace
{

constexpr uint32_t Signature = 0x464D4520; // " EMF"
constexpr qsizetype SmallestHeader = 88;
constexpr double ScreenDpi = 96;
constexpr uint32_t StockObject = 0x80000000;

enum TEmfRecord : uint32_t
{
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetPixelV = 15,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    ScaleViewportExtEx = 31,
    ScaleWindowExtEx = 32,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    AngleArc = 41,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    Arc = 45,
    Chord = 46,
    Pie = 47,
    LineTo = 54,
    ArcTo = 55,
    SetArcDirection = 57,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    SelectClipPath = 67,
    AbortPath = 68,
    ExtSelectClipRgn = 75,
    BitBlt = 76,
    StretchBlt = 77,
    SetDiBitsToDevice = 80,
    StretchDiBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutA = 83,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    CreateDibPatternBrushPt = 94,
    ExtCreatePen = 95,
    AlphaBlend = 114,
};

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

// Bounds (16 bytes), the count, the points.
QPolygonF Poly(TMetafileBytes& record, bool small)
{
    return Points(record, 20, record.U32(16), small);
}

// Bounds, the number of figures, the total of points, each figure's count, then all points.
std::vector<QPolygonF> PolyPoly(TMetafileBytes& record, bool small)
{
    std::vector<QPolygonF> figures;
    const uint32_t count = record.U32(16);
    if (!record.Holds(24, int64_t(count) * 4))
    {
        record.Fail();
        return figures;
    }
    qsizetype at = 24 + 4 * qsizetype(count);
    for (uint32_t i = 0; i < count && !record.Failed(); ++i)
    {
        const uint32_t points = record.U32(24 + 4 * i);
        figures.push_back(Points(record, at, points, small));
        at += qsizetype(points) * (small ? 4 : 8);
    }
    return figures;
}

QTransform Xform(TMetafileBytes& record, qsizetype offset)
{
    return QTransform(record.F32(offset), record.F32(offset + 4), record.F32(offset + 8), record.F32(offset + 12),
                      record.F32(offset + 16), record.F32(offset + 20));
}

// The header of the bitmap a record carries, at the offset and size found at infoAt.
TMetafileBytes Info(TMetafileBytes& record, qsizetype infoAt)
{
    const int64_t offset = int64_t(record.U32(infoAt)) - 8;
    const int64_t bytes = record.U32(infoAt + 4);
    return record.Holds(offset, bytes) ? record.Slice(offset, bytes) : TMetafileBytes(nullptr, 0);
}

// A bitmap that a record carries at offsets from its own start.
QImage Dib(TMetafileCanvas& canvas, TMetafileBytes& record, qsizetype infoAt, qsizetype bitsAt, bool alpha = false)
{
    const uint32_t infoOffset = record.U32(infoAt);
    const uint32_t infoBytes = record.U32(infoAt + 4);
    const uint32_t bitsOffset = record.U32(bitsAt);
    const uint32_t bitsBytes = record.U32(bitsAt + 4);
    if (infoBytes == 0 || record.Failed())
        return {};
    // The record starts 8 bytes before what this reader holds.
    TMetafileBytes info = record.Slice(qsizetype(infoOffset) - 8, infoBytes);
    TMetafileBytes bits = record.Slice(qsizetype(bitsOffset) - 8, bitsBytes);
    if (record.Failed() || !canvas.Afford(double(TDibImage::DeclaredPixels(info))))
        return {};
    return alpha ? TDibImage::DecodeWithAlpha(info, bits) : TDibImage::Decode(info, bits);
}

TGdiFont Font(TMetafileBytes& record)
{
    TGdiFont font;
    font.Height = record.I32(4);
    font.Escapement = record.I32(12);
    font.Weight = record.I32(20);
    font.Italic = record.U8(24) != 0;
    font.Underline = record.U8(25) != 0;
    font.StrikeOut = record.U8(26) != 0;
    if (record.Holds(32, 64))
    {
        const auto* face = reinterpret_cast<const char16_t*>(record.At(32));
        QString name = QString::fromUtf16(face, 32);
        font.Face = name.left(name.indexOf(QChar(0)) < 0 ? 32 : name.indexOf(QChar(0)));
    }
    return font;
}

// EMRTEXT after the bounds, the graphics mode and the two scales.
bool Text(TMetafileCanvas& canvas, TMetafileBytes& record, bool wide)
{
    const QPointF reference = record.Point32(28);
    const uint32_t count = record.U32(36);
    const int64_t offset = int64_t(record.U32(40)) - 8;
    const uint32_t options = record.U32(44);
    const QRectF box = Box(record, 48);
    if (record.Failed() || !record.Holds(offset, int64_t(count) * (wide ? 2 : 1)))
        return false;
    QString text;
    if (wide)
    {
        QByteArray units(record.At(offset), qsizetype(count) * 2);
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(units.constData()), count);
    }
    else
    {
        text = QString::fromLatin1(record.At(offset), count);
    }
    canvas.Text(reference, text, (options & 0x0002) ? std::optional<QRectF>(box) : std::nullopt);
    return true;
}

TGdiPen ExtPen(TMetafileBytes& record)
{
    // A pen whose brush is hollow draws nothing.
    const uint32_t style = record.U32(28) == 1 ? 5 : record.U32(20);
    return TGdiPen{style, double(record.U32(24)), ColourRef(record, 32)};
}

} // namespace

bool TEmfPlayer::IsEmf(TMetafileBytes file)
{
    return file.U32(0) == Header && file.U32(40) == Signature && !file.Failed();
}

bool TEmfPlayer::Play(TMetafileBytes file, QImage& picture)
{
    const int64_t headerBytes = file.U32(4);
    const QRectF frame = Box(file, 24); // hundredths of a millimetre
    const uint32_t handles = file.U16(56);
    const QSizeF device(file.I32(72), file.I32(76));
    const QSizeF millimetres(file.I32(80), file.I32(84));
    if (file.Failed() || headerBytes < SmallestHeader || !file.Holds(0, headerBytes) || device.width() <= 0 ||
        device.height() <= 0 || millimetres.width() <= 0 || millimetres.height() <= 0 || frame.width() <= 0 ||
        frame.height() <= 0)
        return false;
    const double widthPixels = std::round(frame.width() * ScreenDpi / 2540);
    const double heightPixels = std::round(frame.height() * ScreenDpi / 2540);
    if (!TPictureLimits::Allowed(int64_t(widthPixels), int64_t(heightPixels)))
        return false;
    QImage image(int(widthPixels), int(heightPixels), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return false;
    image.fill(Qt::transparent);

    // Device pixels to hundredths of a millimetre, then the frame onto the picture.
    QTransform deviceToPicture = QTransform::fromScale(millimetres.width() * 100 / device.width(),
                                                       millimetres.height() * 100 / device.height());
    deviceToPicture *= QTransform::fromTranslate(-frame.left(), -frame.top());
    deviceToPicture *= QTransform::fromScale(widthPixels / frame.width(), heightPixels / frame.height());
    {
        TMetafileCanvas canvas(image, deviceToPicture,
                               QSizeF(device.width() / millimetres.width(), device.height() / millimetres.height()));
        canvas.ResizeTable(handles);
        qsizetype at = headerBytes;
        while (true)
        {
            if (!file.Holds(at, 8))
                return false; // the end record is missing
            const uint32_t type = file.U32(at);
            const int64_t bytes = file.U32(at + 4);
            if (bytes < 8 || bytes % 4 != 0 || !file.Holds(at, bytes))
                return false;
            if (type == Eof)
                break;
            TMetafileBytes record = file.Slice(at + 8, bytes - 8);
            if (!PlayRecord(canvas, type, record) || record.Failed() || canvas.Exhausted())
                return false;
            at += bytes;
        }
    }
    picture = image;
    return true;
}

bool TEmfPlayer::PlayRecord(TMetafileCanvas& canvas, uint32_t type, TMetafileBytes& r)
{
    using TArc = TMetafileCanvas::TArcKind;
    TDrawingState& state = canvas.State();
    switch (type)
    {
    case Header: return false; // only once, at the start
    case PolyBezier: canvas.PolyBezier(Poly(r, false)); break;
    case PolyBezier16: canvas.PolyBezier(Poly(r, true)); break;
    case Polygon: canvas.Polygon(Poly(r, false)); break;
    case Polygon16: canvas.Polygon(Poly(r, true)); break;
    case Polyline: canvas.Polyline(Poly(r, false)); break;
    case Polyline16: canvas.Polyline(Poly(r, true)); break;
    case PolyBezierTo: canvas.PolyBezierTo(Poly(r, false)); break;
    case PolyBezierTo16: canvas.PolyBezierTo(Poly(r, true)); break;
    case PolylineTo: canvas.PolylineTo(Poly(r, false)); break;
    case PolylineTo16: canvas.PolylineTo(Poly(r, true)); break;
    case PolyPolyline: canvas.PolyPolyline(PolyPoly(r, false)); break;
    case PolyPolyline16: canvas.PolyPolyline(PolyPoly(r, true)); break;
    case PolyPolygon: canvas.PolyPolygon(PolyPoly(r, false)); break;
    case PolyPolygon16: canvas.PolyPolygon(PolyPoly(r, true)); break;
    case SetWindowExtEx: canvas.SetWindowExt(Extent(r, 0)); break;
    case SetWindowOrgEx: canvas.SetWindowOrg(r.Point32(0)); break;
    case SetViewportExtEx: canvas.SetViewportExt(Extent(r, 0)); break;
    case SetViewportOrgEx: canvas.SetViewportOrg(r.Point32(0)); break;
    case ScaleViewportExtEx: canvas.ScaleViewportExt(r.I32(0), r.I32(4), r.I32(8), r.I32(12)); break;
    case ScaleWindowExtEx: canvas.ScaleWindowExt(r.I32(0), r.I32(4), r.I32(8), r.I32(12)); break;
    case SetMapMode: canvas.SetMapMode(r.I32(0)); break;
    case SetBkMode: state.OpaqueBack = r.U32(0) == 2; break;
    case SetPolyFillMode: state.FillRule = r.U32(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
    case SetTextAlign: state.TextAlign = r.U32(0); break;
    case SetTextColor: state.TextColour = ColourRef(r, 0); break;
    case SetBkColor: state.BackColour = ColourRef(r, 0); break;
    case SetArcDirection: state.Clockwise = r.U32(0) == 2; break;
    case SetPixelV: canvas.SetPixel(r.Point32(0), ColourRef(r, 8)); break;
    case MoveToEx: canvas.MoveTo(r.Point32(0)); break;
    case LineTo: canvas.LineTo(r.Point32(0)); break;
    case ExcludeClipRect: canvas.ExcludeClip(Box(r, 0)); break;
    case IntersectClipRect: canvas.IntersectClip(Box(r, 0)); break;
    case SaveDc: canvas.Save(); break;
    case RestoreDc: canvas.Restore(r.I32(0)); break;
    case SetWorldTransform: canvas.ModifyWorld(Xform(r, 0), 4); break;
    case ModifyWorldTransform: canvas.ModifyWorld(Xform(r, 0), r.U32(24)); break;
    case SelectObject:
    {
        const uint32_t index = r.U32(0);
        if (index & StockObject)
            canvas.SelectStock(index & ~StockObject);
        else
            return canvas.Select(index);
        break;
    }
    case DeleteObject: return canvas.Delete(r.U32(0));
    case CreatePen: return canvas.PutAt(r.U32(0), TGdiPen{r.U32(4), double(r.I32(8)), ColourRef(r, 16)});
    case ExtCreatePen: return canvas.PutAt(r.U32(0), ExtPen(r));
    case CreateBrushIndirect: return canvas.PutAt(r.U32(0), TGdiBrush{r.U32(4), ColourRef(r, 8), r.U32(12), {}});
    case CreateDibPatternBrushPt: return canvas.PutAt(r.U32(0), TGdiBrush{5, Qt::black, 0, Dib(canvas, r, 8, 16)});
    case ExtCreateFontIndirectW: return canvas.PutAt(r.U32(0), Font(r));
    case Rectangle: canvas.Rectangle(Box(r, 0)); break;
    case Ellipse: canvas.Ellipse(Box(r, 0)); break;
    case RoundRect: canvas.RoundRect(Box(r, 0), Extent(r, 16)); break;
    case Arc: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::Arc); break;
    case ArcTo: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::ArcTo); break;
    case Chord: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::Chord); break;
    case Pie: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::Pie); break;
    case AngleArc: canvas.AngleArc(r.Point32(0), r.U32(8), r.F32(12), r.F32(16)); break;
    case BeginPath: canvas.BeginPath(); break;
    case EndPath: canvas.EndPath(); break;
    case CloseFigure: canvas.CloseFigure(); break;
    case AbortPath: canvas.AbortPath(); break;
    case FillPath: canvas.FillPath(); break;
    case StrokePath: canvas.StrokePath(); break;
    case StrokeAndFillPath: canvas.StrokeAndFillPath(); break;
    case SelectClipPath: canvas.SelectClipPath(r.I32(0)); break;
    case ExtSelectClipRgn:
    {
        // RGNDATA: a 32-byte header with the count of rectangles, then the rectangles.
        const uint32_t dataBytes = r.U32(0);
        const int mode = r.I32(4);
        std::vector<QRectF> rects;
        if (dataBytes >= 32)
        {
            const uint32_t count = r.U32(16);
            if (!r.Holds(40, int64_t(count) * 16))
                return false;
            for (uint32_t i = 0; i < count; ++i)
                rects.push_back(Box(r, 40 + 16 * qsizetype(i)));
        }
        canvas.CombineClip(rects, mode);
        break;
    }
    case BitBlt:
    case StretchBlt:
    {
        const QRectF target(r.I32(16), r.I32(20), r.I32(24), r.I32(28));
        const QImage dib = Dib(canvas, r, 76, 84);
        const QSizeF size = type == StretchBlt ? Extent(r, 92) : target.size();
        canvas.Bitmap(target, dib, QRectF(r.Point32(36), size), r.U32(32));
        break;
    }
    case AlphaBlend:
    {
        const QRectF target(r.I32(16), r.I32(20), r.I32(24), r.I32(28));
        // The blend: operation, flags, a constant opacity, and whether the bitmap carries coverage.
        const double opacity = r.U8(34) / 255.0;
        const QImage dib = Dib(canvas, r, 76, 84, r.U8(35) & 1);
        canvas.Bitmap(target, dib, QRectF(r.Point32(36), Extent(r, 92)), 0x00CC0020, opacity);
        break;
    }
    case StretchDiBits:
    {
        const QRectF target(r.I32(16), r.I32(20), r.I32(64), r.I32(68));
        const QImage dib = Dib(canvas, r, 40, 48);
        const QRectF source(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
        canvas.Bitmap(target, dib, TDibImage::SourceFromTop(Info(r, 40), source, dib.height()), r.U32(60));
        break;
    }
    case SetDiBitsToDevice:
    {
        const QRectF source(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
        const QRectF target(QPointF(r.I32(16), r.I32(20)), source.size());
        const QImage dib = Dib(canvas, r, 40, 48);
        canvas.Bitmap(target, dib, TDibImage::SourceFromTop(Info(r, 40), source, dib.height()), 0x00CC0020);
        break;
    }
    case ExtTextOutA: return Text(canvas, r, false);
    case ExtTextOutW: return Text(canvas, r, true);
    default: break; // records that change nothing a picture shows
    }
    return true;
}
