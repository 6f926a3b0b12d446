// What awkward but legal music files cost while the game plays them: the CPU of the whole process
// while the music plays, and the time of every call the window thread makes (start, pause, resume,
// an effect, stop at game over, close). Plays in real time; run with SDL_AUDIODRIVER=dummy.
//   StallBench [name...]          the awkward songs (all, or the ones named)
//   StallBench --render FILE [s]  a hash of the PCM the sequencer renders from FILE, looped for
//                                 s seconds (60 by default), to compare builds
// Each song may be run in a process of its own under `timeout`, since a stalled call never returns.

#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/MidiReader.h"
#include "audio/MidiSequencer.h"
#include "audio/MidiSynth.h"
#include "audio/SoundEffects.h"
#include "tests/audio/AudioTestFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

using namespace AudioTestFiles;

namespace
{
struct TShape
{
    const char* Name;
    std::function<QByteArray()> Make;
};

const std::vector<TShape> Shapes = {
    {"one-tick-1-note", [] { return MidiBurst(TBurst::Notes, 1); }},
    {"one-tick-3000-controllers", [] { return MidiBurst(TBurst::Controllers, 3000); }},
    {"one-tick-20000-controllers", [] { return MidiBurst(TBurst::Controllers, 20000); }},
    {"one-tick-1000-notes", [] { return MidiBurst(TBurst::Notes, 1000); }},
    {"one-tick-300-resets", [] { return MidiBurst(TBurst::Resets, 300); }},
    {"one-tick-300-tunings", [] { return MidiBurst(TBurst::Tunings, 300); }},
    {"ten-ticks-at-480-50000-controllers", [] { return MidiBurst(TBurst::Controllers, 50000, 10, 480); }},
    {"65535-tracks", [] { return MidiManyTracks(65535); }},
    {"500000-controllers-in-60-s", [] { return MidiBurst(TBurst::Controllers, 500000, 576000); }},
    {"4000-tracks", [] { return MidiManyTracks(4000); }},
};

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double Ms(const std::function<void()>& call)
{
    QElapsedTimer timer;
    timer.start();
    call();
    return double(timer.nsecsElapsed()) / 1e6;
}

void Wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

bool Refused = false;

void Measure(const TShape& shape, const QString& folder, TGameMusic& music, TSoundEffects& effects)
{
    const QString path = folder + "/" + shape.Name + ".mid";
    const QByteArray file = shape.Make();
    WriteFile(path, file);
    Refused = false;
    const auto report = [](const char* what, double value, const char* unit) {
        std::printf("  %s %.1f %s", what, value, unit);
        std::fflush(stdout);
    };
    std::printf("%-36s %8lld B", shape.Name, static_cast<long long>(file.size()));
    report("start", Ms([&] { music.StartForNewGame(true, path); }), "ms");
    std::printf(" %s", Refused ? "refused" : "plays");
    Wait(200);
    const double cpuFrom = CpuSeconds();
    Wait(2000);
    report("cpu", (CpuSeconds() - cpuFrom) / 2.0 * 100, "%");
    double effect = 0;
    for (int i = 0; i < 10; ++i) {
        effect = std::max(effect, Ms([&] { effects.PlayEffect(TEffect::Move); }));
        Wait(20);
    }
    report("effect", effect, "ms");
    report("pause", Ms([&] { music.PauseWithGame(); }), "ms");
    Wait(50);
    report("resume", Ms([&] { music.ResumeWithGame(true); }), "ms");
    Wait(100);
    report("stop", Ms([&] { music.StopAtGameOver(); }), "ms");
    music.StartForNewGame(true, path);
    Wait(100);
    report("close", Ms([&] { music.MediaPlayer1().Close(); }), "ms\n");
}

int Render(const QString& path, int seconds)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    std::optional<TMidiSong> song = TMidiReader::Read(file.readAll());
    if (!song)
        return 1;
    constexpr int Rate = 22050;
    TMidiSynth synth;
    if (!synth.Load(TAudioDevice::FindSoundFont(TAudioDevice::DefaultSoundFontFolders()), Rate))
        return 1;
    synth.Prepare(*song);
    TMidiSequencer sequencer;
    sequencer.SetSong(std::move(*song), Rate);
    synth.Reset();
    std::vector<int16_t> buffer(512 * 2);
    uint64_t hash = 1469598103934665603ULL;
    for (int64_t done = 0; done < int64_t(seconds) * Rate; done += 512) {
        sequencer.Render(synth, buffer.data(), 512, true);
        for (const int16_t sample : buffer)
            hash = (hash ^ uint16_t(sample)) * 1099511628211ULL;
    }
    std::printf("%s %d s: %016llx\n", qPrintable(path), seconds, static_cast<unsigned long long>(hash));
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == "--render")
        return Render(args.value(1), args.size() > 2 ? args[2].toInt() : 60);

    QTemporaryDir folder;
    WriteFile(folder.filePath("move.wav"), WaveTone(100));
    TAudioDevice device;
    bool soundOn = true;
    TSoundEffects effects(device, soundOn, folder.path());
    // The soundfont is read at the first music of the program, as in the game; that is not measured.
    TGameMusic music(device, [](const QString&, const QString&) { Refused = true; });
    WriteFile(folder.filePath("warm.mid"), MidiSong(1.0));
    music.StartForNewGame(true, folder.filePath("warm.mid"));
    music.StopAtGameOver();
    for (const TShape& shape : Shapes)
        if (args.isEmpty() || args.contains(shape.Name))
            Measure(shape, folder.path(), music, effects);
    return 0;
}
