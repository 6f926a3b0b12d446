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
    double longest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        effects.PlayEffect(second ? TEffect::Disappear : TEffect::Drop);
        const std::chrono::duration<double, std::micro> held = std::chrono::steady_clock::now() - start;
        longest = std::max(longest, held.count());
        second = !second;
    }
    state.counters["longest_us"] = longest;
    if (effects.LastEffect().isEmpty())
        state.SkipWithError("no effect could be played");
    state.SetLabel(state.range(0) ? "music playing" : "silence");
}
BENCHMARK(BM_PlayEffect)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Opening the music file and starting it, as at every new game.
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
