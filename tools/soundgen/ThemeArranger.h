#pragma once

#include "tools/soundgen/MidiFile.h"

// Puts the tune, its chords and its band together into a General MIDI file.
class ThemeArranger {
public:
    static MidiFile Arrange();
    static double LengthInSeconds();
};
