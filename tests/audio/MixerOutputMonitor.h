#pragma once

// Listens to what the mixer sends to the sound device, music and effects together, so that a test
// can tell when something sounds and how long the silences between the sounds last.

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace AudioTestFiles
{
// The longest silence a seamless loop may have at its seam: a note struck again at the seam takes
// about a millisecond to sound, where a seam that waits for the synthesizer to finish lasts seconds.
constexpr double LongestSeamSilenceMs = 5;

class TMixerOutputMonitor
{
public:
    struct TSilence
    {
        int64_t Start; // first silent frame, counted from the monitor's start
        int64_t Frames;
    };

    // A frame sounds when a channel's sample reaches `threshold` (of 32767). Silences shorter than
    // `shortestKept` frames (the moments a waveform passes zero) are not listed.
    explicit TMixerOutputMonitor(int threshold = 64, int64_t shortestKept = 88, size_t keptSilences = 4096)
        : Threshold(threshold)
        , ShortestKept(shortestKept)
    {
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        Valid = Mix_QuerySpec(&frequency, &format, &channels) && format == AUDIO_S16SYS && channels == 2;
        Rate = frequency;
        Kept.resize(keptSilences);
        if (Valid)
            Valid = Mix_RegisterEffect(MIX_CHANNEL_POST, &TMixerOutputMonitor::Listen, nullptr, this) != 0;
    }
    ~TMixerOutputMonitor()
    {
        if (Valid)
            Mix_UnregisterEffect(MIX_CHANNEL_POST, &TMixerOutputMonitor::Listen);
    }
    TMixerOutputMonitor(const TMixerOutputMonitor&) = delete;
    TMixerOutputMonitor& operator=(const TMixerOutputMonitor&) = delete;

    // The mixer's output is 16-bit stereo and the monitor listens to it.
    bool IsValid() const { return Valid; }
    int SampleRate() const { return Rate; }
    int64_t Frames() const { return FrameCount.load(); }
    int64_t SoundingFrames() const { return Sounding.load(); }
    int64_t FirstSound() const { return First.load(); }
    int64_t LastSound() const { return Last.load(); }
    // The longest silence between two sounding frames so far.
    int64_t LongestSilence() const { return Longest.load(); }
    double Milliseconds(int64_t frames) const { return Rate > 0 ? 1000.0 * double(frames) / Rate : 0; }

    // The silences between sounding frames of at least `shortestKept` frames, in order.
    std::vector<TSilence> Silences() const
    {
        const size_t count = std::min(KeptCount.load(std::memory_order_acquire), Kept.size());
        return {Kept.begin(), Kept.begin() + std::ptrdiff_t(count)};
    }

private:
    static void Listen(int /*channel*/, void* stream, int bytes, void* self)
    {
        auto& monitor = *static_cast<TMixerOutputMonitor*>(self);
        const auto* samples = static_cast<const int16_t*>(stream);
        const int frames = bytes / 4;
        int64_t frame = monitor.FrameCount.load();
        int64_t sounding = 0;
        for (int i = 0; i < frames; ++i, ++frame) {
            if (std::abs(int(samples[2 * i])) < monitor.Threshold && std::abs(int(samples[2 * i + 1])) < monitor.Threshold)
                continue;
            ++sounding;
            const int64_t last = monitor.Last.load();
            if (last < 0) {
                monitor.First = frame;
            } else if (frame - last - 1 > 0) {
                const int64_t silence = frame - last - 1;
                monitor.Longest = std::max(monitor.Longest.load(), silence);
                const size_t kept = monitor.KeptCount.load();
                if (silence >= monitor.ShortestKept && kept < monitor.Kept.size()) {
                    monitor.Kept[kept] = {last + 1, silence};
                    monitor.KeptCount.store(kept + 1, std::memory_order_release);
                }
            }
            monitor.Last = frame;
        }
        monitor.Sounding += sounding;
        monitor.FrameCount = frame;
    }

    int Threshold;
    int64_t ShortestKept;
    int Rate = 0;
    bool Valid = false;
    std::atomic<int64_t> FrameCount{0};
    std::atomic<int64_t> Sounding{0};
    std::atomic<int64_t> First{-1};
    std::atomic<int64_t> Last{-1};
    std::atomic<int64_t> Longest{0};
    std::vector<TSilence> Kept;
    std::atomic<size_t> KeptCount{0};
};
} // namespace AudioTestFiles
