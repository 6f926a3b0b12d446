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
    PassFrames = std::max<int64_t>(LengthFrames, int64_t(ShortestPassMs) * sampleRate / 1000);
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
    int messagesLeft = MostMessagesPerRender;
    int sysExLeft = MostSysExPerRender;
    while (frames > 0) {
        int64_t cursor = Cursor.load(std::memory_order_relaxed);
        int64_t chunk = frames;
        if (!Ended) {
            for (; Next < EventFrames.size() && EventFrames[Next] <= cursor; ++Next) {
                const bool sysEx = Song.Events[Next].Status == 0xF0;
                if (messagesLeft == 0 || (sysEx && sysExLeft == 0)) {
                    // The song's time stands still until the next call sends the rest.
                    synth.Render(stereo, frames);
                    return true;
                }
                --messagesLeft;
                sysExLeft -= sysEx;
                synth.Send(Song.Events[Next], Song.SysEx);
            }
            if (cursor >= PassFrames) {
                if (looping) {
                    Next = 0;
                    Cursor.store(0, std::memory_order_relaxed);
                    continue;
                }
                Ended = true;
            } else {
                const int64_t nextEvent = Next < EventFrames.size() ? EventFrames[Next] : PassFrames;
                chunk = std::min({chunk, nextEvent - cursor, PassFrames - cursor});
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
