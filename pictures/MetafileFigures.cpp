#include "pictures/MetafileCanvas.h"

#include "pictures/GdiConstants.h"
#include "pictures/MetafileGeometry.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

// The drawing calls of the canvas: figures, text and bitmaps.

using namespace MetafileGeometry;

namespace
{

// Larger letters are no text anyone reads in a background; they only cost time.
constexpr double MaxFontPixels = 4096;
// Finding the font and laying out the text take some microseconds, whatever the text's size.
constexpr double TextCost = 8000;

} // namespace

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
    const bool updatePosition = Now.TextAlign & Gdi::AlignUpdateCp;
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

    const uint32_t horizontal = Now.TextAlign & Gdi::AlignHorizontal;
    const uint32_t vertical = Now.TextAlign & Gdi::AlignVertical;
    const double x = horizontal == Gdi::AlignCenter ? -width / 2 : horizontal == Gdi::AlignRight ? -width : 0;
    const double y = vertical == Gdi::AlignBaseline ? 0 : vertical == Gdi::AlignBottom ? -metrics.descent() : metrics.ascent();

    QTransform placed = QTransform::fromTranslate(anchor.x(), anchor.y());
    placed.rotate(-Now.Font.Escapement / 10.0);
    Prepare(placed);
    Painter.setFont(font);
    if (Now.OpaqueBack && !opaqueBox)
        Painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), Now.BackColour);
    Painter.setPen(Now.TextColour);
    Painter.drawText(QPointF(x, y), text);
    if (updatePosition && std::abs(transform.m11()) > 0)
        Now.Position.rx() += (horizontal == Gdi::AlignRight ? -width : width) / transform.m11();
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
        if (rasterOp == Gdi::Blackness || rasterOp == Gdi::Whiteness)
            Painter.fillRect(box, rasterOp == Gdi::Blackness ? Qt::black : Qt::white);
        else if (rasterOp == Gdi::PatCopy)
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
    if (rasterOp == Gdi::NotSrcCopy)
        shown.invertPixels();
    if (rasterOp == Gdi::SrcPaint)
        Painter.setCompositionMode(QPainter::CompositionMode_Lighten);
    else if (rasterOp == Gdi::SrcAnd)
        Painter.setCompositionMode(QPainter::CompositionMode_Darken);
    else if (rasterOp == Gdi::SrcInvert)
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
