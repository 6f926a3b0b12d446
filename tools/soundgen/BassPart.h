#pragma once

class ChordTimeline;
class MidiTrack;

// The bass line: roots, octaves and fifths, with a passing note into each new chord.
class BassPart {
public:
    static void Write(MidiTrack& track, const ChordTimeline& timeline);
};
