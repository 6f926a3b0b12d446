#include "view/WellGeometry.h"
#include "view/WindowLimits.h"

#include <gtest/gtest.h>

namespace
{

struct TPlaceCase
{
    int Cols, Rows, BlockWidth, BlockHeight, ClientWidth, ClientHeight;
    int WellWidth, WellHeight, WellLeft, WellTop;
};

TEST(WellGeometry, WellIsCentredWithHalvesTruncatedTowardZero)
{
    const TPlaceCase cases[] = {
        {9, 17, 44, 37, 1016, 680, 396, 629, 310, 25}, // maximised default
        {9, 17, 44, 37, 391, 680, 396, 629, -2, 25},   // 5 pixels narrower than the well
        {9, 17, 44, 37, 396, 623, 396, 629, 0, -3},    // 6 pixels shorter
        {9, 17, 44, 37, 397, 630, 396, 629, 0, 0},     // one spare pixel goes right and below
        {5, 15, 44, 37, 1016, 680, 220, 555, 398, 62}, // Single at Large
        {9, 17, 26, 22, 640, 400, 234, 374, 203, 13},  // Small
    };
    for (const TPlaceCase& c : cases)
    {
        TWellGeometry geometry;
        geometry.Update(c.Cols, c.Rows, c.BlockWidth, c.BlockHeight, c.ClientWidth, c.ClientHeight);
        EXPECT_EQ(geometry.WellWidth, c.WellWidth);
        EXPECT_EQ(geometry.WellHeight, c.WellHeight);
        EXPECT_EQ(geometry.WellLeft, c.WellLeft) << "client " << c.ClientWidth;
        EXPECT_EQ(geometry.WellTop, c.WellTop) << "client " << c.ClientHeight;
    }
}

struct TSizeCase
{
    int Cols, Rows;
    int Width[3], Height[3]; // Large, Medium, Small
};

TEST(WellGeometry, WellSizesOfTheBuiltInModes)
{
    const int blockWidths[3] = {44, 34, 26};
    const int blockHeights[3] = {37, 29, 22};
    const TSizeCase cases[] = {
        {9, 17, {396, 306, 234}, {629, 493, 374}},
        {7, 17, {308, 238, 182}, {629, 493, 374}},
        {7, 16, {308, 238, 182}, {592, 464, 352}},
        {5, 15, {220, 170, 130}, {555, 435, 330}},
    };
    for (const TSizeCase& c : cases)
        for (int size = 0; size < 3; ++size)
        {
            TWellGeometry geometry;
            geometry.Update(c.Cols, c.Rows, blockWidths[size], blockHeights[size], 800, 600);
            EXPECT_EQ(geometry.WellWidth, c.Width[size]) << c.Cols << " x " << c.Rows << " size " << size;
            EXPECT_EQ(geometry.WellHeight, c.Height[size]) << c.Cols << " x " << c.Rows << " size " << size;
        }
}

TEST(WellGeometry, ResizeRecentresWithoutChangingTheWellSize)
{
    TWellGeometry geometry;
    geometry.Update(9, 17, 44, 37, 1016, 680);
    geometry.Recentre(800, 700);
    EXPECT_EQ(geometry.WellWidth, 396);
    EXPECT_EQ(geometry.WellHeight, 629);
    EXPECT_EQ(geometry.WellLeft, 202);
    EXPECT_EQ(geometry.WellTop, 35);
}

TEST(WellGeometry, NonsenseSettingsGiveAnEmptyWellInsteadOfOverflowing)
{
    TWellGeometry geometry;
    geometry.Update(-3, 17, 44, 37, 1016, 680);
    EXPECT_EQ(geometry.WellWidth, 0);
    geometry.Update(9, 17, 2000000000, 37, 1016, 680);
    EXPECT_EQ(geometry.WellWidth, 32767);
}

TEST(WindowLimits, MinimumWidthOfARestoredWindow)
{
    EXPECT_EQ(TWindowLimits::MinimumOuterWidth(false, TWindowLimits::PanelNextWidth, 396), 762);
    EXPECT_EQ(TWindowLimits::MinimumOuterWidth(false, TWindowLimits::PanelNextWidth, 220), 586);
    EXPECT_FALSE(TWindowLimits::MinimumOuterWidth(true, TWindowLimits::PanelNextWidth, 396).has_value());
}

TEST(WindowLimits, RightColumnEndsTwentyFivePixelsInside)
{
    EXPECT_EQ(TWindowLimits::RightColumnLeft(1016, 133), 858);
    EXPECT_EQ(TWindowLimits::RightColumnLeft(1016, 42), 949);
    EXPECT_EQ(TWindowLimits::RightColumnLeft(700, 121), 554);
}

} // namespace
