#pragma once

#include <array>
#include <cstdint>

constexpr int MaxRows = 17;
constexpr int MaxCols = 9;

// One grid of the well, row 0 at the top, column 0 at the left: Cells[row][col].
// A cell holds 0 (empty) or a colour index 1..7; the well uses RowNumber x ColNumber of it.
struct TGrid
{
    std::array<std::array<uint8_t, MaxCols>, MaxRows> Cells{};

    uint8_t& At(int row, int col) { return Cells[row][col]; }
    uint8_t At(int row, int col) const { return Cells[row][col]; }
    void Clear() { Cells = {}; }
    bool operator==(const TGrid&) const = default;
};
