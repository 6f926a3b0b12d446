#pragma once

#include "tools/soundgen/StereoBuffer.h"

// "disapp.wav": a bright rising run of chimes with a sparkling tail, for cells that dissolve.
class DissolveSound {
public:
    static StereoBuffer Render();
};
