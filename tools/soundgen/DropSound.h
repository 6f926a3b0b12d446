#pragma once

#include "tools/soundgen/StereoBuffer.h"

// "drop.wav": a soft, round thud for a piece that lands (and for the start of a game).
class DropSound {
public:
    static StereoBuffer Render();
};
