#pragma once

#include "tools/soundgen/MidiTrack.h"

#include <cstdint>
#include <string>
#include <vector>

// A format 1 Standard MIDI File: the first track carries tempo and metre, the others the parts.
class MidiFile {
public:
    explicit MidiFile(int ticksPerQuarter) : TicksPerQuarter(ticksPerQuarter) {}

    void AddTrack(MidiTrack track);
    void SetLength(std::uint32_t endTick) { EndTick = endTick; }

    std::vector<std::uint8_t> Encode() const;
    bool Write(const std::string& path) const;

private:
    int TicksPerQuarter;
    std::uint32_t EndTick = 0;
    std::vector<MidiTrack> Tracks;
};
