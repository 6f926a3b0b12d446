#pragma once

#include <QPolygonF>
#include <QRect>
#include <QRectF>

#include <vector>

// What rasterizing a figure onto the picture costs, estimated from its outline before anything is
// drawn, in units of about a nanosecond. Filling a shape costs more than its pixels: the
// antialiasing rasterizer's work grows with the edge cells on each row and, steeply, with the edges
// each row crosses (a zig-zag across the picture costs thousands of times its area); the aliased one
// grows with the square of the edges each row crosses. A wide pen outlines every segment with its
// width, and a stroke costs what filling that outline costs.
class TDrawingCost
{
public:
    // The figure in picture pixels: its outlines, whether it is filled, and its pen width in
    // pixels (0 for no pen).
    TDrawingCost(const std::vector<QPolygonF>& outlines, bool fill, double penPixels, QRect picture);

    double Antialiased() const { return Smooth; }
    double Aliased() const { return Jagged; }
    // Antialiasing is kept while it costs at most a few times the aliased drawing.
    bool Smoothed() const { return Smooth <= SmoothMargin * Jagged; }
    double Chosen() const { return Smoothed() ? Smooth : Jagged; }

    // A region made from an outline: the aliased rasterizer's work.
    static double Region(const std::vector<QPolygonF>& outlines, QRect picture);

private:
    static constexpr double SmoothMargin = 4;

    // Rows, edge crossings and edge cells of one coat, inside the picture.
    struct TCoat
    {
        QRectF Box;
        double Crossings = 0;
        double Cells = 0;
        void AddEdge(QPointF a, QPointF b, double width, QRect picture);
        double Smooth() const;
        double Jagged() const;
    };

    double Smooth = 0;
    double Jagged = 0;
};
