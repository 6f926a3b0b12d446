#include "pictures/MetafileCanvas.h"

#include "pictures/DrawingCost.h"
#include "pictures/GdiConstants.h"
#include "pictures/MetafileGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace MetafileGeometry;

namespace
{

// Deeper nesting than this is no drawing anyone made; further saves are ignored.
constexpr size_t MaxSavedStates = 256;
// Wider pens only slow the stroker down; the picture is at most 16384 pixels anyway.
constexpr double MaxPenPixels = 4096;
// Every file may draw this much, and its own picture over about three times with simple shapes
// (each pixel of a plain fill costs about three); a picture at the size limit then loads within a second.
constexpr double BaseBudget = 64e6;
constexpr double PictureCoats = 10;
// How far past the picture's edges a shape is still drawn as it is.
constexpr double FarMargin = 1024;

Qt::PenStyle LineStyle(uint32_t style)
{
    switch (style & Gdi::PenLineMask)
    {
    case Gdi::PenDash: return Qt::DashLine;
    case Gdi::PenDot: return Qt::DotLine;
    case Gdi::PenDashDot: return Qt::DashDotLine;
    case Gdi::PenDashDotDot: return Qt::DashDotDotLine;
    case Gdi::PenNull: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle HatchStyle(uint32_t hatch)
{
    switch (hatch)
    {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

} // namespace

TMetafileCanvas::TMetafileCanvas(QImage& picture, const QTransform& deviceToPicture, QSizeF devicePerMillimetre)
    : Picture(picture), Painter(&picture), DeviceToPicture(deviceToPicture), DevicePerMillimetre(devicePerMillimetre),
      Budget(BaseBudget + PictureCoats * double(picture.width()) * picture.height())
{
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setRenderHint(QPainter::TextAntialiasing);
}

QImage TMetafileCanvas::TransparentPicture(QSize size)
{
    // Zeroed memory is transparent already, and the system hands it out untouched: a large
    // picture costs only what is drawn on it instead of a pass over every pixel first.
    const qsizetype stride = qsizetype(size.width()) * 4;
    void* bits = size.isEmpty() ? nullptr : std::calloc(size_t(stride) * size_t(size.height()), 1);
    if (!bits)
        return {};
    return QImage(static_cast<uchar*>(bits), size.width(), size.height(), stride, QImage::Format_ARGB32_Premultiplied,
                  [](void* memory) { std::free(memory); }, bits);
}

bool TMetafileCanvas::Afford(double pixels)
{
    Spent += std::max(pixels, 0.0);
    return !Exhausted();
}

bool TMetafileCanvas::AffordArea(const QRectF& logical, double extra)
{
    const QRectF shown = Transform().mapRect(logical).intersected(QRectF(Picture.rect()));
    return Afford(CallCost + extra + (shown.isValid() ? shown.width() * shown.height() : 0));
}

void TMetafileCanvas::ResizeTable(uint32_t count)
{
    Objects.assign(count, TGdiObject{});
    FreeObjects.clear();
    for (uint32_t index = 0; index < count; ++index)
        FreeObjects.insert(FreeObjects.end(), index);
}

bool TMetafileCanvas::PutAt(uint32_t index, TGdiObject object)
{
    if (index >= Objects.size())
        return false;
    Objects[index] = std::move(object);
    FreeObjects.erase(index);
    return true;
}

bool TMetafileCanvas::PutFirstFree(TGdiObject object)
{
    // A placeholder for the palettes and regions nobody draws with still takes a place.
    if (std::holds_alternative<std::monostate>(object))
        object = TGdiBrush{Gdi::BrushNull, Qt::white, 0, {}};
    if (FreeObjects.empty())
        return false;
    return PutAt(*FreeObjects.begin(), std::move(object));
}

bool TMetafileCanvas::Select(uint32_t index)
{
    if (index >= Objects.size())
        return false;
    const TGdiObject& object = Objects[index];
    if (const auto* pen = std::get_if<TGdiPen>(&object))
        Now.Pen = *pen;
    else if (const auto* brush = std::get_if<TGdiBrush>(&object))
        Now.Brush = *brush;
    else if (const auto* font = std::get_if<TGdiFont>(&object))
        Now.Font = *font;
    return true;
}

bool TMetafileCanvas::Delete(uint32_t index)
{
    if (index >= Objects.size())
        return false;
    Objects[index] = TGdiObject{};
    FreeObjects.insert(index);
    return true;
}

void TMetafileCanvas::SelectStock(uint32_t stock)
{
    static const int greys[] = {255, 192, 128, 64, 0};
    if (stock <= Gdi::StockBlackBrush)
        Now.Brush = TGdiBrush{Gdi::BrushSolid, QColor(greys[stock], greys[stock], greys[stock]), 0, {}};
    else if (stock == Gdi::StockNullBrush)
        Now.Brush = TGdiBrush{Gdi::BrushNull, Qt::white, 0, {}};
    else if (stock == Gdi::StockWhitePen || stock == Gdi::StockBlackPen)
        Now.Pen = TGdiPen{0, 0, stock == Gdi::StockWhitePen ? Qt::white : Qt::black};
    else if (stock == Gdi::StockNullPen)
        Now.Pen = TGdiPen{Gdi::PenNull, 0, Qt::black};
    else if (stock >= Gdi::StockFirstFont && stock <= Gdi::StockLastFont && stock != Gdi::StockPalette)
        Now.Font = TGdiFont{};
}

void TMetafileCanvas::SetMapMode(int mode)
{
    if (mode < Gdi::MapText || mode > Gdi::MapAnisotropic)
        return;
    Now.MapMode = mode;
}

// Extents of zero are refused, as the device refuses them; extents only count in the two scalable modes.
void TMetafileCanvas::SetWindowExt(QSizeF extent)
{
    if (extent.width() != 0 && extent.height() != 0)
        Now.WindowExt = extent;
}

void TMetafileCanvas::SetViewportExt(QSizeF extent)
{
    if (extent.width() != 0 && extent.height() != 0)
        Now.ViewportExt = extent;
}

void TMetafileCanvas::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xDenom != 0 && yDenom != 0)
        SetWindowExt(QSizeF(Now.WindowExt.width() * xNum / xDenom, Now.WindowExt.height() * yNum / yDenom));
}

void TMetafileCanvas::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xDenom != 0 && yDenom != 0)
        SetViewportExt(QSizeF(Now.ViewportExt.width() * xNum / xDenom, Now.ViewportExt.height() * yNum / yDenom));
}

