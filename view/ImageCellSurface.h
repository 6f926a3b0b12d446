#pragma once

#include "engine/CellSurface.h"

class QImage;
class TCellImages;

// Lets a piece draw itself onto one of the images through the cell routine.
class TImageCellSurface : public ICellSurface
{
public:
    TImageCellSurface(TCellImages& cells, QImage& target) : Cells(cells), Target(target) {}

    void DrawCell(int x, int y, int width, int height, int colour, int step) override;

private:
    TCellImages& Cells;
    QImage& Target;
};
