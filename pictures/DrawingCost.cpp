#include "pictures/DrawingCost.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

// Beyond this many crossings a row, the antialiasing rasterizer's cost grows no faster than linearly.
constexpr double SteepCrossings = 48;
// The aliased rasterizer sorts the edges of each row.
constexpr double SortCost = 10;
// A one-pixel pen is drawn by a line walker, a few units a cell.
constexpr double ThinPenPixels = 1.5;
constexpr double LineCellCost = 2;

double Clamp(double value, double low, double high)
{
    return std::isfinite(value) ? std::clamp(value, low, high) : low;
}

} // namespace

void TDrawingCost::TCoat::AddEdge(QPointF a, QPointF b, double width, QRect picture)
{
    const double half = width / 2;
    const double top = Clamp(std::min(a.y(), b.y()) - half, picture.top(), picture.bottom() + 1.0);
    const double bottom = Clamp(std::max(a.y(), b.y()) + half, picture.top(), picture.bottom() + 1.0);
    const double left = Clamp(std::min(a.x(), b.x()) - half, picture.left(), picture.right() + 1.0);
    const double right = Clamp(std::max(a.x(), b.x()) + half, picture.left(), picture.right() + 1.0);
    if (std::max(a.y(), b.y()) + half < picture.top() || std::min(a.y(), b.y()) - half > picture.bottom() + 1.0)
        return;
    Box |= QRectF(QPointF(left, top), QPointF(right, bottom));
    // An outline drawn with a width has two long sides and, at the joins, rounds as wide as the pen.
    const double sides = width > 0 ? 2 : 1;
    Crossings += sides * (bottom - top + 1);
    Cells += sides * (std::max(bottom - top, right - left) + 1) + (width > 0 ? std::numbers::pi * width : 0);
}

double TDrawingCost::TCoat::Smooth() const
{
    const double rows = std::max(Box.height(), 1.0);
    const double area = Box.width() * Box.height();
    const double crossings = Crossings / rows;
    // Cells past a simple shape's few a row (two sides, top and bottom edges) lengthen every row.
    const double cells = std::max(Cells / rows - 4, 0.0);
    return area * (1 + cells + crossings * std::min(crossings, SteepCrossings) / 2) + Cells;
}

double TDrawingCost::TCoat::Jagged() const
{
    const double rows = std::max(Box.height(), 1.0);
    return Box.width() * Box.height() + SortCost * Crossings * (Crossings / rows) + Cells;
}

TDrawingCost::TDrawingCost(const std::vector<QPolygonF>& outlines, bool fill, double penPixels, QRect picture)
{
    TCoat inside;
    TCoat pen;
    double lineCells = 0;
    const bool wide = penPixels > ThinPenPixels;
    for (const QPolygonF& outline : outlines)
    {
        for (qsizetype i = 1; i < outline.size(); ++i)
        {
            if (fill)
                inside.AddEdge(outline[i - 1], outline[i], 0, picture);
            if (wide)
                pen.AddEdge(outline[i - 1], outline[i], penPixels, picture);
            else if (penPixels > 0)
                lineCells += std::min(QLineF(outline[i - 1], outline[i]).length(), 2.0 * picture.width() + picture.height());
        }
        // A filled outline closes itself.
        if (fill && outline.size() > 2 && outline.front() != outline.back())
            inside.AddEdge(outline.back(), outline.front(), 0, picture);
    }
    Smooth = inside.Smooth() + pen.Smooth() + LineCellCost * lineCells;
    Jagged = inside.Jagged() + pen.Jagged() + LineCellCost * lineCells;
}

double TDrawingCost::Region(const std::vector<QPolygonF>& outlines, QRect picture)
{
    return TDrawingCost(outlines, true, 0, picture).Aliased();
}
