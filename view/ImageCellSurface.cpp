#include "view/ImageCellSurface.h"

#include "view/CellImages.h"

void TImageCellSurface::DrawCell(int x, int y, int width, int height, int colour, int step)
{
    if (step == 0 && Clip.isValid())
        Cells.DrawCellClipped(Target, Clip, x, y, width, height, colour);
    else
        Cells.DrawCell(Target, x, y, width, height, colour, step);
}
