#pragma once

#include "engine/GameEngine.h"
#include "core/Settings.h"

#include <string>

// What must hold of the well at every moment between two messages. Returns the first broken
// rule, or an empty text.
inline std::string BrokenWellRule(const TGameEngine& engine, const TSettings& settings)
{
    const TGrid& board = engine.Board;
    for (int col = 0; col < MaxCols; ++col)
    {
        bool filledAbove = false;
        for (int row = 0; row < MaxRows; ++row)
        {
            const int cell = board.At(row, col);
            const bool inside = row < settings.RowNumber && col < settings.ColNumber;
            if (!inside && cell != 0)
                return "cell outside the well at row " + std::to_string(row) + " column " + std::to_string(col);
            if (cell > settings.NumOfColor)
                return "colour " + std::to_string(cell) + " at row " + std::to_string(row) + " column "
                       + std::to_string(col);
            if (inside && cell == 0 && filledAbove)
                return "hole at row " + std::to_string(row) + " column " + std::to_string(col);
            filledAbove = filledAbove || cell != 0;
        }
    }
    if (engine.Level < 1 || engine.Level > 12)
        return "level " + std::to_string(engine.Level);
    if (engine.Level < 12 && engine.LevelCounter > 15)
        return "level counter " + std::to_string(engine.LevelCounter) + " at level " + std::to_string(engine.Level);
    if (engine.GameState != gsStopped && engine.FallDelay != 15 - engine.Level)
        return "fall delay " + std::to_string(engine.FallDelay) + " at level " + std::to_string(engine.Level);
    if (engine.GameState > gsNextBlock)
        return "state " + std::to_string(engine.GameState);
    return {};
}
