#include "audio/AudioDevice.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace
{
constexpr int OutputFrequency = 44100;
constexpr int OutputChannels = 2;

// The mixer has one channel-finished hook for the whole process.
std::atomic<TAudioDevice*> ActiveDevice{nullptr};
} // namespace

TAudioDevice::TAudioDevice(QStringList soundFontFolders)
    : SoundFontFolders(std::move(soundFontFolders))
{
    Linger.setSingleShot(true);
    Linger.setInterval(LingerMs);
    QObject::connect(&Linger, &QTimer::timeout, &Context, [this] {
        if (Quiet())
            Close();
    });
}

TAudioDevice::~TAudioDevice()
{
    Close();
    WaitUntilClosed();
    if (SubsystemReady) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool TAudioDevice::EnsureOpen()
{
    Linger.stop();
    return Opened || (!Failed && Open());
}

bool TAudioDevice::EnsureMusicReady()
{
    return EnsureOpen() && !SoundFontPath.isEmpty();
}

bool TAudioDevice::Open()
{
    WaitUntilClosed();
    if (!SubsystemReady) {
        // Qt handles the signals of this process; SDL must not take them over.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            Failed = true;
            return false;
        }
        SubsystemReady = true;
        ChooseSoundFont();
    }
    // No format change allowed: SDL converts for the hardware, and the effects decoded once for
    // the mixer's format stay right however often the device is opened again.
    if (Mix_OpenAudioDevice(OutputFrequency, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr, 0) != 0) {
        Failed = true;
        return false;
    }
    Frequency = OutputFrequency;
    Mix_AllocateChannels(EffectChannel + 1);
    ActiveDevice = this;
    Mix_ChannelFinished(&TAudioDevice::EffectFinished);
    Mix_HookMusic(MusicHook, MusicHookData);
    Opened = true;
    return true;
}

void TAudioDevice::Close()
{
    Linger.stop();
    if (!Opened)
        return;
    ActiveDevice = nullptr;
    Mix_ChannelFinished(nullptr);
    // Nothing of ours is called by the audio thread once these return.
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Opened = false;
    Closer = std::thread([] { Mix_CloseAudio(); });
}

void TAudioDevice::WaitUntilClosed()
{
    if (Closer.joinable())
        Closer.join();
}

void TAudioDevice::SetMusicHook(TMusicHook hook, void* data)
{
    MusicHook = hook;
    MusicHookData = data;
    // The mixer swaps the hook under its lock: a buffer being rendered is finished first.
    if (Opened)
        Mix_HookMusic(hook, data);
}

void TAudioDevice::ClearMusicHook(void* data)
{
    if (MusicHookData == data)
        SetMusicHook(nullptr, nullptr);
}

void TAudioDevice::SetMusicSounding(bool sounding)
{
    MusicSounding = sounding;
    CloseIfQuiet();
}

void TAudioDevice::HoldOpen(bool held)
{
    Held = held;
    CloseIfQuiet();
}

void TAudioDevice::CloseIfQuiet()
{
    if (Quiet())
        Linger.start();
    else
        Linger.stop();
}

bool TAudioDevice::Quiet() const
{
    return Opened && !Held && !MusicSounding && Mix_Playing(-1) == 0;
}

void TAudioDevice::EffectFinished(int /*channel*/)
{
    // Runs on the audio thread, or inside a mixer call of ours: the device is looked at later, on its own thread.
    TAudioDevice* device = ActiveDevice.load();
    if (device)
        QMetaObject::invokeMethod(&device->Context, [device] { device->CloseIfQuiet(); }, Qt::QueuedConnection);
}

void TAudioDevice::ChooseSoundFont()
{
    // A soundfont list the user gave in the environment wins: its first file that exists.
    const QString fromEnvironment = qEnvironmentVariable("SDL_SOUNDFONTS");
    for (const QString& path : fromEnvironment.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QFileInfo(path).isFile()) {
            SoundFontPath = path;
            return;
        }
    SoundFontPath = FindSoundFont(SoundFontFolders);
}

QStringList TAudioDevice::DefaultSoundFontFolders()
{
    return {QStringLiteral("/usr/share/sounds/sf2"), QStringLiteral("/usr/share/soundfonts")};
}

QString TAudioDevice::FindSoundFont(const QStringList& folders)
{
    static const QStringList preferred = {QStringLiteral("default-GM.sf2"), QStringLiteral("TimGM6mb.sf2")};
    for (const QString& name : preferred)
        for (const QString& folder : folders) {
            const QFileInfo file(QDir(folder).filePath(name));
            // isFile follows links: a dangling default-GM link does not count.
            if (file.isFile() && file.isReadable())
                return file.absoluteFilePath();
        }
    for (const QString& folder : folders) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.sf2")}, QDir::Files | QDir::Readable, QDir::Name);
        if (!files.isEmpty())
            return files.first().absoluteFilePath();
    }
    return {};
}
