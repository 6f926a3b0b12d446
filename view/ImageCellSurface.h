#pragma once

#include "engine/CellSurface.h"

#include <QRect>

class QImage;
class TCellImages;

// Lets a piece draw itself onto one of the images through the cell routine, changing only the
// pixels inside the clip rectangle when one is given.
class TImageCellSurface : public ICellSurface
{
public:
    TImageCellSurface(TCellImages& cells, QImage& target, const QRect& clip = QRect())
        : Cells(cells), Target(target), Clip(clip)
    {
    }

    void DrawCell(int x, int y, int width, int height, int colour, int step) override;

private:
    TCellImages& Cells;
    QImage& Target;
    QRect Clip;
};
