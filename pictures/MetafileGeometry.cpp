#include "pictures/MetafileGeometry.h"

#include <algorithm>
#include <cmath>

namespace MetafileGeometry
{

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

} // namespace MetafileGeometry
