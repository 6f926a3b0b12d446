#include "Block.h"

#include "CellSurface.h"
#include "Random.h"

void TBlock::Assign(const TBlock& source)
{
    Count = source.Count;
    for (int i = 0; i < Count && i < MaxCells; ++i)
        Colors[i] = source.Colors[i];
    Horizontal = source.Horizontal;
}

void TBlock::Generate(uint8_t n, TRandom& random, int32_t numOfColor, uint8_t gameMode)
{
    Count = n;
    for (int i = 0; i < n && i < MaxCells; ++i)
        Colors[i] = static_cast<uint8_t>(random.Draw(static_cast<uint32_t>(numOfColor)) + 1);
    switch (gameMode)
    {
    case 1:
        Horizontal = true;
        break;
    case 2:
        Horizontal = false;
        break;
    case 3:
        // The long rows never stand; a one-cell piece still takes its draw.
        Horizontal = Count > 5 ? true : random.Draw(2) == 1;
        break;
    default:
        break;
    }
}

void TBlock::RotateColor()
{
    if (Count < 2)
        return;
    const uint8_t first = Colors[0];
    for (int i = 0; i < Count - 1; ++i)
        Colors[i] = Colors[i + 1];
    Colors[Count - 1] = first;
}

void TBlock::Draw(ICellSurface& target, int column, int row, int cellWidth, int cellHeight) const
{
    for (int i = 0; i < Count && i < MaxCells; ++i)
    {
        const int c = Horizontal ? column + i : column;
        const int r = Horizontal ? row : row + i;
        target.DrawCell(c * cellWidth, r * cellHeight, cellWidth, cellHeight, Colors[i], 0);
    }
}
