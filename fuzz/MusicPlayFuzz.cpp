// Any bytes written as a music file, opened and played through the game's own player on the
// dummy audio driver: opened, played a moment, paused, resumed, halted and closed. A song that
// the reader lets through must never hang, flood or crash the player or the synthesizer.
#include "audio/AudioDevice.h"
#include "audio/MediaPlayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstdint>
#include <cstdlib>

namespace
{
QCoreApplication* App = nullptr;
QTemporaryDir* Folder = nullptr;
TAudioDevice* Device = nullptr;
TMediaPlayer* Player = nullptr;
// A short moment of real playing per input, so that no input can legitimately take long.
constexpr int PlayMs = 15;

void PlayFor(int ms)
{
    QThread::msleep(ms);
    QCoreApplication::processEvents();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    App = new QCoreApplication(*argc, *argv);
    Folder = new QTemporaryDir;
    Device = new TAudioDevice;
    Player = new TMediaPlayer(*Device);
    Player->SetFileName(Folder->filePath("song.mid"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QFile file(Player->FileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    const TMediaError error = Player->Open();
    if (error == TMediaError::NoAudio)
        std::abort(); // the fuzzer needs the dummy device and a soundfont
    if (error != TMediaError::None)
        return 0;
    Player->SetLooping(size % 2 == 0);
    Player->Play();
    PlayFor(PlayMs);
    Player->Pause();
    Player->Play();
    PlayFor(PlayMs);
    Player->Stop();
    Player->Play();
    PlayFor(PlayMs);
    Player->Close();
    QCoreApplication::processEvents();
    return 0;
}
