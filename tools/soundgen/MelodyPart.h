#pragma once

#include <vector>

class ChordTimeline;
class MidiTrack;
struct Section;

// The tune itself, on whichever channel each section gives it, and the glockenspiel that
// doubles it where a section asks for one.
class MelodyPart {
public:
    // Adds the notes of every section that plays on channel to track.
    static void Write(MidiTrack& track, int channel, const std::vector<Section>& sections,
        const ChordTimeline& timeline);
    static void WriteDoubling(MidiTrack& track, const std::vector<Section>& sections, const ChordTimeline& timeline);
};
