// How long the game's thread is held by an effect and by opening the music at a new game.
// Run with SDL_AUDIODRIVER=dummy on a machine without sound.

#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/SoundEffects.h"
#include "tests/audio/AudioTestFiles.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace
{
struct TAudioBenchSetup
{
    TAudioBenchSetup()
    {
        AudioTestFiles::WriteFile(Folder.filePath("drop.wav"), AudioTestFiles::WaveTone(300));
        AudioTestFiles::WriteFile(Folder.filePath("disapp.wav"), AudioTestFiles::WaveTone(250, 660));
        const QString shipped = QDir(QCoreApplication::applicationDirPath()).filePath("pelmo2000.mid");
        if (QFileInfo(shipped).isFile()) {
            Song = shipped;
        } else {
            Song = Folder.filePath("minute.mid");
            AudioTestFiles::WriteFile(Song, AudioTestFiles::MidiSong(60.0));
        }
    }

    QTemporaryDir Folder;
    QString Song;
    TAudioDevice Device;
};

TAudioBenchSetup* Setup = nullptr;

// The first game of a run: the synthesizer reads the whole soundfont.
void BM_StartMusicFirstGame(benchmark::State& state)
{
    TGameMusic music(Setup->Device, [&](const QString&, const QString&) { state.SkipWithError("cannot play"); });
    for (auto _ : state)
        music.StartForNewGame(true, Setup->Song);
}
BENCHMARK(BM_StartMusicFirstGame)->Unit(benchmark::kMillisecond)->Iterations(1);

// Two effects taking turns, as the game cuts one with the next, while the music plays.
void BM_PlayEffect(benchmark::State& state)
{
    bool soundOn = true;
    TSoundEffects effects(Setup->Device, soundOn, Setup->Folder.path());
    effects.Preload();
    TGameMusic music(Setup->Device, nullptr);
    if (state.range(0))
        music.StartForNewGame(true, Setup->Song);
    bool second = false;
    std::vector<double> held;
    held.reserve(1 << 20);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        effects.PlayEffect(second ? TEffect::Disappear : TEffect::Drop);
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        if (held.size() < held.capacity())
            held.push_back(took.count());
        second = !second;
    }
    std::sort(held.begin(), held.end());
    if (!held.empty()) {
        state.counters["p99_us"] = held[held.size() * 99 / 100];
        state.counters["p99.9_us"] = held[held.size() * 999 / 1000];
        state.counters["longest_us"] = held.back();
        state.counters["over_500us"] = double(std::count_if(held.begin(), held.end(), [](double us) { return us > 500; }));
    }
    if (effects.LastEffect().isEmpty())
        state.SkipWithError("no effect could be played");
    state.SetLabel(state.range(0) ? "music playing" : "silence");
}
BENCHMARK(BM_PlayEffect)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// As in a game: a few effects a second at moments unrelated to the mixer's rhythm, music playing.
// Only the calls are timed; the share of them over 0.5 ms is the figure to watch.
void BM_PlayEffectNowAndThen(benchmark::State& state)
{
    bool soundOn = true;
    TSoundEffects effects(Setup->Device, soundOn, Setup->Folder.path());
    effects.Preload();
    TGameMusic music(Setup->Device, nullptr);
    music.StartForNewGame(true, Setup->Song);
    std::mt19937 random(2000);
    std::uniform_int_distribution<int> pauseUs(1000, 15000);
    std::vector<double> held;
    bool second = false;
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(random)));
        const auto start = std::chrono::steady_clock::now();
        effects.PlayEffect(second ? TEffect::Disappear : TEffect::Drop);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        held.push_back(took.count() * 1e6);
        second = !second;
    }
    std::sort(held.begin(), held.end());
    state.counters["median_us"] = held[held.size() / 2];
    state.counters["p99_us"] = held[held.size() * 99 / 100];
    state.counters["longest_us"] = held.back();
    state.counters["over_500us_pct"] =
        100.0 * double(std::count_if(held.begin(), held.end(), [](double us) { return us > 500; })) / double(held.size());
}
BENCHMARK(BM_PlayEffectNowAndThen)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);

// Opening the music file and starting it, as at every later new game.
void BM_StartMusicForNewGame(benchmark::State& state)
{
    TGameMusic music(Setup->Device, [&](const QString&, const QString&) { state.SkipWithError("cannot play"); });
    for (auto _ : state)
        music.StartForNewGame(true, Setup->Song);
    state.SetLabel(QFileInfo(Setup->Song).fileName().toStdString());
}
BENCHMARK(BM_StartMusicForNewGame)->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QCoreApplication app(argc, argv);
    TAudioBenchSetup setup;
    if (!setup.Device.EnsureMusicReady()) {
        std::fprintf(stderr, "No audio device or no soundfont\n");
        return 1;
    }
    Setup = &setup;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
