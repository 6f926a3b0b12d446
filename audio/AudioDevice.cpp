#include "audio/AudioDevice.h"

#include <QDir>
#include <QFileInfo>

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace
{
constexpr int OutputFrequency = 44100;
constexpr int OutputChannels = 2;
// About 23 ms at 44.1 kHz: short enough for the effects to follow the keys.
constexpr int OutputFrames = 1024;

bool AnyFileExists(const QString& pathList)
{
    for (const QString& path : pathList.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QFileInfo(path).isFile())
            return true;
    return false;
}
} // namespace

TAudioDevice::TAudioDevice(QStringList soundFontFolders)
    : SoundFontFolders(std::move(soundFontFolders))
{
}

TAudioDevice::~TAudioDevice()
{
    if (!Opened)
        return;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TAudioDevice::EnsureOpen()
{
    if (!Tried)
        Open();
    return Opened;
}

bool TAudioDevice::EnsureMusicReady()
{
    return EnsureOpen() && !SoundFontPath.isEmpty();
}

void TAudioDevice::Open()
{
    Tried = true;
    // Qt handles the signals of this process; SDL must not take them over.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(OutputFrequency, AUDIO_S16SYS, OutputChannels, OutputFrames) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    Frequency = frequency;
    Mix_AllocateChannels(EffectChannel + 1);
    Opened = true;
    ChooseSoundFont();
}

void TAudioDevice::ChooseSoundFont()
{
    // A soundfont list the user gave in the environment wins; the mixer reads it by itself.
    const QString fromEnvironment = qEnvironmentVariable("SDL_SOUNDFONTS");
    if (AnyFileExists(fromEnvironment)) {
        SoundFontPath = fromEnvironment;
        return;
    }
    SoundFontPath = FindSoundFont(SoundFontFolders);
    if (SoundFontPath.isEmpty())
        Mix_SetSoundFonts(nullptr);
    else
        Mix_SetSoundFonts(QFile::encodeName(SoundFontPath).constData());
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
