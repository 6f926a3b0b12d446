#include "view/WellCells.h"

#include "view/CellImages.h"
#include "view/RasterOps.h"

#include <algorithm>

namespace
{

// Division rounding toward minus infinity: cells left of or above the well have negative indices.
int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

constexpr int BareBackground = TCellImages::StepCount + 1;

} // namespace

void TWellCells::SetSize(int columns, int rows, int cellWidth, int cellHeight)
{
    ColumnCount = std::clamp(columns, 0, MaxCols);
    RowCount = std::clamp(rows, 0, MaxRows);
    CellWidth = cellWidth;
    CellHeight = cellHeight;
}

QRect TWellCells::CellsMeeting(const QRect& rect) const
{
    if (CellWidth <= 0 || CellHeight <= 0 || rect.isEmpty())
        return {};
    const QRect cells(QPoint(FloorDiv(rect.left(), CellWidth), FloorDiv(rect.top(), CellHeight)),
                      QPoint(FloorDiv(rect.right(), CellWidth), FloorDiv(rect.bottom(), CellHeight)));
    return cells & QRect(0, 0, ColumnCount, RowCount);
}

QRect TWellCells::PixelsOf(const QRect& cells) const
{
    return {cells.x() * CellWidth, cells.y() * CellHeight, cells.width() * CellWidth, cells.height() * CellHeight};
}

void TWellCells::SetBanner(const QImage& banner, QPoint at)
{
    Banner = banner;
    BannerAt = at;
}

void TWellCells::TakeBanner(const QImage& well)
{
    SetBanner(QImage(), QPoint());
    if (well.depth() != 32)
        return;
    QImage ground(well.width(), 1, QImage::Format_RGB32);
    QRect changed;
    for (int y = 0; y < well.height(); ++y)
    {
        Cells.CopyBackground(ground, ground.rect(), QPoint(0, -y));
        const auto* drawn = reinterpret_cast<const uint32_t*>(well.constScanLine(y));
        const auto* bare = reinterpret_cast<const uint32_t*>(ground.constScanLine(0));
        int left = 0;
        int right = well.width() - 1;
        while (left <= right && drawn[left] == bare[left])
            ++left;
        while (right >= left && drawn[right] == bare[right])
            --right;
        if (left <= right)
            changed |= QRect(left, y, right - left + 1, 1);
    }
    if (!changed.isEmpty())
        SetBanner(well.copy(changed), changed.topLeft());
}

void TWellCells::ShowBanner(TLayer& layer) const
{
    const QRect covered = Banner.isNull() ? QRect() : CellsMeeting(BannerRect());
    for (int row = 0; row < MaxRows; ++row)
        for (int column = 0; column < MaxCols; ++column)
            layer[row][column] = TShownCell{0, 0, covered.contains(column, row)};
}

void TWellCells::Paint(QImage& target, QPoint origin, const TLayer& layer) const
{
    const QRect cells = CellsMeeting(target.rect().translated(-origin));
    for (int row = cells.top(); row <= cells.bottom(); ++row)
        for (int column = cells.left(); column <= cells.right(); ++column)
            PaintCell(target, origin, column, row, layer[row][column]);
}

void TWellCells::PaintCell(QImage& target, QPoint origin, int column, int row, TShownCell cell) const
{
    const int x = origin.x() + column * CellWidth;
    const int y = origin.y() + row * CellHeight;
    // Opaque cells are straight row copies; a dissolve frame lays the background under its mask.
    if (cell.Step == 0 && cell.Colour != 0 && !Cells.CellImage(cell.Colour).isNull())
    {
        Cells.DrawCell(target, origin, x, y, CellWidth, CellHeight, cell.Colour, 0);
        return;
    }
    if (cell.Step > 0)
    {
        Cells.DrawCell(target, origin, x, y, CellWidth, CellHeight, cell.Colour, cell.Step);
        return;
    }
    Cells.DrawCell(target, origin, x, y, CellWidth, CellHeight, 0, BareBackground);
    if (!cell.Banner)
        return;
    const QRect part = BannerRect() & QRect(column * CellWidth, row * CellHeight, CellWidth, CellHeight);
    if (!part.isEmpty())
        TRasterOps::Copy(target, origin.x() + part.x(), origin.y() + part.y(), Banner, part.x() - BannerAt.x(),
                         part.y() - BannerAt.y(), part.width(), part.height());
}

void TLayerCellSurface::DrawCell(int x, int y, int width, int height, int colour, int step)
{
    if (colour == 0 || Cells.CellImage(colour).isNull())
        return;
    if (!QRect(x, y, width, height).intersects(Clip))
        return;
    const QRect cells = Well.CellsMeeting(QRect(x, y, width, height));
    for (int row = cells.top(); row <= cells.bottom(); ++row)
        for (int column = cells.left(); column <= cells.right(); ++column)
            Layer[row][column] = TShownCell{static_cast<uint8_t>(colour), static_cast<uint8_t>(step), false};
}
