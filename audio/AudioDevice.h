#pragma once

#include <QString>
#include <QStringList>

// The one sound output of the program: SDL's audio subsystem with the mixer on top, plus the
// General MIDI soundfont the synthesizer needs for the music. Opened at most once, on first use;
// when it cannot be opened, or no soundfont is installed, everything that plays stays silent.
// Create it before the effects and the music player and destroy it after them.
class TAudioDevice
{
public:
    explicit TAudioDevice(QStringList soundFontFolders = DefaultSoundFontFolders());
    ~TAudioDevice();

    TAudioDevice(const TAudioDevice&) = delete;
    TAudioDevice& operator=(const TAudioDevice&) = delete;

    // Opens the device the first time it is asked; later calls only report how that went.
    bool EnsureOpen();
    bool IsOpen() const { return Opened; }
    // A device is open and the synthesizer has a soundfont to play MIDI with.
    bool EnsureMusicReady();
    QString SoundFont() const { return SoundFontPath; }
    int SampleRate() const { return Frequency; }

    // Channel of the mixer that the effects share, so that a new effect cuts the previous one.
    static constexpr int EffectChannel = 0;

    static QStringList DefaultSoundFontFolders();
    // The General MIDI soundfont among the .sf2 files of the folders; the default-GM and TimGM6mb
    // names first, then any other in name order. Empty when there is none.
    static QString FindSoundFont(const QStringList& folders);

private:
    void Open();
    void ChooseSoundFont();

    QStringList SoundFontFolders;
    QString SoundFontPath;
    int Frequency = 0;
    bool Tried = false;
    bool Opened = false;
};
