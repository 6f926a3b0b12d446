#include "pictures/EmfPlayer.h"

#include "pictures/EmfRecords.h"
#include "pictures/GdiConstants.h"
#include "pictures/MetafileBytes.h"
#include "pictures/MetafileCanvas.h"
#include "pictures/PictureLimits.h"

#include <cmath>

using namespace EmfRecords;

namespace
{

constexpr double ScreenDpi = 96;
constexpr uint32_t StockObject = 0x80000000;

bool Put(TMetafileCanvas& canvas, TObject object)
{
    return canvas.PutAt(object.Index, std::move(object.Object));
}

} // namespace

bool TEmfPlayer::IsEmf(TMetafileBytes file)
{
    return HasSignature(file);
}

bool TEmfPlayer::Play(TMetafileBytes file, QImage& picture)
{
    const THeader header = ReadHeader(file);
    const QRectF& frame = header.Frame;
    const QSizeF& device = header.DevicePixels;
    const QSizeF& millimetres = header.DeviceMillimetres;
    if (file.Failed() || header.Bytes < SmallestHeader || !file.Holds(0, header.Bytes) || device.width() <= 0 ||
        device.height() <= 0 || millimetres.width() <= 0 || millimetres.height() <= 0 || frame.width() <= 0 ||
        frame.height() <= 0)
        return false;
    const double widthPixels = std::round(frame.width() * ScreenDpi / 2540);
    const double heightPixels = std::round(frame.height() * ScreenDpi / 2540);
    if (!TPictureLimits::Allowed(int64_t(widthPixels), int64_t(heightPixels)))
        return false;
    QImage image = TMetafileCanvas::TransparentPicture(QSize(int(widthPixels), int(heightPixels)));
    if (image.isNull())
        return false;

    // Device pixels to hundredths of a millimetre, then the frame onto the picture.
    QTransform deviceToPicture = QTransform::fromScale(millimetres.width() * 100 / device.width(),
                                                       millimetres.height() * 100 / device.height());
    deviceToPicture *= QTransform::fromTranslate(-frame.left(), -frame.top());
    deviceToPicture *= QTransform::fromScale(widthPixels / frame.width(), heightPixels / frame.height());
    {
        TMetafileCanvas canvas(image, deviceToPicture,
                               QSizeF(device.width() / millimetres.width(), device.height() / millimetres.height()));
        canvas.ResizeTable(header.Handles);
        qsizetype at = header.Bytes;
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
    // The numerators and denominators of x, then of y.
    case ScaleViewportExtEx: canvas.ScaleViewportExt(r.I32(0), r.I32(4), r.I32(8), r.I32(12)); break;
    case ScaleWindowExtEx: canvas.ScaleWindowExt(r.I32(0), r.I32(4), r.I32(8), r.I32(12)); break;
    case SetMapMode: canvas.SetMapMode(r.I32(0)); break;
    case SetBkMode: state.OpaqueBack = r.U32(0) == Gdi::Opaque; break;
    case SetPolyFillMode: state.FillRule = r.U32(0) == Gdi::Winding ? Qt::WindingFill : Qt::OddEvenFill; break;
    case SetTextAlign: state.TextAlign = r.U32(0); break;
    case SetTextColor: state.TextColour = ColourRef(r, 0); break;
    case SetBkColor: state.BackColour = ColourRef(r, 0); break;
    case SetArcDirection: state.Clockwise = r.U32(0) == Gdi::Clockwise; break;
    case SetPixelV: canvas.SetPixel(r.Point32(0), ColourRef(r, 8)); break;
    case MoveToEx: canvas.MoveTo(r.Point32(0)); break;
    case LineTo: canvas.LineTo(r.Point32(0)); break;
    case ExcludeClipRect: canvas.ExcludeClip(Box(r, 0)); break;
    case IntersectClipRect: canvas.IntersectClip(Box(r, 0)); break;
    case SaveDc: canvas.Save(); break;
    case RestoreDc: canvas.Restore(r.I32(0)); break;
    case SetWorldTransform: canvas.ModifyWorld(Xform(r, 0), Gdi::WorldSet); break;
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
    case CreatePen: return Put(canvas, Pen(r));
    case ExtCreatePen: return Put(canvas, ExtPen(r));
    case CreateBrushIndirect: return Put(canvas, Brush(r));
    case CreateDibPatternBrushPt: return Put(canvas, PatternBrush(canvas, r));
    case ExtCreateFontIndirectW: return Put(canvas, Font(r));
    case Rectangle: canvas.Rectangle(Box(r, 0)); break;
    case Ellipse: canvas.Ellipse(Box(r, 0)); break;
    case RoundRect: canvas.RoundRect(Box(r, 0), Extent(r, 16)); break;
    // The box, then the start and end radials.
    case Arc: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::Arc); break;
    case ArcTo: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::ArcTo); break;
    case Chord: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::Chord); break;
    case Pie: canvas.Arc(Box(r, 0), r.Point32(16), r.Point32(24), TArc::Pie); break;
    // The centre, the radius, the start and sweep angles.
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
        const std::optional<TClipRegion> region = ClipRegion(r);
        if (!region)
            return false;
        canvas.CombineClip(region->Rects, region->Mode);
        break;
    }
    case BitBlt: canvas.Bitmap(BlockTransfer(canvas, r, false)); break;
    case StretchBlt: canvas.Bitmap(BlockTransfer(canvas, r, true)); break;
    case AlphaBlend: canvas.Bitmap(AlphaBlendTransfer(canvas, r)); break;
    case StretchDiBits: canvas.Bitmap(StretchDibTransfer(canvas, r)); break;
    case SetDiBitsToDevice: canvas.Bitmap(DibToDeviceTransfer(canvas, r)); break;
    case ExtTextOutA:
    case ExtTextOutW:
    {
        const std::optional<TText> text = Text(r, type == ExtTextOutW);
        if (!text)
            return false;
        canvas.Text(text->Reference, text->Text, text->OpaqueBox);
        break;
    }
    default: break; // records that change nothing a picture shows
    }
    return true;
}
