#include "pictures/WmfPlayer.h"

#include "pictures/GdiConstants.h"
#include "pictures/MetafileBytes.h"
#include "pictures/MetafileCanvas.h"
#include "pictures/PictureLimits.h"
#include "pictures/WmfRecords.h"

#include <cmath>

using namespace WmfRecords;

namespace
{

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype PlaceableBytes = 22;
constexpr qsizetype HeaderBytes = 18;
// In the placeable header: the key, a handle, the box (left, top, right, bottom), units to the inch.
constexpr qsizetype PlaceableBoxAt = 6;
constexpr qsizetype PlaceableInchAt = 14;
// In the metafile header: its type, its size in words, the version, the file's size, the object count.
constexpr qsizetype HeaderWordsAt = 2;
constexpr qsizetype ObjectCountAt = 10;
constexpr uint16_t HeaderWords = HeaderBytes / 2;
constexpr double ScreenDpi = 96;

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
    return !file.Failed() && (type == 1 || type == 2) && file.U16(HeaderWordsAt) == HeaderWords;
}

bool TWmfPlayer::ReadLayout(TMetafileBytes& file, TLayout& layout)
{
    if (file.U32(0) == PlaceableKey)
    {
        const QRectF box(file.Point16(PlaceableBoxAt), file.Point16(PlaceableBoxAt + 4));
        const int inch = file.U16(PlaceableInchAt);
        if (file.Failed() || inch == 0 || box.width() == 0 || box.height() == 0)
            return false;
        layout.HeaderAt = PlaceableBytes;
        layout.Window = box;
        layout.Size = QSize(static_cast<int>(std::lround(std::abs(box.width()) * ScreenDpi / inch)),
                            static_cast<int>(std::lround(std::abs(box.height()) * ScreenDpi / inch)));
    }
    if (file.U16(layout.HeaderAt + HeaderWordsAt) != HeaderWords || file.Failed())
        return false;
    layout.Objects = file.U16(layout.HeaderAt + ObjectCountAt);

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
    QImage image = TMetafileCanvas::TransparentPicture(layout.Size);
    if (image.isNull())
        return false;
    {
        TMetafileCanvas canvas(image, QTransform(), QSizeF(ScreenDpi / 25.4, ScreenDpi / 25.4));
        canvas.ResizeTable(layout.Objects);
        // The window is the drawing's; the viewport is always the whole picture.
        canvas.SetMapMode(Gdi::MapAnisotropic);
        canvas.SetWindowOrg(layout.Window.topLeft());
        canvas.SetWindowExt(layout.Window.size());
        canvas.SetViewportExt(QSizeF(layout.Size));

        qsizetype at = layout.HeaderAt + HeaderBytes;
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
    using TArc = TMetafileCanvas::TArcKind;
    TDrawingState& state = canvas.State();
    switch (function)
    {
    case SaveDc: canvas.Save(); break;
    case RestoreDc: canvas.Restore(r.I16(0)); break;
    case SetBkMode: state.OpaqueBack = r.U16(0) == Gdi::Opaque; break;
    case SetMapMode: break; // the viewport is the picture whatever the mode
    case SetPolyFillMode: state.FillRule = r.U16(0) == Gdi::Winding ? Qt::WindingFill : Qt::OddEvenFill; break;
    case SetTextAlign: state.TextAlign = r.U16(0); break;
    case SetBkColor: state.BackColour = ColourRef(r, 0); break;
    case SetTextColor: state.TextColour = ColourRef(r, 0); break;
    case SetWindowOrg: canvas.SetWindowOrg(YX(r, 0)); break;
    case SetWindowExt: canvas.SetWindowExt(QSizeF(r.I16(2), r.I16(0))); break;
    case OffsetWindowOrg: canvas.SetWindowOrg(state.WindowOrg + YX(r, 0)); break;
    // The denominator and numerator of y, then of x.
    case ScaleWindowExt: canvas.ScaleWindowExt(r.I16(6), r.I16(4), r.I16(2), r.I16(0)); break;
    case SelectObject: return canvas.Select(r.U16(0));
    case DeleteObject: return canvas.Delete(r.U16(0));
    case CreatePenIndirect: return canvas.PutFirstFree(Pen(r));
    case CreateBrushIndirect: return canvas.PutFirstFree(Brush(r));
    case DibCreatePatternBrush: return canvas.PutFirstFree(PatternBrush(canvas, r));
    case CreateFontIndirect: return canvas.PutFirstFree(Font(r));
    case CreatePalette:
    case CreatePatternBrush:
    case CreateRegion: return canvas.PutFirstFree(TGdiObject{});
    case MoveTo: canvas.MoveTo(YX(r, 0)); break;
    case LineTo: canvas.LineTo(YX(r, 0)); break;
    case Polygon: canvas.Polygon(Poly(r)); break;
    case Polyline: canvas.Polyline(Poly(r)); break;
    case PolyPolygon: canvas.PolyPolygon(PolyPoly(r)); break;
    case Rectangle: canvas.Rectangle(Box(r, 0)); break;
    case Ellipse: canvas.Ellipse(Box(r, 0)); break;
    // The corner's height and width, then the box.
    case RoundRect: canvas.RoundRect(Box(r, 4), QSizeF(r.I16(2), r.I16(0))); break;
    // The end and start radials, then the box.
    case Arc: canvas.Arc(Box(r, 8), YX(r, 4), YX(r, 0), TArc::Arc); break;
    case Pie: canvas.Arc(Box(r, 8), YX(r, 4), YX(r, 0), TArc::Pie); break;
    case Chord: canvas.Arc(Box(r, 8), YX(r, 4), YX(r, 0), TArc::Chord); break;
    case ExcludeClipRect: canvas.ExcludeClip(Box(r, 0)); break;
    case IntersectClipRect: canvas.IntersectClip(Box(r, 0)); break;
    // The colour, then the point.
    case SetPixel: canvas.SetPixel(YX(r, 4), ColourRef(r, 0)); break;
    case TextOut:
    case ExtTextOut:
    {
        const TText text = function == TextOut ? ReadTextOut(r) : ReadExtTextOut(r);
        canvas.Text(text.Reference, text.Text, text.OpaqueBox);
        break;
    }
    case PatBlt: canvas.Bitmap(PatternFill(r)); break;
    case DibBitBlt: canvas.Bitmap(BlockTransfer(canvas, r)); break;
    case DibStretchBlt: canvas.Bitmap(StretchTransfer(canvas, r)); break;
    case StretchDib: canvas.Bitmap(StretchDibTransfer(canvas, r)); break;
    case SetDibToDev: canvas.Bitmap(DibToDeviceTransfer(canvas, r)); break;
    default: break; // records that change nothing a picture shows
    }
    return true;
}
