#pragma once

#include "engine/GameEngine.h"

// What the painting reads of the game: the grids, the falling piece and the state.
struct TWellState
{
    const TGrid* Board = nullptr;
    const TGrid* NewBoard = nullptr;
    const TGrid* ClearMarks = nullptr;
    const TBlock* CurrentBlock = nullptr;
    const int32_t* BlockX = nullptr;
    const int32_t* BlockY = nullptr;
    const TGameState* GameState = nullptr;

    static TWellState Of(const TGameEngine& engine)
    {
        return {&engine.Board,  &engine.NewBoard, &engine.ClearMarks, &engine.CurrentBlock,
                &engine.BlockX, &engine.BlockY,   &engine.GameState};
    }
};
