#include "audio/SoundEffects.h"

#include "audio/AudioDevice.h"
#include "pictures/RegularFile.h"

#include <QCoreApplication>
#include <QDir>

#include <SDL2/SDL_mixer.h>

namespace
{
// A short effect is a few hundred kilobytes; anything this large is no effect of the game.
constexpr qint64 LargestFileBytes = 16 * 1024 * 1024;
} // namespace

TSoundEffects::TSoundEffects(TAudioDevice& device, const bool& soundOn, QString folder)
    : Device(device)
    , SoundOn(soundOn)
    , Folder(folder.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(folder))
{
}

TSoundEffects::~TSoundEffects()
{
    Device.WaitUntilClosed();
    for (Mix_Chunk* chunk : std::as_const(Chunks))
        if (chunk)
            Mix_FreeChunk(chunk);
}

QString TSoundEffects::EffectFileName(TEffect effect)
{
    switch (effect) {
    case TEffect::Rotate:
        return QStringLiteral("rotate.wav");
    case TEffect::Move:
        return QStringLiteral("move.wav");
    case TEffect::Drop:
        return QStringLiteral("drop.wav");
    case TEffect::Disappear:
        return QStringLiteral("disapp.wav");
    }
    return {};
}

void TSoundEffects::Preload()
{
    PreloadWanted = true;
    if (!Device.IsOpen())
        return;
    PreloadWanted = false;
    for (TEffect effect : {TEffect::Rotate, TEffect::Move, TEffect::Drop, TEffect::Disappear})
        Chunk(EffectFileName(effect));
}

void TSoundEffects::PlayEffect(const QString& fileName)
{
    if (!SoundOn || !Device.EnsureOpen())
        return;
    if (PreloadWanted)
        Preload();
    Mix_Chunk* chunk = Chunk(fileName);
    if (!chunk)
        return;
    if (Mix_PlayChannel(TAudioDevice::EffectChannel, chunk, 0) >= 0)
        LastStarted = fileName;
}

QString TSoundEffects::SoundingEffect() const
{
    if (!Device.IsOpen() || !Mix_Playing(TAudioDevice::EffectChannel))
        return {};
    Mix_Chunk* sounding = Mix_GetChunk(TAudioDevice::EffectChannel);
    for (auto it = Chunks.cbegin(); it != Chunks.cend(); ++it)
        if (it.value() && it.value() == sounding)
            return it.key();
    return {};
}

Mix_Chunk* TSoundEffects::Chunk(const QString& fileName)
{
    const auto known = Chunks.constFind(fileName);
    if (known != Chunks.cend())
        return known.value();
    Mix_Chunk* chunk = nullptr;
    if (const std::optional<QByteArray> file = ReadRegularFile(QDir(Folder).filePath(fileName), LargestFileBytes))
        chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(file->constData(), int(file->size())), 1);
    Chunks.insert(fileName, chunk);
    return chunk;
}
