#pragma once

#include "engine/Block.h"
#include "engine/Board.h"

#include <initializer_list>
#include <string>
#include <vector>

// Wells written as text, one string per row, '.' for an empty cell and '1'..'7' for a colour.
// The given rows are the bottom rows of a well of rowNumber rows.
inline TGrid GridFromBottom(int rowNumber, const std::vector<std::string>& bottomRows)
{
    TGrid grid;
    const int top = rowNumber - static_cast<int>(bottomRows.size());
    for (size_t i = 0; i < bottomRows.size(); ++i)
        for (size_t col = 0; col < bottomRows[i].size(); ++col)
        {
            const char c = bottomRows[i][col];
            grid.At(top + static_cast<int>(i), static_cast<int>(col)) = c == '.' ? 0 : static_cast<uint8_t>(c - '0');
        }
    return grid;
}

// The whole 17 x 9 grid as text, for readable failures.
inline std::string GridText(const TGrid& grid)
{
    std::string text = "\n";
    for (int row = 0; row < MaxRows; ++row)
    {
        for (int col = 0; col < MaxCols; ++col)
            text += grid.At(row, col) == 0 ? '.' : static_cast<char>('0' + grid.At(row, col));
        text += '\n';
    }
    return text;
}

inline TBlock MakeBlock(std::initializer_list<int> colors, bool horizontal)
{
    TBlock block;
    block.Count = static_cast<uint8_t>(colors.size());
    int i = 0;
    for (int c : colors)
        block.Colors[i++] = static_cast<uint8_t>(c);
    block.Horizontal = horizontal;
    return block;
}
