#pragma once

#include "tools/soundgen/Section.h"

#include <vector>

// The game's own tune: a bright C major theme, a calmer middle part, a lift to E flat and the
// theme again, ending on a dominant with a drum fill that leads straight back to the start.
class PelmoTheme {
public:
    static constexpr double BeatsPerMinute = 128.0;

    static std::vector<Section> Sections();
};
