#pragma once

class ChordTimeline;
class MidiTrack;

// The General MIDI drum kit: a groove per section, crashes where sections begin and fills
// where they end.
class DrumPart {
public:
    static void Write(MidiTrack& track, const ChordTimeline& timeline);
};
