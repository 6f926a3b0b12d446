#pragma once

#include "tools/soundgen/StereoBuffer.h"

// "move.wav": a light swish for turning a piece between lying and standing.
class MoveSound {
public:
    static StereoBuffer Render();
};
