#pragma once

#include "audio/MidiReader.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TMidiSynth;

// Plays a song into the synthesizer by output frames, each message sent at its own frame. A
// looping song goes on from its last frame to its first without a gap; a song that is not looped
// rings out after its end until the synthesizer falls silent, or for a few seconds at most.
class TMidiSequencer
{
public:
    // Longest ring-out after the end of a song that is not looped.
    static constexpr int RingOutSeconds = 3;

    void SetSong(TMidiSong song, int sampleRate);
    void Rewind();
    // Fills frames of 16-bit stereo; false once the song has ended and rung out (the rest is silent).
    bool Render(TMidiSynth& synth, int16_t* stereo, int frames, bool looping);

    int64_t SongFrames() const { return LengthFrames; }
    // Where the current pass stands; it stays at the end while the last notes ring out.
    int64_t PassFrame() const { return Cursor.load(std::memory_order_relaxed); }

private:
    TMidiSong Song;
    std::vector<int64_t> EventFrames;
    int64_t LengthFrames = 0;
    int64_t RingOutFrames = 0;
    size_t Next = 0;
    std::atomic<int64_t> Cursor{0};
    int64_t RungOut = 0;
    bool Ended = false;
};
