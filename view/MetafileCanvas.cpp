#include "view/MetafileCanvas.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace
{

// Deeper nesting than this is no drawing anyone made; further saves are ignored.
constexpr size_t MaxSavedStates = 256;
// Wider pens only slow the stroker down; the picture is at most 16384 pixels anyway.
constexpr double MaxPenPixels = 4096;
constexpr double MaxFontPixels = 4096;
// Every file may draw this much, and sixteen times its own picture over.
constexpr double BaseBudget = 64e6;
constexpr double PictureCoats = 16;
// What a call costs besides its pixels: setting up the painter, a font, a region.
constexpr double CallCost = 100;
constexpr double TextCost = 1000;
// How far past the picture's edges a shape is still drawn as it is.
constexpr double FarMargin = 1024;

constexpr uint32_t SrcPaint = 0x00EE0086;
constexpr uint32_t SrcAnd = 0x008800C6;
constexpr uint32_t SrcInvert = 0x00660046;
constexpr uint32_t NotSrcCopy = 0x00330008;
constexpr uint32_t Blackness = 0x00000042;
constexpr uint32_t Whiteness = 0x00FF0062;
constexpr uint32_t PatCopy = 0x00F00021;

Qt::PenStyle LineStyle(uint32_t style)
{
    switch (style & 0x0F)
    {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
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

// The angle of a radial as the ellipse's own parameter, in Qt's degrees (anticlockwise on screen).
double ParameterAngle(const QRectF& box, QPointF point)
{
    const QPointF d = point - box.center();
    return std::atan2(-d.y() / (box.height() / 2), d.x() / (box.width() / 2)) * 180.0 / M_PI;
}

bool Finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// A mapping that cannot be inverted or that throws points far past any picture draws nothing.
bool Usable(const QTransform& t)
{
    const double parts[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double part : parts)
        if (!std::isfinite(part) || std::abs(part) > 1e7)
            return false;
    return std::abs(t.determinant()) > 1e-12;
}

// Liang and Barsky's cut of the segment a-b to the box; false when nothing of it is inside.
bool ClipSegment(const QRectF& box, QPointF& a, QPointF& b)
{
    const QPointF d = b - a;
    double from = 0;
    double to = 1;
    const double p[] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i)
    {
        if (p[i] == 0)
        {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            from = std::max(from, t);
        else
            to = std::min(to, t);
    }
    if (from > to)
        return false;
    b = a + to * d;
    a = a + from * d;
    return true;
}

// Region corners in whole pixels, kept well inside the range of an int.
QPolygon Pixels(const QPolygonF& polygon)
{
    QPolygon pixels;
    for (const QPointF& p : polygon)
        pixels << QPoint(static_cast<int>(std::clamp(std::isfinite(p.x()) ? p.x() : 0.0, -1e6, 1e6)),
                         static_cast<int>(std::clamp(std::isfinite(p.y()) ? p.y() : 0.0, -1e6, 1e6)));
    return pixels;
}

} // namespace

TMetafileCanvas::TMetafileCanvas(QImage& picture, const QTransform& deviceToPicture, QSizeF devicePerMillimetre)
    : Picture(picture), Painter(&picture), DeviceToPicture(deviceToPicture), DevicePerMillimetre(devicePerMillimetre),
      Budget(BaseBudget + PictureCoats * double(picture.width()) * picture.height())
{
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setRenderHint(QPainter::TextAntialiasing);
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
        object = TGdiBrush{1, Qt::white, 0, {}};
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
    if (stock <= 4)
        Now.Brush = TGdiBrush{0, QColor(greys[stock], greys[stock], greys[stock]), 0, {}};
    else if (stock == 5)
        Now.Brush = TGdiBrush{1, Qt::white, 0, {}};
    else if (stock == 6 || stock == 7)
        Now.Pen = TGdiPen{0, 0, stock == 6 ? Qt::white : Qt::black};
    else if (stock == 8)
        Now.Pen = TGdiPen{5, 0, Qt::black};
    else if (stock >= 10 && stock <= 17 && stock != 15)
        Now.Font = TGdiFont{};
}

void TMetafileCanvas::SetMapMode(int mode)
{
    if (mode < 1 || mode > 8)
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
    case 1: Now.World = QTransform(); break;
    case 2: Now.World = transform * Now.World; break;
    case 3: Now.World = Now.World * transform; break;
    case 4: Now.World = transform; break;
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
    if (Now.MapMode >= 2 && Now.MapMode <= 6)
    {
        const double units = unitsPerMillimetre[Now.MapMode - 2];
        sx = DevicePerMillimetre.width() / units;
        sy = -DevicePerMillimetre.height() / units;
    }
    else if (Now.MapMode >= 7)
    {
        sx = Now.ViewportExt.width() / Now.WindowExt.width();
        sy = Now.ViewportExt.height() / Now.WindowExt.height();
        if (Now.MapMode == 7)
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
    const uint32_t cap = Now.Pen.Style & 0x0F00;
    const uint32_t join = Now.Pen.Style & 0xF000;
    pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

QBrush TMetafileCanvas::MakeBrush() const
{
    const TGdiBrush& brush = Now.Brush;
    if (brush.Style == 1)
        return Qt::NoBrush;
    if (brush.Style == 2)
        return QBrush(brush.Colour, HatchStyle(brush.Hatch));
    if (brush.Style >= 3 && !brush.Pattern.isNull())
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
    if (Now.Clip)
        Painter.setClipRegion(*Now.Clip);
    else
        Painter.setClipping(false);
    Painter.setTransform(transform);
    Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TMetafileCanvas::Paint(const QPainterPath& path, bool fill, bool stroke)
{
    const QTransform transform = Transform();
    if (!Usable(transform) || !AffordArea(path.controlPointRect(), path.elementCount()))
        return;
    const QPen pen = stroke ? MakePen() : QPen(Qt::NoPen);
    const QRectF reach = QRectF(Picture.rect()).adjusted(-FarMargin, -FarMargin, FarMargin, FarMargin)
                             .adjusted(-pen.widthF(), -pen.widthF(), pen.widthF(), pen.widthF());
    const QPainterPath mapped = transform.map(path);
    if (!reach.contains(mapped.controlPointRect()))
    {
        PaintFar(mapped, reach, fill, pen);
        return;
    }
    Prepare(transform);
    if (fill && Now.Brush.Style == 2 && Now.OpaqueBack)
        Painter.fillPath(path, Now.BackColour);
    Painter.setBrush(fill ? MakeBrush() : QBrush(Qt::NoBrush));
    Painter.setPen(pen);
    Painter.drawPath(path);
}

// The rasterizer walks every pixel of a line even where it is never shown; geometry that
// reaches far past the picture is cut down to a margin around it first.
void TMetafileCanvas::PaintFar(const QPainterPath& mapped, const QRectF& reach, bool fill, const QPen& pen)
{
    Prepare(QTransform());
    if (fill)
    {
        QPainterPath box;
        box.addRect(reach);
        const QPainterPath inside = mapped.intersected(box);
        if (Now.Brush.Style == 2 && Now.OpaqueBack)
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

void TMetafileCanvas::Figure(const QPainterPath& path, bool fill, bool stroke)
{
    if (PathOpen)
        Path.addPath(path);
    else
        Paint(path, fill, stroke);
}

void TMetafileCanvas::MoveTo(QPointF point)
{
    Now.Position = point;
    if (PathOpen)
        Path.moveTo(point);
}

void TMetafileCanvas::LineTo(QPointF point)
{
    if (PathOpen)
    {
        if (Path.elementCount() == 0)
            Path.moveTo(Now.Position);
        Path.lineTo(point);
    }
    else
    {
        QPainterPath line(Now.Position);
        line.lineTo(point);
        Paint(line, false, true);
    }
    Now.Position = point;
}

void TMetafileCanvas::Polyline(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    Figure(path, false, true);
}

void TMetafileCanvas::PolylineTo(const QPolygonF& points)
{
    for (const QPointF& point : points)
        LineTo(point);
}

void TMetafileCanvas::PolyBezier(const QPolygonF& points)
{
    if (points.isEmpty())
        return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    Figure(path, false, true);
}

void TMetafileCanvas::PolyBezierTo(const QPolygonF& points)
{
    if (PathOpen && Path.elementCount() == 0)
        Path.moveTo(Now.Position);
    QPainterPath path(Now.Position);
    for (qsizetype i = 0; i + 2 < points.size(); i += 3)
    {
        (PathOpen ? Path : path).cubicTo(points[i], points[i + 1], points[i + 2]);
        Now.Position = points[i + 2];
    }
    if (!PathOpen)
        Paint(path, false, true);
}

void TMetafileCanvas::Polygon(const QPolygonF& points)
{
    PolyPolygon({points});
}

void TMetafileCanvas::PolyPolygon(const std::vector<QPolygonF>& polygons)
{
    QPainterPath path;
    path.setFillRule(Now.FillRule);
    for (const QPolygonF& polygon : polygons)
    {
        if (polygon.size() < 2)
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    Figure(path, true, true);
}

void TMetafileCanvas::PolyPolyline(const std::vector<QPolygonF>& polylines)
{
    for (const QPolygonF& polyline : polylines)
        Polyline(polyline);
}

void TMetafileCanvas::Rectangle(const QRectF& box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    Figure(path, true, true);
}

void TMetafileCanvas::RoundRect(const QRectF& box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    Figure(path, true, true);
}

void TMetafileCanvas::Ellipse(const QRectF& box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    Figure(path, true, true);
}

QPainterPath TMetafileCanvas::ArcPath(const QRectF& rawBox, QPointF start, QPointF end, TArcKind kind) const
{
    const QRectF box = rawBox.normalized();
    QPainterPath path;
    if (box.width() <= 0 || box.height() <= 0)
        return path;
    const double from = ParameterAngle(box, start);
    double sweep = ParameterAngle(box, end) - from;
    // Arcs run anticlockwise unless the device was told otherwise; equal radials make a whole turn.
    if (Now.Clockwise)
        sweep = sweep >= 0 ? sweep - 360 : sweep;
    else
        sweep = sweep <= 0 ? sweep + 360 : sweep;
    if (kind == TArcKind::Pie)
        path.moveTo(box.center());
    else if (kind == TArcKind::ArcTo)
        path.moveTo(Now.Position);
    else
        path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind == TArcKind::Pie || kind == TArcKind::Chord)
        path.closeSubpath();
    return path;
}

void TMetafileCanvas::Arc(const QRectF& box, QPointF start, QPointF end, TArcKind kind)
{
    const QPainterPath path = ArcPath(box, start, end, kind);
    if (path.isEmpty())
        return;
    const bool closed = kind == TArcKind::Pie || kind == TArcKind::Chord;
    if (PathOpen && kind == TArcKind::ArcTo)
        Path.connectPath(path);
    else
        Figure(path, closed, true);
    if (kind == TArcKind::ArcTo)
        Now.Position = path.currentPosition();
}

void TMetafileCanvas::AngleArc(QPointF centre, double radius, double startDegrees, double sweepDegrees)
{
    if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees) || radius <= 0)
        return;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path(Now.Position);
    path.arcTo(box, std::fmod(startDegrees, 360), std::clamp(sweepDegrees, -360.0, 360.0));
    if (PathOpen)
        Path.connectPath(path);
    else
        Paint(path, false, true);
    Now.Position = path.currentPosition();
}

void TMetafileCanvas::SetPixel(QPointF point, QColor colour)
{
    const QPointF pixel = Transform().map(point);
    if (!Usable(Transform()) || !Finite(pixel) || !Afford(CallCost))
        return;
    Prepare(QTransform());
    Painter.fillRect(QRectF(std::floor(pixel.x()), std::floor(pixel.y()), 1, 1), colour);
}

void TMetafileCanvas::Text(QPointF reference, const QString& text, const std::optional<QRectF>& opaqueBox)
{
    const QTransform transform = Transform();
    if (!Usable(transform) || !Afford(TextCost + text.size()))
        return;
    if (opaqueBox && !AffordArea(*opaqueBox, 0))
        return;
    if (opaqueBox)
    {
        Prepare(transform);
        Painter.fillRect(opaqueBox->normalized(), Now.BackColour);
    }
    const bool updatePosition = Now.TextAlign & 1;
    const QPointF anchor = transform.map(updatePosition ? Now.Position : reference);
    if (text.isEmpty() || !Finite(anchor))
        return;

    // Text stays upright whatever the mapping's direction; only its size follows the scale.
    const double yScale = std::hypot(transform.m21(), transform.m22());
    double pixels = Now.Font.Height == 0 ? 16 : std::abs(Now.Font.Height) * yScale;
    if (Now.Font.Height > 0)
        pixels *= 0.8; // a positive height counts the leading in
    QFont font(Now.Font.Face.isEmpty() ? QStringLiteral("Sans Serif") : Now.Font.Face);
    font.setPixelSize(static_cast<int>(std::clamp(std::isfinite(pixels) ? pixels : 16.0, 1.0, MaxFontPixels)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(Now.Font.Weight == 0 ? 400 : Now.Font.Weight, 100, 900)));
    font.setItalic(Now.Font.Italic);
    font.setUnderline(Now.Font.Underline);
    font.setStrikeOut(Now.Font.StrikeOut);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    if (!Afford(width * metrics.height()))
        return;

    const uint32_t horizontal = Now.TextAlign & 6;
    const uint32_t vertical = Now.TextAlign & 24;
    const double x = horizontal == 6 ? -width / 2 : horizontal == 2 ? -width : 0;
    const double y = vertical == 24 ? 0 : vertical == 8 ? -metrics.descent() : metrics.ascent();

    QTransform placed = QTransform::fromTranslate(anchor.x(), anchor.y());
    placed.rotate(-Now.Font.Escapement / 10.0);
    Prepare(placed);
    Painter.setFont(font);
    if (Now.OpaqueBack && !opaqueBox)
        Painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), Now.BackColour);
    Painter.setPen(Now.TextColour);
    Painter.drawText(QPointF(x, y), text);
    if (updatePosition && std::abs(transform.m11()) > 0)
        Now.Position.rx() += (horizontal == 2 ? -width : width) / transform.m11();
}

void TMetafileCanvas::Bitmap(const QRectF& target, const QImage& picture, QRectF source, uint32_t rasterOp,
                             double opacity)
{
    if (!Usable(Transform()) || !AffordArea(target.normalized(), double(picture.width()) * picture.height()))
        return;
    Prepare(Transform());
    const QRectF box = target.normalized();
    if (picture.isNull())
    {
        if (rasterOp == Blackness || rasterOp == Whiteness)
            Painter.fillRect(box, rasterOp == Blackness ? Qt::black : Qt::white);
        else if (rasterOp == PatCopy)
            Painter.fillRect(box, MakeBrush());
        return;
    }
    // A negative extent mirrors the bitmap along that side.
    QImage shown = picture.mirrored(target.width() < 0, target.height() < 0);
    if (target.width() < 0)
        source.moveLeft(picture.width() - source.right());
    if (target.height() < 0)
        source.moveTop(picture.height() - source.bottom());
    source = source.normalized().intersected(QRectF(shown.rect()));
    if (source.isEmpty())
        return;
    if (rasterOp == NotSrcCopy)
        shown.invertPixels();
    if (rasterOp == SrcPaint)
        Painter.setCompositionMode(QPainter::CompositionMode_Lighten);
    else if (rasterOp == SrcAnd)
        Painter.setCompositionMode(QPainter::CompositionMode_Darken);
    else if (rasterOp == SrcInvert)
        Painter.setCompositionMode(QPainter::CompositionMode_Difference);
    Painter.setOpacity(opacity);
    Painter.drawImage(box, shown, source);
    Painter.setOpacity(1);
}

void TMetafileCanvas::BeginPath()
{
    Path = QPainterPath();
    PathOpen = true;
}

void TMetafileCanvas::AbortPath()
{
    Path = QPainterPath();
    PathOpen = false;
}

void TMetafileCanvas::CloseFigure()
{
    if (PathOpen)
        Path.closeSubpath();
}

void TMetafileCanvas::DrawPath(bool fill, bool stroke)
{
    PathOpen = false;
    Path.setFillRule(Now.FillRule);
    Paint(Path, fill, stroke);
    Path = QPainterPath();
}

void TMetafileCanvas::SelectClipPath(int mode)
{
    PathOpen = false;
    Path.setFillRule(Now.FillRule);
    if (Usable(Transform()))
        CombineRegion(QRegion(Pixels(Transform().map(Path).toFillPolygon()), Now.FillRule), mode);
    Path = QPainterPath();
}

void TMetafileCanvas::IntersectClip(const QRectF& box)
{
    if (Usable(Transform()))
        CombineRegion(QRegion(Pixels(Transform().map(QPolygonF(box.normalized())))), 1);
}

void TMetafileCanvas::ExcludeClip(const QRectF& box)
{
    if (Usable(Transform()))
        CombineRegion(QRegion(Pixels(Transform().map(QPolygonF(box.normalized())))), 4);
}

void TMetafileCanvas::CombineClip(const std::vector<QRectF>& deviceRects, int mode)
{
    QRegion region;
    for (const QRectF& rect : deviceRects)
        region += QRegion(Pixels(DeviceToPicture.map(QPolygonF(rect.normalized())))).intersected(Picture.rect());
    if (mode == 5 && deviceRects.empty())
        Now.Clip.reset();
    else
        CombineRegion(region, mode);
}

void TMetafileCanvas::CombineRegion(const QRegion& raw, int mode)
{
    // Region arithmetic goes row by row.
    if (!Afford(CallCost + 4.0 * Picture.height()))
        return;
    const QRegion region = raw.intersected(Picture.rect());
    const QRegion current = Now.Clip.value_or(QRegion(Picture.rect()));
    switch (mode)
    {
    case 1: Now.Clip = current.intersected(region); break;
    case 2: Now.Clip = current.united(region); break;
    case 3: Now.Clip = current.xored(region); break;
    case 4: Now.Clip = current.subtracted(region); break;
    case 5: Now.Clip = region; break;
    default: break;
    }
}
