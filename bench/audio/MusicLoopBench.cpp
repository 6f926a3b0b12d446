// The silence at the seam where the game's music starts over, against the silences the song has
// of its own. Plays the music as a running game does, once looping inside the mixer and once
// started again by the end notification, and listens to the mixer's output.
// Run with SDL_AUDIODRIVER=dummy on a machine without sound; it plays in real time, so a song
// given with --song=FILE takes twice its length and 15 s more per case (three minutes for the
// shipped one). By default it plays a held organ note of 0.4 s and the shipped "pelmo2000.mid"
// when it lies beside the program.

#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "tests/audio/AudioTestFiles.h"
#include "tests/audio/MixerOutputMonitor.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr int SeamWindowSeconds = 15;

TAudioDevice* Device = nullptr;
std::vector<QString> Songs;

// Plays two passes and some seconds; counters in milliseconds. The seam's silence is the longest
// one that ends within some seconds after the first pass; longest_silence_ms counts also the
// shortest silences, where a waveform passes zero.
void BM_MusicSeam(benchmark::State& state)
{
    const QString song = Songs[size_t(state.range(0))];
    const bool mixerLoops = state.range(1) != 0;
    for (auto _ : state) {
        AudioTestFiles::TMixerOutputMonitor monitor;
        if (!monitor.IsValid()) {
            state.SkipWithError("cannot listen to the mixer");
            return;
        }
        TGameMusic music(*Device, [&](const QString&, const QString&) { state.SkipWithError("cannot play"); });
        int notifications = 0;
        int64_t firstNotification = -1;
        QObject::connect(&music.MediaPlayer1(), &TMediaPlayer::Notify, [&] {
            if (++notifications == 1)
                firstNotification = monitor.Frames();
            music.MediaPlayer1Notify(true, false); // a game is running
        });
        music.MediaPlayer1().SetLooping(mixerLoops);
        const int64_t started = monitor.Frames();
        music.StartForNewGame(true, song);
        const int64_t pass = int64_t(music.MediaPlayer1().LengthMs()) * monitor.SampleRate() / 1000;
        if (pass <= 0) {
            state.SkipWithError("song length unknown");
            return;
        }
        // Far enough past the seam to see the second pass start even after a ring-out of seconds.
        const int64_t until = started + 2 * pass + SeamWindowSeconds * monitor.SampleRate();
        while (monitor.Frames() < until) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        const int64_t songMs = music.MediaPlayer1().LengthMs();
        music.Close();

        const int64_t seam = started + pass;
        int64_t ownLongest = 0;
        int64_t seamSilence = 0;
        int64_t afterFirstPass = 0;
        for (const auto& silence : monitor.Silences()) {
            const int64_t end = silence.Start + silence.Frames;
            if (end <= seam)
                ownLongest = std::max(ownLongest, silence.Frames);
            else
                afterFirstPass = std::max(afterFirstPass, silence.Frames);
            // The seam's own silence may wait for a ring-out of seconds before it begins.
            if (end > seam && end <= seam + SeamWindowSeconds * monitor.SampleRate())
                seamSilence = std::max(seamSilence, silence.Frames);
        }
        state.counters["song_ms"] = double(songMs);
        state.counters["own_longest_silence_ms"] = monitor.Milliseconds(ownLongest);
        state.counters["seam_longest_silence_ms"] = monitor.Milliseconds(seamSilence);
        state.counters["longest_after_first_pass_ms"] = monitor.Milliseconds(afterFirstPass);
        state.counters["longest_silence_ms"] = monitor.Milliseconds(monitor.LongestSilence());
        state.counters["first_sound_ms"] = monitor.Milliseconds(monitor.FirstSound() - started);
        state.counters["notifications"] = notifications;
        if (firstNotification >= 0)
            state.counters["end_notified_after_seam_ms"] = monitor.Milliseconds(firstNotification - seam);
        state.SetIterationTime(monitor.Milliseconds(monitor.Frames() - started) / 1000.0);
    }
    state.SetLabel(QFileInfo(song).fileName().toStdString() + (mixerLoops ? ", mixer loops" : ", replayed at the end"));
}
} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString held = folder.filePath("held-note.mid");
    AudioTestFiles::WriteFile(held, AudioTestFiles::MidiHeldNote(0.4));
    Songs.push_back(held);
    bool songGiven = false;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--song=", 7) == 0) {
            Songs.push_back(QString::fromLocal8Bit(argv[i] + 7));
            songGiven = true;
        }
    // The shipped song plays for minutes in real time: only on request (--shipped).
    const QString shipped = QDir(QCoreApplication::applicationDirPath()).filePath("pelmo2000.mid");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--shipped") == 0 && !songGiven && QFileInfo(shipped).isFile())
            Songs.push_back(shipped);

    TAudioDevice device;
    if (!device.EnsureMusicReady()) {
        std::fprintf(stderr, "No audio device or no soundfont\n");
        return 1;
    }
    Device = &device;
    for (size_t song = 0; song < Songs.size(); ++song)
        for (int loops : {1, 0})
            benchmark::RegisterBenchmark("BM_MusicSeam", BM_MusicSeam)
                ->Args({int64_t(song), loops})
                ->UseManualTime()
                ->Iterations(1)
                ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
