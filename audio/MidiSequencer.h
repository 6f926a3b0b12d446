#pragma once

#include "audio/MidiReader.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TMidiSynth;

// Plays a song into the synthesizer by output frames, each message sent at its own frame. A
// looping song goes on from its last frame to its first without a gap; a song that is not looped
// rings out after its end until the synthesizer falls silent, or for a few seconds at most.
// The work of one call is bounded whatever the song: it sends at most a fixed number of messages
// (fewer system-exclusive ones, which may reset or retune the whole synthesizer), and the song's
// time waits for the rest at the next call; a pass lasts at least a minimum, so that a song of a
// moment plays, rings out in the rest of that time and only then starts again.
class TMidiSequencer
{
public:
    // Longest ring-out after the end of a song that is not looped.
    static constexpr int RingOutSeconds = 3;
    // At most four passes a second.
    static constexpr int ShortestPassMs = 250;
    // Per call of Render (the player renders 512 frames at a time): far above the busiest moment
    // of a real song, far below what would keep the audio thread from finishing its buffer.
    static constexpr int MostMessagesPerRender = 256;
    static constexpr int MostSysExPerRender = 2;

    void SetSong(TMidiSong song, int sampleRate);
    void Rewind();
    // Fills frames of 16-bit stereo; false once the song has ended and rung out (the rest is silent).
    bool Render(TMidiSynth& synth, int16_t* stereo, int frames, bool looping);

    int64_t SongFrames() const { return LengthFrames; }
    // Where the current pass stands; past the song's end while a short song rings out to its
    // shortest pass, and it stays there while the last notes ring out.
    int64_t PassFrame() const { return Cursor.load(std::memory_order_relaxed); }

private:
    TMidiSong Song;
    std::vector<int64_t> EventFrames;
    int64_t LengthFrames = 0;
    int64_t PassFrames = 0;
    int64_t RingOutFrames = 0;
    size_t Next = 0;
    std::atomic<int64_t> Cursor{0};
    int64_t RungOut = 0;
    bool Ended = false;
};
