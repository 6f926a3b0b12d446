#pragma once

#include "engine/GameView.h"

#include <cstdint>

// A millisecond counter that moves on by 1 ms at every read, so busy waits end at once
// while still seeing time pass.
class TFakeClock : public IClock
{
public:
    uint32_t Milliseconds() override
    {
        ++Reads;
        return Now++;
    }

    uint32_t Now = 0;
    uint64_t Reads = 0;
};
