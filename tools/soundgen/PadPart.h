#pragma once

class ChordTimeline;
class MidiTrack;

// Sustained string chords under everything.
class PadPart {
public:
    static void Write(MidiTrack& track, const ChordTimeline& timeline);
};
