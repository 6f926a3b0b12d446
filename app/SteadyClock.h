#pragma once

#include "engine/GameView.h"

#include <QElapsedTimer>

// The millisecond tick counter the busy waits poll.
class TSteadyClock : public IClock
{
public:
    TSteadyClock() { Timer.start(); }
    uint32_t Milliseconds() override { return static_cast<uint32_t>(Timer.elapsed()); }

private:
    QElapsedTimer Timer;
};
