#include "view/WellFit.h"

#include <algorithm>
#include <cmath>

namespace
{

bool Fits(int cellHeight, int clientWidth, int clientHeight, int columns, int rows)
{
    const double scale = std::max(1.0, cellHeight / 37.0);
    // The well stays centred, so the wider column decides the room on both sides.
    const int side = static_cast<int>(std::ceil((std::max(TWellFit::LeftColumnWidth, TWellFit::RightColumnWidth) +
                                                 TWellFit::ColumnGap) * scale));
    const int wellWidth = columns * TWellFit::WidthFor(cellHeight) + 2 * TWellFit::Frame;
    const int wellHeight = rows * cellHeight + 2 * (TWellFit::Frame + TWellFit::ColumnGap);
    const int columnHeight = static_cast<int>(std::ceil(std::max(TWellFit::LeftColumnHeight,
                                                                  TWellFit::RightColumnHeight) * scale));
    return wellWidth + 2 * side <= clientWidth && wellHeight <= clientHeight && columnHeight <= clientHeight;
}

} // namespace

int TWellFit::WidthFor(int cellHeight)
{
    return static_cast<int>(std::lround(cellHeight * 44.0 / 37.0));
}

TWellFit TWellFit::For(int clientWidth, int clientHeight, int columns, int rows)
{
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    int height = SmallestHeight;
    while (height < LargestHeight && Fits(height + 1, clientWidth, clientHeight, columns, rows))
        ++height;
    return {WidthFor(height), height, std::max(1.0, height / 37.0)};
}
