#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <thread>

// The one sound output of the program: SDL's audio subsystem with the mixer on top, plus the
// General MIDI soundfont the synthesizer needs for the music. Opened on demand and closed again
// when the program is idle, so that no audio callback runs while nothing sounds: an effect or the
// music opens it at once when it is asked to sound. While a game runs the owner holds it open
// between the sounds.
// When it cannot be opened, or no soundfont is installed, everything that plays stays silent.
// Create it before the effects and the music player and destroy it after them.
class TAudioDevice
{
public:
    using TMusicHook = void (*)(void* data, uint8_t* stream, int bytes);

    explicit TAudioDevice(QStringList soundFontFolders = DefaultSoundFontFolders());
    ~TAudioDevice();

    TAudioDevice(const TAudioDevice&) = delete;
    TAudioDevice& operator=(const TAudioDevice&) = delete;

    // Opens the device when it is closed; false when it cannot be opened (tried once only).
    bool EnsureOpen();
    bool IsOpen() const { return Opened; }
    // A device is open and the synthesizer has a soundfont to play MIDI with.
    bool EnsureMusicReady();
    QString SoundFont() const { return SoundFontPath; }
    // The mixer's rate, fixed at the first opening; 0 before.
    int SampleRate() const { return Frequency; }

    // The music source the mixer renders first into every buffer. Kept across closing and opening
    // again; once ClearMusicHook returns, the hook of that owner is no longer running.
    void SetMusicHook(TMusicHook hook, void* data);
    void ClearMusicHook(void* data);
    // The music is playing: the device stays open.
    void SetMusicSounding(bool sounding);
    // Kept open between the sounds while a game runs; released, it closes once all is quiet.
    void HoldOpen(bool held);
    // Closes the device a moment after nothing holds it and nothing sounds any more (one single
    // shot, no periodic work), so that a pause and a quick resume keep it open.
    void CloseIfQuiet();
    static constexpr int LingerMs = 1000;
    // SDL lets the audio thread drain for two buffers before a device is closed: that wait is
    // spent on a thread of its own, and the mixer is not touched until it is over. Whoever frees
    // the mixer's data waits for it here first.
    void WaitUntilClosed();

    // About 23 ms at 44.1 kHz: short enough for the effects to follow the keys.
    static constexpr int BufferFrames = 1024;
    // Channel of the mixer that the effects share, so that a new effect cuts the previous one.
    static constexpr int EffectChannel = 0;

    static QStringList DefaultSoundFontFolders();
    // The General MIDI soundfont among the .sf2 files of the folders; the default-GM and TimGM6mb
    // names first, then any other in name order. Empty when there is none.
    static QString FindSoundFont(const QStringList& folders);

private:
    bool Open();
    void Close();
    bool Quiet() const;
    void ChooseSoundFont();
    static void EffectFinished(int channel);

    QStringList SoundFontFolders;
    QString SoundFontPath;
    int Frequency = 0;
    bool SubsystemReady = false;
    bool Failed = false;
    bool Opened = false;
    bool Held = false;
    bool MusicSounding = false;
    TMusicHook MusicHook = nullptr;
    void* MusicHookData = nullptr;
    // Receives the news of an effect's end from the audio thread; dropped with the device.
    QObject Context;
    QTimer Linger;
    std::thread Closer;
};
