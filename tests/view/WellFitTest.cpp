#include "view/WellFit.h"

#include <gtest/gtest.h>

namespace
{

struct TFitCase
{
    const char* Name;
    int ClientWidth;
    int ClientHeight;
    int Columns;
    int Rows;
    int CellWidth;
    int CellHeight;
};

// The well, its 6-pixel frame and both side columns (grown by height / 37) inside the client area.
TEST(WellFit, TakesTheLargestCellsThatLeaveRoomForTheFrameAndColumns)
{
    const TFitCase cases[] = {
        {"1016 x 680, TrioBlock: the height decides", 1016, 680, 9, 17, 45, 38},
        {"1280 x 1000, TrioBlock", 1280, 1000, 9, 17, 68, 57},
        {"1280 x 1000, Single", 1280, 1000, 5, 15, 76, 64},
        {"1280 x 1000, DuoBlock", 1280, 1000, 7, 16, 71, 60},
        {"4K, TrioBlock", 3840, 2100, 9, 17, 144, 121},
        {"900 x 1000: the columns beside the well decide", 900, 1000, 9, 17, 52, 44},
        {"640 x 480", 640, 480, 9, 17, 31, 26},
        {"smaller than small cells: small cells", 400, 300, 9, 17, 26, 22},
    };
    for (const TFitCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        const TWellFit fit = TWellFit::For(c.ClientWidth, c.ClientHeight, c.Columns, c.Rows);
        EXPECT_EQ(fit.CellWidth, c.CellWidth);
        EXPECT_EQ(fit.CellHeight, c.CellHeight);
        EXPECT_DOUBLE_EQ(fit.ColumnScale, std::max(1.0, c.CellHeight / 37.0));
    }
}

TEST(WellFit, KeepsTheProportionsOfTheShippedSizes)
{
    EXPECT_EQ(TWellFit::WidthFor(22), 26);
    EXPECT_EQ(TWellFit::WidthFor(29), 34);
    EXPECT_EQ(TWellFit::WidthFor(37), 44);
}

} // namespace
