#include "view/ImageCellSurface.h"

#include "view/CellImages.h"

void TImageCellSurface::DrawCell(int x, int y, int width, int height, int colour, int step)
{
    Cells.DrawCell(Target, x, y, width, height, colour, step);
}
