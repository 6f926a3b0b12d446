#include "view/NextPreview.h"

#include "view/CellImages.h"
#include "view/RasterOps.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

TNextPreview::TNextPreview(TCellImages& cells, QWidget* parent) : QWidget(parent), Cells(cells)
{
    resize(100, 100);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TNextPreview::SetBlock(const TBlock& block)
{
    Block.Assign(block);
}

void TNextPreview::UseCells(TCellImages* cells, int w, int h)
{
    OwnCells = cells;
    CellWidth = cells ? std::max(1, w) : PreviewCellWidth;
    CellHeight = cells ? std::max(1, h) : PreviewCellHeight;
}

std::array<QPoint, TBlock::MaxCells> TNextPreview::CellPositions(const TBlock& block, int clientWidth,
                                                                 int clientHeight)
{
    return CellPositions(block, clientWidth, clientHeight, PreviewCellWidth, PreviewCellHeight);
}

std::array<QPoint, TBlock::MaxCells> TNextPreview::CellPositions(const TBlock& block, int clientWidth,
                                                                 int clientHeight, int w, int h)
{
    const int half = (h + 4) / 2; // 13 at the usual 22
    const int n = std::min<int>(block.Count, TBlock::MaxCells);
    std::array<QPoint, TBlock::MaxCells> positions{};
    if (!block.Horizontal)
    {
        const int x = (clientWidth - w) / 2;
        const int y = (clientHeight - n * h) / 2;
        for (int i = 0; i < n; ++i)
            positions[i] = QPoint(x, y + i * h);
    }
    else if (n <= 5)
    {
        const int x = (clientWidth - n * w) / 2;
        const int y = (clientHeight - h) / 2;
        for (int i = 0; i < n; ++i)
            positions[i] = QPoint(x + i * w, y);
    }
    else
    {
        // Four cells on top, the rest on a second row centred on its own, 26 pixels lower.
        int x = (clientWidth - 4 * w) / 2;
        int y = (clientHeight - h) / 2 - half;
        for (int i = 0; i < n; ++i)
        {
            if (i == 4)
            {
                x = (clientWidth - (n - 4) * w) / 2 - 4 * w;
                y = (clientHeight - h) / 2 + half;
            }
            positions[i] = QPoint(x + i * w, y);
        }
    }
    return positions;
}

const QImage& TNextPreview::Render()
{
    const double ratio = devicePixelRatioF();
    const QSize pixels = ratio == 1.0 ? size() : QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    if (Surface.size() != pixels)
        Surface = QImage(pixels, QImage::Format_RGB32);
    Surface.setDevicePixelRatio(ratio);
    Surface.fill(Qt::black);
    if (!ShowNext)
        return Surface;

    const auto positions = CellPositions(Block, Surface.width(), Surface.height(), CellWidth, CellHeight);
    const int n = std::min<int>(Block.Count, TBlock::MaxCells);
    TCellImages& cells = OwnCells ? *OwnCells : Cells;
    for (int i = 0; i < n; ++i)
        cells.DrawCell(Surface, positions[i].x(), positions[i].y(), CellWidth, CellHeight, Block.Colors[i], 0);
    return Surface;
}

void TNextPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), Render());
}
