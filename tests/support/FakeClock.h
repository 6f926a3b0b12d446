#pragma once

#include "engine/GameView.h"

#include <cstdint>

// A millisecond counter that moves on by Step at every read, so busy waits end at once while
// still seeing time pass.
class TFakeClock : public IClock
{
public:
    explicit TFakeClock(uint32_t step = 1) : Step(step) {}

    uint32_t Milliseconds() override
    {
        ++Reads;
        const uint32_t now = Now;
        Now += Step;
        return now;
    }

    uint32_t Step;
    uint32_t Now = 0;
    uint64_t Reads = 0;
};
