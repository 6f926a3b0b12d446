#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

// One channel or system-exclusive message of a song, at its time from the song's start.
struct TMidiEvent
{
    int64_t Microsecond = 0;
    uint8_t Status = 0; // 0x80..0xEF, or 0xF0 for a system-exclusive message
    uint8_t Data1 = 0;
    uint8_t Data2 = 0;
    // A system-exclusive message's bytes between F0 and its closing F7, in TMidiSong::SysEx.
    uint32_t SysExOffset = 0;
    uint32_t SysExLength = 0;
};

// A standard MIDI file read whole: every track merged into one list in playing order, with the
// tempo changes of every track applied to all of them.
struct TMidiSong
{
    std::vector<TMidiEvent> Events;
    std::vector<uint8_t> SysEx;
    // Up to the last event of the longest track, its end-of-track mark included.
    int64_t LengthMicroseconds = 0;
};

// Our own full structural check of a music file before the synthesizer sees any of it. Reads a
// standard MIDI file, bare or in its RIFF wrapper (.rmi), and accepts it only when every chunk,
// event, running status and meta or system-exclusive length lies inside the file, the tracks
// announced are there, the time runs in ticks a quarter, at least one note sounds, the song
// lasts longer than nothing and less than a day and no second of it holds more events than can be
// heard. Anything else gives nothing.
class TMidiReader
{
public:
    // Larger files are not songs a game plays in a loop.
    static constexpr int64_t LargestFileBytes = 4 * 1024 * 1024;

    static std::optional<TMidiSong> Read(const QByteArray& file);
};
