#pragma once

#include <QByteArray>

#include <cstdint>

// How long a standard MIDI file plays: up to the last event of its longest track, the end-of-track
// mark included, with the tempo changes of every track applied to all of them, as the synthesizer's
// sequencer counts it. Zero for any file the MIDI reader turns away (see TMidiReader).
class TMidiSongLength
{
public:
    static int64_t Microseconds(const QByteArray& file);
};
