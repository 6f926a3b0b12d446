#pragma once

#include <QPoint>
#include <QRect>

// Where the well lies in the window's client area, in pixels. The well is centred; when the
// client area is smaller, the offsets go negative and the well is cut off on both sides.
struct TWellGeometry
{
    int WellWidth = 0;
    int WellHeight = 0;
    int WellLeft = 0;
    int WellTop = 0;

    // The well's size from its cells, then its place in the client area.
    void Update(int colNumber, int rowNumber, int blockWidth, int blockHeight, int clientWidth,
                int clientHeight);

    // A new client size keeps the well's size and centres it again (halves truncate toward zero).
    void Recentre(int clientWidth, int clientHeight);

    QPoint Origin() const { return {WellLeft, WellTop}; }
    QRect WellRect() const { return {WellLeft, WellTop, WellWidth, WellHeight}; }
};
