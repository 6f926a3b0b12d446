#pragma once

#include <QPointF>
#include <QPolygon>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>

// Plane geometry the metafile canvas needs beside what Qt offers.
namespace MetafileGeometry
{

// The angle of a radial as the ellipse's own parameter, in Qt's degrees (anticlockwise on screen).
double ParameterAngle(const QRectF& box, QPointF point);

// Both coordinates are numbers.
bool Finite(QPointF p);

// A mapping that cannot be inverted or that throws points far past any picture draws nothing.
bool Usable(const QTransform& t);

// Liang and Barsky's cut of the segment a-b to the box; false when nothing of it is inside.
bool ClipSegment(const QRectF& box, QPointF& a, QPointF& b);

// Region corners in whole pixels, kept well inside the range of an int.
QPolygon Pixels(const QPolygonF& polygon);

} // namespace MetafileGeometry
