#pragma once

#include "core/CellSizes.h"
#include "engine/Block.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>

class TCellImages;

// The next piece beside the well: centred on black in small cells of the current skin,
// whatever cell size the well uses.
class TNextPreview : public QWidget
{
public:
    static constexpr int PreviewCellWidth = SmallCell.Width;
    static constexpr int PreviewCellHeight = SmallCell.Height;

    explicit TNextPreview(TCellImages& cells, QWidget* parent = nullptr);

    // Takes a copy of the piece; the caller repaints.
    void SetBlock(const TBlock& block);

    // Top-left corner of each cell of a piece in a client area of the given size.
    static std::array<QPoint, TBlock::MaxCells> CellPositions(const TBlock& block, int clientWidth,
                                                             int clientHeight);
    // The same for cells of w x h pixels; the two rows of a long piece stay 4/22 of a cell apart.
    static std::array<QPoint, TBlock::MaxCells> CellPositions(const TBlock& block, int clientWidth,
                                                             int clientHeight, int w, int h);

    // Draws from these pictures at w x h image pixels per cell instead of the well's at 26 x 22
    // (a preview grown with the window, or a screen with more pixels per coordinate).
    void UseCells(TCellImages* cells, int w, int h);

    // Paints into the off-screen image at the control's present size and returns it.
    const QImage& Render();

    // The copy that is shown; until the first copy a standing piece of three empty cells.
    TBlock Block;
    bool ShowNext = true;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TCellImages& Cells;
    TCellImages* OwnCells = nullptr;
    int CellWidth = PreviewCellWidth;
    int CellHeight = PreviewCellHeight;
    QImage Surface;
};
