#pragma once

#include "engine/GameEngine.h"
#include "core/Settings.h"

#include <cstdint>

// Plays a game by chance: ticks, presses and releases of the five bound keys, and now and then
// a pause that is resumed a little later. Deterministic for a given seed.
class TRandomPlayer
{
public:
    explicit TRandomPlayer(uint64_t seed) : State(seed * 2654435761u + 1) {}

    void Step(TGameEngine& engine, const TSettings& settings)
    {
        const uint32_t roll = Next() % 1000;
        if (engine.GameState == gsPaused)
        {
            if (roll < 300)
                engine.PauseMenuClick();
            else if (roll < 320)
                engine.FocusLost();
            else
                engine.TimerTick();
            return;
        }
        if (roll < 680)
            engine.TimerTick();
        else if (roll < 930)
        {
            const uint16_t keys[] = {settings.LeftKey, settings.RightKey, settings.DropKey, settings.RColorKey,
                                     settings.RBlockKey};
            engine.FormKeyDown(keys[Next() % 5]);
        }
        else if (roll < 990)
            engine.FormKeyUp(settings.DropKey);
        else if (roll < 995)
            engine.PauseMenuClick();
        else
            engine.FocusLost();
    }

private:
    uint32_t Next()
    {
        State = State * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(State >> 33);
    }

    uint64_t State;
};
