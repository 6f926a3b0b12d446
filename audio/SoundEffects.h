#pragma once

#include "engine/GameView.h"

#include <QHash>
#include <QString>

class TAudioDevice;
struct Mix_Chunk;

// The short wave sounds of the game. Effects play in the background on one mixer channel,
// so a new effect cuts the one still sounding, and only while the player's SoundOn is set.
// Files are looked up in the program's folder, whatever the current directory is.
class TSoundEffects
{
public:
    // soundOn stays bound to the setting, so a change in the preferences counts at the next effect.
    // folder defaults to the program's folder.
    TSoundEffects(TAudioDevice& device, const bool& soundOn, QString folder = {});
    ~TSoundEffects();

    TSoundEffects(const TSoundEffects&) = delete;
    TSoundEffects& operator=(const TSoundEffects&) = delete;

    static QString EffectFileName(TEffect effect);

    // Decodes the four effects of the game as soon as the device is open (it is not opened for
    // this), so that the first of each costs no more than the rest.
    void Preload();

    // Returns at once. A missing or unreadable file, or anything but a regular file, plays nothing
    // and is not reported.
    void PlayEffect(const QString& fileName);
    void PlayEffect(TEffect effect) { PlayEffect(EffectFileName(effect)); }

    // The file of the last effect started, and the file of the one the mixer is sounding now
    // (empty when silent).
    QString LastEffect() const { return LastStarted; }
    QString SoundingEffect() const;

private:
    Mix_Chunk* Chunk(const QString& fileName);

    TAudioDevice& Device;
    const bool& SoundOn;
    QString Folder;
    // Every file asked for once, decoded; a file that could not be decoded is kept as null.
    QHash<QString, Mix_Chunk*> Chunks;
    QString LastStarted;
    bool PreloadWanted = false;
};
