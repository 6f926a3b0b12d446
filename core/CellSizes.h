#pragma once

#include <cstdint>

struct TCellPixels
{
    int32_t Width;
    int32_t Height;
};

// The three cell sizes the game draws; the width alone tells them apart.
inline constexpr TCellPixels SmallCell{26, 22};
inline constexpr TCellPixels MediumCell{34, 29};
inline constexpr TCellPixels LargeCell{44, 37};

// Large cells from 1024 pixels of screen width, small ones below 800, medium in between.
constexpr TCellPixels DefaultCellSize(int screenWidth)
{
    if (screenWidth >= 1024)
        return LargeCell;
    if (screenWidth < 800)
        return SmallCell;
    return MediumCell;
}
