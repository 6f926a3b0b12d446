#pragma once

#include "tools/soundgen/ChordSymbol.h"

#include <vector>

// Chooses close-position voicings that move as little as possible from one chord to the next.
// A triad gets its lowest note doubled an octave up, so every voicing has four notes.
class ChordVoicer {
public:
    // The lowest note of every voicing lies in [lowest, highest]; the first voicing sits
    // as near to startNear as it can.
    ChordVoicer(int lowest, int highest, int startNear);

    std::vector<int> Voice(const ChordSymbol& chord);

private:
    int Lowest;
    int Highest;
    int StartNear;
    std::vector<int> Previous;
};
