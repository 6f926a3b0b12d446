#include "view/WellGeometry.h"

#include <algorithm>
#include <cstdint>

namespace
{

// Stored settings are not range-checked: a product outside this keeps the images allocatable.
constexpr int64_t LargestSide = 32767;

int Side(int cells, int cellSize)
{
    return static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(cells) * cellSize, 0, LargestSide));
}

} // namespace

void TWellGeometry::Update(int colNumber, int rowNumber, int blockWidth, int blockHeight, int clientWidth,
                           int clientHeight)
{
    WellWidth = Side(colNumber, blockWidth);
    WellHeight = Side(rowNumber, blockHeight);
    Recentre(clientWidth, clientHeight);
}

void TWellGeometry::Recentre(int clientWidth, int clientHeight)
{
    WellLeft = (clientWidth - WellWidth) / 2;
    WellTop = (clientHeight - WellHeight) / 2;
}
