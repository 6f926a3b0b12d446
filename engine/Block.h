#pragma once

#include <cstdint>

class ICellSurface;
class TRandom;

// A straight piece of 1..9 cells, lying (Horizontal) or standing.
class TBlock
{
public:
    static constexpr int MaxCells = 9;

    bool Horizontal = false;
    uint8_t Colors[MaxCells] = {};
    uint8_t Count = 3;

    bool IsHorizontal() const { return Horizontal; }

    // Takes Count, the first Count colours and the orientation; later colours keep their values.
    void Assign(const TBlock& source);

    // n cells of colours drawn from 1..numOfColor, oriented by the rule gameMode
    // (1 lying, 2 standing, 3 random with rows longer than 5 always lying).
    void Generate(uint8_t n, TRandom& random, int32_t numOfColor, uint8_t gameMode);

    // Every colour moves one cell towards cell 0; the first goes to the end. Needs Count >= 2.
    void RotateColor();

    void RotateBlock() { Horizontal = !Horizontal; }

    // Draws every cell at step 0 in well-grid coordinates (column, row of cell 0).
    void Draw(ICellSurface& target, int column, int row, int cellWidth, int cellHeight) const;
};
