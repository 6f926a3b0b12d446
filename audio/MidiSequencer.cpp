#include "audio/MidiSequencer.h"

#include "audio/MidiSynth.h"

#include <algorithm>
#include <cstring>

namespace
{
int64_t ToFrames(int64_t microseconds, int sampleRate)
{
    return (microseconds * sampleRate + 500000) / 1000000;
}
} // namespace

void TMidiSequencer::SetSong(TMidiSong song, int sampleRate)
{
    Song = std::move(song);
    EventFrames.clear();
    EventFrames.reserve(Song.Events.size());
    for (const TMidiEvent& event : Song.Events)
        EventFrames.push_back(ToFrames(event.Microsecond, sampleRate));
    // At least one frame, so that a loop always moves on.
    LengthFrames = std::max<int64_t>(1, ToFrames(Song.LengthMicroseconds, sampleRate));
    RingOutFrames = int64_t(RingOutSeconds) * sampleRate;
    Rewind();
}

void TMidiSequencer::Rewind()
{
    Next = 0;
    Cursor = 0;
    RungOut = 0;
    Ended = false;
}

bool TMidiSequencer::Render(TMidiSynth& synth, int16_t* stereo, int frames, bool looping)
{
    while (frames > 0) {
        int64_t cursor = Cursor.load(std::memory_order_relaxed);
        int64_t chunk = frames;
        if (!Ended) {
            for (; Next < EventFrames.size() && EventFrames[Next] <= cursor; ++Next)
                synth.Send(Song.Events[Next], Song.SysEx);
            if (cursor >= LengthFrames) {
                if (looping) {
                    Next = 0;
                    Cursor.store(0, std::memory_order_relaxed);
                    continue;
                }
                Ended = true;
            } else {
                const int64_t nextEvent = Next < EventFrames.size() ? EventFrames[Next] : LengthFrames;
                chunk = std::min({chunk, nextEvent - cursor, LengthFrames - cursor});
            }
        }
        synth.Render(stereo, int(chunk));
        stereo += 2 * chunk;
        frames -= int(chunk);
        if (!Ended) {
            Cursor.store(cursor + chunk, std::memory_order_relaxed);
            continue;
        }
        RungOut += chunk;
        if (synth.ActiveVoices() == 0 || RungOut >= RingOutFrames) {
            std::memset(stereo, 0, size_t(frames) * 2 * sizeof(int16_t));
            return false;
        }
    }
    return true;
}
