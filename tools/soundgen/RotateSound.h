#pragma once

#include "tools/soundgen/StereoBuffer.h"

// "rotate.wav": a soft wooden tick for cycling the colours of a piece.
class RotateSound {
public:
    static StereoBuffer Render();
};
