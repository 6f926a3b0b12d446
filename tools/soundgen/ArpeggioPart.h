#pragma once

class ChordTimeline;
class MidiTrack;

// Broken chords on the marimba that keep the tune moving.
class ArpeggioPart {
public:
    static void Write(MidiTrack& track, const ChordTimeline& timeline);
};
