#pragma once

#include "engine/Block.h"
#include "engine/GameEngine.h"
#include "core/Settings.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingView.h"

#include <cstdint>

// An engine with a recording view and a fast clock, started up as the program starts it.
struct TEngineRig
{
    explicit TEngineRig(const TSettings& settings = TSettings{}, uint32_t seed = 12345)
        : Settings(settings), Engine(Settings, View, Clock, seed)
    {
        Engine.Start();
    }

    // The settings of one mode, written field by field.
    static TSettings ModeSettings(uint8_t numOfBlock, int32_t numOfColor, int32_t colNumber, int32_t rowNumber,
                                  uint8_t gameMode)
    {
        TSettings settings;
        settings.NumOfBlock = numOfBlock;
        settings.NumOfColor = numOfColor;
        settings.ColNumber = colNumber;
        settings.RowNumber = rowNumber;
        settings.GameMode = gameMode;
        return settings;
    }

    // A running game with the given piece falling at (x, y).
    void Play(const TBlock& block, int32_t x, int32_t y)
    {
        if (Engine.GameState == gsStopped)
            Engine.NewGame();
        Engine.GameState = gsPlaying;
        Engine.CurrentBlock = block;
        Engine.BlockX = x;
        Engine.BlockY = y;
    }

    // The tick that makes the piece fall one row.
    void FallOneRow()
    {
        Engine.TickCounter = static_cast<uint8_t>(Engine.FallDelay - 1);
        Engine.TimerTick();
    }

    // The piece given, resting with its cell 0 at (x, restRow), lands at the next fall step.
    void LandAt(const TBlock& block, int32_t x, int32_t restRow)
    {
        Play(block, x, restRow);
        FallOneRow();
    }

    TSettings Settings;
    TRecordingView View;
    TFakeClock Clock;
    TGameEngine Engine;
};