void TMetafileCanvas::ModifyWorld(const QTransform& transform, uint32_t mode)
{
    switch (mode)
    {
    case Gdi::WorldIdentity: Now.World = QTransform(); break;
    case Gdi::WorldLeftMultiply: Now.World = transform * Now.World; break;
    case Gdi::WorldRightMultiply: Now.World = Now.World * transform; break;
    case Gdi::WorldSet: Now.World = transform; break;
    default: break;
    }
}

void TMetafileCanvas::Save()
{
    if (Saved.size() < MaxSavedStates)
        Saved.push_back(Now);
}

// A negative number counts back from the latest save, a positive one names a save from the first.
void TMetafileCanvas::Restore(int which)
{
    const int64_t depth = static_cast<int64_t>(Saved.size());
    const int64_t target = which < 0 ? depth + which : int64_t(which) - 1;
    if (which == 0 || target < 0 || target >= depth)
        return;
    Now = Saved[static_cast<size_t>(target)];
    Saved.resize(static_cast<size_t>(target));
}

QTransform TMetafileCanvas::LogicalToDevice() const
{
    // Logical units per millimetre of the fixed modes: 0.1 mm, 0.01 mm, 0.01 in, 0.001 in, 1/1440 in.
    static const double unitsPerMillimetre[] = {10, 100, 100 / 25.4, 1000 / 25.4, 1440 / 25.4};
    double sx = 1;
    double sy = 1;
    if (Now.MapMode >= Gdi::MapLoMetric && Now.MapMode <= Gdi::MapTwips)
    {
        const double units = unitsPerMillimetre[Now.MapMode - Gdi::MapLoMetric];
        sx = DevicePerMillimetre.width() / units;
        sy = -DevicePerMillimetre.height() / units;
    }
    else if (Now.MapMode >= Gdi::MapIsotropic)
    {
        sx = Now.ViewportExt.width() / Now.WindowExt.width();
        sy = Now.ViewportExt.height() / Now.WindowExt.height();
        if (Now.MapMode == Gdi::MapIsotropic)
        {
            const double scale = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
    }
    QTransform mapping;
    mapping.translate(-Now.WindowOrg.x(), -Now.WindowOrg.y());
    QTransform scaled = mapping * QTransform::fromScale(sx, sy);
    return scaled * QTransform::fromTranslate(Now.ViewportOrg.x(), Now.ViewportOrg.y());
}

QTransform TMetafileCanvas::Transform() const
{
    return Now.World * LogicalToDevice() * DeviceToPicture;
}

double TMetafileCanvas::PenPixels() const
{
    const double scale = std::sqrt(std::abs(Transform().determinant()));
    const double pixels = Now.Pen.Width * (std::isfinite(scale) ? scale : 1.0);
    return std::clamp(std::isfinite(pixels) ? pixels : 1.0, 1.0, MaxPenPixels);
}

QPen TMetafileCanvas::MakePen() const
{
    QPen pen(Now.Pen.Colour, PenPixels(), LineStyle(Now.Pen.Style));
    pen.setCosmetic(true);
    const uint32_t cap = Now.Pen.Style & Gdi::PenCapMask;
    const uint32_t join = Now.Pen.Style & Gdi::PenJoinMask;
    pen.setCapStyle(cap == Gdi::PenCapSquare ? Qt::SquareCap : cap == Gdi::PenCapFlat ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(join == Gdi::PenJoinBevel ? Qt::BevelJoin : join == Gdi::PenJoinMiter ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

QBrush TMetafileCanvas::MakeBrush() const
{
    const TGdiBrush& brush = Now.Brush;
    if (brush.Style == Gdi::BrushNull)
        return Qt::NoBrush;
    if (brush.Style == Gdi::BrushHatched)
        return QBrush(brush.Colour, HatchStyle(brush.Hatch));
    if (brush.Style >= Gdi::BrushPattern && !brush.Pattern.isNull())
    {
        // Patterns repeat in device pixels, whatever the scale of the drawing.
        QBrush pattern(brush.Pattern);
        pattern.setTransform(Transform().inverted());
        return pattern;
    }
    return QBrush(brush.Colour);
}

void TMetafileCanvas::Prepare(const QTransform& transform)
{
    Painter.resetTransform();
    Painter.setRenderHint(QPainter::Antialiasing);
    // Setting a clip region costs a little for each of its rectangles.
    if (Now.Clip && Afford(RegionRectCost * Now.Clip->rectCount()))
        Painter.setClipRegion(*Now.Clip);
    else
        Painter.setClipping(false);
    Painter.setTransform(transform);
    Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TMetafileCanvas::Paint(const QPainterPath& path, bool fill, bool stroke)
{
    const QTransform transform = Transform();
    if (!Usable(transform) || !Afford(CallCost + path.elementCount()))
        return;
    const QPen pen = stroke ? MakePen() : QPen(Qt::NoPen);
    const QPainterPath mapped = transform.map(path);
    // The outline is measured before anything is drawn: what it would cost decides how it is
    // drawn, and whether the picture can still afford it.
    const QList<QPolygonF> outlines = mapped.toSubpathPolygons();
    const bool filled = fill && Now.Brush.Style != Gdi::BrushNull;
    const TDrawingCost cost({outlines.begin(), outlines.end()}, filled, pen.style() == Qt::NoPen ? 0 : pen.widthF(),
                            Picture.rect());
    if (!Afford(cost.Chosen()))
        return;
    const QRectF reach = QRectF(Picture.rect()).adjusted(-FarMargin, -FarMargin, FarMargin, FarMargin)
                             .adjusted(-pen.widthF(), -pen.widthF(), pen.widthF(), pen.widthF());
    if (!reach.contains(mapped.controlPointRect()))
    {
        PaintFar(mapped, reach, fill, pen, cost.Smoothed());
        return;
    }
    Prepare(transform);
    Painter.setRenderHint(QPainter::Antialiasing, cost.Smoothed());
    if (fill && Now.Brush.Style == Gdi::BrushHatched && Now.OpaqueBack)
        Painter.fillPath(path, Now.BackColour);
    Painter.setBrush(fill ? MakeBrush() : QBrush(Qt::NoBrush));
    Painter.setPen(pen);
    Painter.drawPath(path);
}

// The rasterizer walks every pixel of a line even where it is never shown; geometry that
// reaches far past the picture is cut down to a margin around it first.
void TMetafileCanvas::PaintFar(const QPainterPath& mapped, const QRectF& reach, bool fill, const QPen& pen, bool smooth)
{
    // Cutting a path costs about as much again as measuring it.
    if (!Afford(FarCost * mapped.elementCount()))
        return;
    Prepare(QTransform());
    Painter.setRenderHint(QPainter::Antialiasing, smooth);
    if (fill)
    {
        QPainterPath box;
        box.addRect(reach);
        const QPainterPath inside = mapped.intersected(box);
        if (Now.Brush.Style == Gdi::BrushHatched && Now.OpaqueBack)
            Painter.fillPath(inside, Now.BackColour);
        Painter.fillPath(inside, MakeBrush());
    }
    if (pen.style() == Qt::NoPen)
        return;
    QPainterPath lines;
    for (const QPolygonF& polygon : mapped.toSubpathPolygons())
        for (qsizetype i = 1; i < polygon.size(); ++i)
        {
            QPointF a = polygon[i - 1];
            QPointF b = polygon[i];
            if (ClipSegment(reach, a, b))
            {
                lines.moveTo(a);
                lines.lineTo(b);
            }
        }
    Painter.strokePath(lines, pen);
}

void TMetafileCanvas::SelectClipPath(int mode)
{
    PathOpen = false;
    Path.setFillRule(Now.FillRule);
    if (Usable(Transform()))
    {
        const QPolygonF outline = Transform().map(Path).toFillPolygon();
        if (Afford(TDrawingCost::Region({outline}, Picture.rect())))
            CombineRegion(QRegion(Pixels(outline), Now.FillRule), mode);
    }
    Path = QPainterPath();
}

void TMetafileCanvas::IntersectClip(const QRectF& box)
{
    if (Usable(Transform()))
        CombineRegion(QRegion(Pixels(Transform().map(QPolygonF(box.normalized())))), Gdi::RegionAnd);
}

void TMetafileCanvas::ExcludeClip(const QRectF& box)
{
    if (Usable(Transform()))
        CombineRegion(QRegion(Pixels(Transform().map(QPolygonF(box.normalized())))), Gdi::RegionDiff);
}

void TMetafileCanvas::CombineClip(const std::vector<QRectF>& deviceRects, int mode)
{
    if (mode == Gdi::RegionCopy && deviceRects.empty())
    {
        Now.Clip.reset();
        return;
    }
    std::vector<QRegion> parts;
    parts.reserve(deviceRects.size());
    for (const QRectF& rect : deviceRects)
    {
        const QRegion part = QRegion(Pixels(DeviceToPicture.map(QPolygonF(rect.normalized())))).intersected(Picture.rect());
        if (!part.isEmpty())
            parts.push_back(part);
    }
    // Joined in pairs, round after round, so that no rectangle is merged into the growing whole
    // once for each of the others; each round pays for the rectangles it merges.
    while (parts.size() > 1)
    {
        double merged = 0;
        for (size_t i = 0; i + 1 < parts.size(); i += 2)
        {
            parts[i / 2] = parts[i].united(parts[i + 1]);
            merged += parts[i / 2].rectCount();
        }
        if (parts.size() % 2 == 1)
            parts[parts.size() / 2] = parts.back();
        parts.resize((parts.size() + 1) / 2);
        if (!Afford(RegionRectCost * merged))
            return;
    }
    CombineRegion(parts.empty() ? QRegion() : parts.front(), mode);
}

void TMetafileCanvas::CombineRegion(const QRegion& raw, int mode)
{
    // Region arithmetic goes row by row, and rectangle by rectangle.
    const double rects = raw.rectCount() + (Now.Clip ? Now.Clip->rectCount() : 1);
    if (!Afford(CallCost + 4.0 * Picture.height() + RegionRectCost * rects))
        return;
    const QRegion region = raw.intersected(Picture.rect());
    const QRegion current = Now.Clip.value_or(QRegion(Picture.rect()));
    switch (mode)
    {
    case Gdi::RegionAnd: Now.Clip = current.intersected(region); break;
    case Gdi::RegionOr: Now.Clip = current.united(region); break;
    case Gdi::RegionXor: Now.Clip = current.xored(region); break;
    case Gdi::RegionDiff: Now.Clip = current.subtracted(region); break;
    case Gdi::RegionCopy: Now.Clip = region; break;
    default: break;
    }
}
