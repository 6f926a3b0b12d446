#include "pictures/WmfPlayer.h"

#include "pictures/DibImage.h"
#include "pictures/MetafileBytes.h"
#include "pictures/MetafileCanvas.h"
#include "pictures/PictureLimits.h"

#include <cmath>

namespace
{

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype PlaceableBytes = 22;
constexpr qsizetype HeaderBytes = 18;
constexpr double ScreenDpi = 96;

enum TWmfFunction : uint16_t
{
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    SetDibToDev = 0x0D33,
    StretchDib = 0x0F43,
};

QColor ColourRef(TMetafileBytes& record, qsizetype offset)
{
    return QColor(record.U8(offset), record.U8(offset + 1), record.U8(offset + 2));
}

// Four words, bottom and right first.
QRectF Box(TMetafileBytes& record, qsizetype offset)
{
    const double bottom = record.I16(offset);
    const double right = record.I16(offset + 2);
    const double top = record.I16(offset + 4);
    const double left = record.I16(offset + 6);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// A point stored y first.
QPointF YX(TMetafileBytes& record, qsizetype offset)
{
    return QPointF(record.I16(offset + 2), record.I16(offset));
}

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

TGdiFont Font(TMetafileBytes& record)
{
    TGdiFont font;
    font.Height = record.I16(0);
    font.Escapement = record.I16(4);
    font.Weight = record.I16(8);
    font.Italic = record.U8(10) != 0;
    font.Underline = record.U8(11) != 0;
    font.StrikeOut = record.U8(12) != 0;
    font.Face = Ansi(record, 18, std::min<qsizetype>(32, std::max<qsizetype>(0, record.Length() - 18)));
    return font;
}

QImage Dib(TMetafileCanvas& canvas, TMetafileBytes packed)
{
    return canvas.Afford(double(TDibImage::DeclaredPixels(packed))) ? TDibImage::DecodePacked(packed) : QImage();
}

// The bitmap records come with a bitmap, or without one to fill with the brush; the function's
// high byte counts the words of the form without.
bool HasBitmap(uint16_t function, qsizetype recordBytes)
{
    return recordBytes != 2 * ((function >> 8) + 3);
}

} // namespace

struct TWmfPlayer::TLayout
{
    qsizetype HeaderAt = 0;
    QRectF Window;
    QSize Size;
    uint16_t Objects = 0;
};

bool TWmfPlayer::IsWmf(TMetafileBytes file)
{
    if (file.U32(0) == PlaceableKey)
        return true;
    const uint16_t type = file.U16(0);
    return !file.Failed() && (type == 1 || type == 2) && file.U16(2) == 9;
}

bool TWmfPlayer::ReadLayout(TMetafileBytes& file, TLayout& layout)
{
    if (file.U32(0) == PlaceableKey)
    {
        const QRectF box(QPointF(file.I16(6), file.I16(8)), QPointF(file.I16(10), file.I16(12)));
        const int inch = file.U16(14);
        if (file.Failed() || inch == 0 || box.width() == 0 || box.height() == 0)
            return false;
        layout.HeaderAt = PlaceableBytes;
        layout.Window = box;
        layout.Size = QSize(static_cast<int>(std::lround(std::abs(box.width()) * ScreenDpi / inch)),
                            static_cast<int>(std::lround(std::abs(box.height()) * ScreenDpi / inch)));
    }
    if (file.U16(layout.HeaderAt + 2) != 9 || file.Failed())
        return false;
    layout.Objects = file.U16(layout.HeaderAt + 10);

    // Without the placeable header the window the drawing sets up gives its size, in pixels.
    if (layout.HeaderAt == 0)
    {
        QPointF origin;
        for (qsizetype at = HeaderBytes; file.Holds(at, 6);)
        {
            const int64_t bytes = int64_t(file.U32(at)) * 2;
            const uint16_t function = file.U16(at + 4);
            if (bytes < 6 || !file.Holds(at, bytes) || function == Eof)
                break;
            if (function == SetWindowOrg && bytes >= 10 && origin.isNull())
                origin = QPointF(file.I16(at + 8), file.I16(at + 6));
            if (function == SetWindowExt && bytes >= 10)
            {
                layout.Window = QRectF(origin, QSizeF(file.I16(at + 8), file.I16(at + 6)));
                break;
            }
            at += bytes;
        }
        layout.Size = QSize(static_cast<int>(std::abs(layout.Window.width())),
                            static_cast<int>(std::abs(layout.Window.height())));
    }
    return TPictureLimits::Allowed(layout.Size.width(), layout.Size.height());
}

bool TWmfPlayer::Play(TMetafileBytes file, QImage& picture)
{
    TLayout layout;
    if (!ReadLayout(file, layout))
        return false;
    QImage image(layout.Size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return false;
    image.fill(Qt::transparent);
    {
        TMetafileCanvas canvas(image, QTransform(), QSizeF(ScreenDpi / 25.4, ScreenDpi / 25.4));
        canvas.ResizeTable(layout.Objects);
        // The window is the drawing's; the viewport is always the whole picture.
        canvas.SetMapMode(8);
        canvas.SetWindowOrg(layout.Window.topLeft());
        canvas.SetWindowExt(layout.Window.size());
        canvas.SetViewportExt(QSizeF(layout.Size));

        qsizetype at = layout.HeaderAt + file.U16(layout.HeaderAt + 2) * 2;
        while (true)
        {
            if (!file.Holds(at, 6))
                return false; // the end record is missing
            const int64_t bytes = int64_t(file.U32(at)) * 2;
            const uint16_t function = file.U16(at + 4);
            if (bytes < 6 || !file.Holds(at, bytes))
                return false;
            if (function == Eof)
                break;
            TMetafileBytes record = file.Slice(at + 6, bytes - 6);
            if (!PlayRecord(canvas, function, record) || record.Failed() || canvas.Exhausted())
                return false;
            at += bytes;
        }
    }
    picture = image;
    return true;
}

bool TWmfPlayer::PlayRecord(TMetafileCanvas& canvas, uint16_t function, TMetafileBytes& r)
{
    TDrawingState& state = canvas.State();
    switch (function)
    {
    case SaveDc: canvas.Save(); break;
    case RestoreDc: canvas.Restore(r.I16(0)); break;
    case SetBkMode: state.OpaqueBack = r.U16(0) == 2; break;
    case SetMapMode: break; // the viewport is the picture whatever the mode
    case SetPolyFillMode: state.FillRule = r.U16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
    case SetTextAlign: state.TextAlign = r.U16(0); break;
    case SetBkColor: state.BackColour = ColourRef(r, 0); break;
    case SetTextColor: state.TextColour = ColourRef(r, 0); break;
    case SetWindowOrg: canvas.SetWindowOrg(YX(r, 0)); break;
    case SetWindowExt: canvas.SetWindowExt(QSizeF(r.I16(2), r.I16(0))); break;
    case OffsetWindowOrg: canvas.SetWindowOrg(state.WindowOrg + YX(r, 0)); break;
    case ScaleWindowExt: canvas.ScaleWindowExt(r.I16(6), r.I16(4), r.I16(2), r.I16(0)); break;
    case SelectObject: return canvas.Select(r.U16(0));
    case DeleteObject: return canvas.Delete(r.U16(0));
    case CreatePenIndirect:
        return canvas.PutFirstFree(TGdiPen{r.U16(0), double(r.I16(2)), ColourRef(r, 6)});
    case CreateBrushIndirect:
        return canvas.PutFirstFree(TGdiBrush{r.U16(0), ColourRef(r, 2), r.U16(6), {}});
    case DibCreatePatternBrush:
        return canvas.PutFirstFree(TGdiBrush{5, Qt::black, 0, Dib(canvas, r.Slice(4, r.Length() - 4))});
    case CreateFontIndirect: return canvas.PutFirstFree(Font(r));
    case CreatePalette:
    case CreatePatternBrush:
    case CreateRegion: return canvas.PutFirstFree(TGdiObject{});
    case MoveTo: canvas.MoveTo(YX(r, 0)); break;
    case LineTo: canvas.LineTo(YX(r, 0)); break;
    case Polygon: canvas.Polygon(Points(r, 2, r.I16(0))); break;
    case Polyline: canvas.Polyline(Points(r, 2, r.I16(0))); break;
    case PolyPolygon:
    {
        const int count = r.U16(0);
        qsizetype at = 2 + 2 * qsizetype(count);
        std::vector<QPolygonF> polygons;
        for (int i = 0; i < count && !r.Failed(); ++i)
        {
            const int points = r.U16(2 + 2 * i);
            polygons.push_back(Points(r, at, points));
            at += 4 * qsizetype(points);
        }
        canvas.PolyPolygon(polygons);
        break;
    }
    case Rectangle: canvas.Rectangle(Box(r, 0)); break;
    case Ellipse: canvas.Ellipse(Box(r, 0)); break;
    case RoundRect: canvas.RoundRect(Box(r, 4), QSizeF(r.I16(2), r.I16(0))); break;
    case Arc:
    case Pie:
    case Chord:
    {
        const auto kind = function == Arc ? TMetafileCanvas::TArcKind::Arc
                          : function == Pie ? TMetafileCanvas::TArcKind::Pie
                                            : TMetafileCanvas::TArcKind::Chord;
        canvas.Arc(Box(r, 8), YX(r, 4), YX(r, 0), kind);
        break;
    }
    case ExcludeClipRect: canvas.ExcludeClip(Box(r, 0)); break;
    case IntersectClipRect: canvas.IntersectClip(Box(r, 0)); break;
    case SetPixel: canvas.SetPixel(YX(r, 4), ColourRef(r, 0)); break;
    case TextOut:
    {
        const int length = r.I16(0);
        const qsizetype padded = (qsizetype(std::max(length, 0)) + 1) / 2 * 2;
        canvas.Text(YX(r, 2 + padded), Ansi(r, 2, std::max(length, 0)), std::nullopt);
        break;
    }
    case ExtTextOut:
    {
        const QPointF at = YX(r, 0);
        const int length = r.I16(4);
        const uint16_t options = r.U16(6);
        const bool hasBox = options & 0x0006; // opaque or clipped
        std::optional<QRectF> opaque;
        if (options & 0x0002)
            opaque = QRectF(QPointF(r.I16(8), r.I16(10)), QPointF(r.I16(12), r.I16(14)));
        canvas.Text(at, Ansi(r, hasBox ? 16 : 8, std::max(length, 0)), opaque);
        break;
    }
    case PatBlt:
        canvas.Bitmap(QRectF(r.I16(10), r.I16(8), r.I16(6), r.I16(4)), QImage(), QRectF(), r.U32(0));
        break;
    case DibBitBlt:
    {
        const bool bitmap = HasBitmap(function, r.Length() + 6);
        const qsizetype skip = bitmap ? 0 : 2;
        const QRectF target(r.I16(14 + skip), r.I16(12 + skip), r.I16(10 + skip), r.I16(8 + skip));
        const QImage dib = bitmap ? Dib(canvas, r.Slice(16, r.Length() - 16)) : QImage();
        const QRectF source(r.I16(6), r.I16(4), std::abs(target.width()), std::abs(target.height()));
        canvas.Bitmap(target, dib, source, r.U32(0));
        break;
    }
    case DibStretchBlt:
    {
        const bool bitmap = HasBitmap(function, r.Length() + 6);
        const qsizetype skip = bitmap ? 0 : 2;
        const QRectF target(r.I16(18 + skip), r.I16(16 + skip), r.I16(14 + skip), r.I16(12 + skip));
        const QRectF source(r.I16(10), r.I16(8), r.I16(6), r.I16(4));
        const QImage dib = bitmap ? Dib(canvas, r.Slice(20, r.Length() - 20)) : QImage();
        canvas.Bitmap(target, dib, source, r.U32(0));
        break;
    }
    case StretchDib:
    {
        const QRectF target(r.I16(20), r.I16(18), r.I16(16), r.I16(14));
        const QRectF source(r.I16(12), r.I16(10), r.I16(8), r.I16(6));
        const TMetafileBytes packed = r.Slice(22, r.Length() - 22);
        const QImage dib = Dib(canvas, packed);
        canvas.Bitmap(target, dib, TDibImage::SourceFromTop(packed, source, dib.height()), r.U32(0));
        break;
    }
    case SetDibToDev:
    {
        const QRectF target(r.I16(16), r.I16(14), r.I16(12), r.I16(10));
        const QRectF source(r.I16(8), r.I16(6), r.I16(12), r.I16(10));
        const TMetafileBytes packed = r.Slice(18, r.Length() - 18);
        const QImage dib = Dib(canvas, packed);
        canvas.Bitmap(target, dib, TDibImage::SourceFromTop(packed, source, dib.height()), 0x00CC0020);
        break;
    }
    default: break; // records that change nothing a picture shows
    }
    return true;
}
