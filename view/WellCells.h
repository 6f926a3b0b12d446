#pragma once

#include "engine/Board.h"
#include "engine/CellSurface.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>

class TCellImages;

// What one cell of the well shows.
struct TShownCell
{
    uint8_t Colour = 0;  // the cell picture 1..7; 0 the inner background alone
    uint8_t Step = 0;    // 0 the whole cell, 1..4 a dissolve frame over the background, 5 and up the background
    bool Banner = false; // the background with its part of the pause banner over it

    bool operator==(const TShownCell&) const = default;
};

// The well kept as a record per cell rather than as well-sized pictures: the window's backing
// store is painted from it at paint time, each pixel written once, and nothing of the well's
// size is held. A layer is one such record of the whole well.
class TWellCells
{
public:
    using TLayer = std::array<std::array<TShownCell, MaxCols>, MaxRows>;

    explicit TWellCells(TCellImages& cells) : Cells(cells) {}

    void SetSize(int columns, int rows, int cellWidth, int cellHeight);
    int Columns() const { return ColumnCount; }
    int Rows() const { return RowCount; }
    // The cells whose rectangle meets rect (in the well's pixels), as columns and rows.
    QRect CellsMeeting(const QRect& rect) const;
    QRect PixelsOf(const QRect& cells) const;

    // The pause banner as drawn over the background, and where its corner lies in the well.
    void SetBanner(const QImage& banner, QPoint at);
    // The same from the whole well drawn with the banner over the bare background: the rows and
    // columns that differ from the background are kept.
    void TakeBanner(const QImage& well);
    QRect BannerRect() const { return QRect(BannerAt, Banner.size()); }
    // Every cell of the layer the bare background, with the banner over those it covers.
    void ShowBanner(TLayer& layer) const;

    // The cells of layer that fall inside target, the well's corner lying at origin on target.
    void Paint(QImage& target, QPoint origin, const TLayer& layer) const;

private:
    void PaintCell(QImage& target, QPoint origin, int column, int row, TShownCell cell) const;

    TCellImages& Cells;
    int ColumnCount = 0;
    int RowCount = 0;
    int CellWidth = 0;
    int CellHeight = 0;
    QImage Banner;
    QPoint BannerAt;
};

// Lets the falling piece draw itself into a layer: each cell of it inside clip (in the well's
// pixels) is recorded as shown. Colour 0 and pictures that were never loaded draw nothing.
class TLayerCellSurface : public ICellSurface
{
public:
    TLayerCellSurface(const TWellCells& well, const TCellImages& cells, TWellCells::TLayer& layer, const QRect& clip)
        : Well(well), Cells(cells), Layer(layer), Clip(clip)
    {
    }

    void DrawCell(int x, int y, int width, int height, int colour, int step) override;

private:
    const TWellCells& Well;
    const TCellImages& Cells;
    TWellCells::TLayer& Layer;
    QRect Clip;
};
