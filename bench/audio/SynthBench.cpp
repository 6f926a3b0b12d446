// What the music's synthesis costs and how loud it is, for the settings the player could choose:
// the shipped song (or --song=FILE) rendered as fast as it goes, 30 s of music per case.
// cpu_percent is the share of one core that playing in real time takes; peak_voices shows
// whether a polyphony limit would cut notes; rms and peak compare the loudness.

#include "audio/AudioDevice.h"
#include "audio/MidiReader.h"
#include "audio/MidiSequencer.h"
#include "audio/MidiSynth.h"
#include "pictures/RegularFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace
{
constexpr int OutputRate = 44100;
constexpr int MusicSeconds = 30;
constexpr int BufferFrames = 1024; // an output buffer of the game's device
QString SoundFont;
std::optional<TMidiSong> Song;

void BM_Synthesis(benchmark::State& state)
{
    const int divisor = int(state.range(0));
    TMidiSynth::TOptions options;
    options.Polyphony = int(state.range(1));
    options.Reverb = state.range(2) != 0;
    options.Chorus = state.range(3) != 0;
    const int rate = OutputRate / divisor;
    for (auto _ : state) {
        TMidiSynth synth;
        if (!synth.Load(SoundFont, rate, options)) {
            state.SkipWithError("cannot load the soundfont");
            return;
        }
        synth.Prepare(*Song);
        TMidiSequencer sequencer;
        sequencer.SetSong(*Song, rate);
        // One pass first, not timed: the first notes of each instrument cost more.
        {
            std::vector<int16_t> warm(size_t(BufferFrames) * 2);
            for (int i = 0; i < int(Song->LengthMicroseconds / 1000000 * rate / BufferFrames) + 1; ++i)
                sequencer.Render(synth, warm.data(), BufferFrames, true);
            sequencer.Rewind();
        }
        std::vector<int16_t> buffer(size_t(BufferFrames / divisor) * 2);
        double squares = 0;
        int peak = 0;
        int peakVoices = 0;
        double worstMs = 0;
        const int buffers = MusicSeconds * OutputRate / BufferFrames;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < buffers; ++i) {
            const auto before = std::chrono::steady_clock::now();
            sequencer.Render(synth, buffer.data(), BufferFrames / divisor, true);
            worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
            peakVoices = std::max(peakVoices, synth.ActiveVoices());
            for (int16_t sample : buffer) {
                squares += double(sample) * sample;
                peak = std::max(peak, std::abs(int(sample)));
            }
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        state.counters["cpu_percent"] = 100.0 * seconds / MusicSeconds;
        state.counters["worst_buffer_ms"] = worstMs;
        state.counters["peak_voices"] = peakVoices;
        state.counters["rms"] = std::sqrt(squares / double(buffers) / double(buffer.size()));
        state.counters["peak"] = peak;
    }
    char label[96];
    std::snprintf(label, sizeof label, "%d Hz, polyphony %d, reverb %s, chorus %s", rate, options.Polyphony,
                  options.Reverb ? "on" : "off", options.Chorus ? "on" : "off");
    state.SetLabel(label);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString songFile = QDir(QCoreApplication::applicationDirPath()).filePath("pelmo2000.mid");
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--song=", 7) == 0)
            songFile = QString::fromLocal8Bit(argv[i] + 7);
    if (const auto file = ReadRegularFile(songFile, TMidiReader::LargestFileBytes))
        Song = TMidiReader::Read(*file);
    SoundFont = TAudioDevice::FindSoundFont(TAudioDevice::DefaultSoundFontFolders());
    if (!Song || SoundFont.isEmpty()) {
        std::fprintf(stderr, "No playable song or no soundfont\n");
        return 1;
    }
    const TMidiSynth::TOptions chosen;
    // The game's choice first, then what the mixer's own player used (full rate, 256 voices, both
    // effects), then one change at a time.
    const std::vector<std::vector<int64_t>> cases = {
        {TMidiSynth::RateDivisor, chosen.Polyphony, chosen.Reverb, chosen.Chorus},
        {1, 256, 1, 1},
        {1, chosen.Polyphony, chosen.Reverb, chosen.Chorus},
        {TMidiSynth::RateDivisor, chosen.Polyphony, 0, 0},
        {TMidiSynth::RateDivisor, chosen.Polyphony, 1, 1},
        {TMidiSynth::RateDivisor, 32, chosen.Reverb, chosen.Chorus},
        {TMidiSynth::RateDivisor, 128, chosen.Reverb, chosen.Chorus},
    };
    for (const auto& args : cases)
        benchmark::RegisterBenchmark("BM_Synthesis", BM_Synthesis)->Args(args)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
