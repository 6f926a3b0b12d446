#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>

class TAudioDevice;
struct _Mix_Music;

enum class TMediaMode
{
    NotOpen,
    Stopped,
    Playing,
    Paused,
};

enum class TMediaError
{
    None,
    NoAudio,    // no sound device, or no soundfont to play MIDI with
    CannotOpen, // missing, unreadable or not a MIDI file
};

// The game's MIDI player: one file at a time, played from where it stands, paused, stopped,
// and a Notify signal on the owner's thread whenever the playback ends or is halted.
class TMediaPlayer : public QObject
{
    Q_OBJECT

public:
    explicit TMediaPlayer(TAudioDevice& device, QObject* parent = nullptr);
    ~TMediaPlayer() override;

    QString FileName() const { return FileNameValue; }
    void SetFileName(const QString& fileName) { FileNameValue = fileName; }

    // Closes what is open, then opens FileName().
    TMediaError Open();
    // Continues from the current position; at the end (or after Stop) starts from the beginning.
    // Every play asks for a Notify when the playback ends. False when nothing is open.
    bool Play();
    // Holds the position; only a playing music pauses.
    void Pause();
    // Halts the playback; the next Play starts from the beginning.
    void Stop();
    void Close();
    TMediaMode Mode() const;

    // How far the mixer has played the music since it last started from the beginning,
    // counted in whole output buffers; it stands still while paused.
    int64_t PositionMs() const;

signals:
    void Notify();

private:
    static void MusicFinished();
    static void CountMixedFrames(void* player, uint8_t* stream, int bytes);

    TAudioDevice& Device;
    QString FileNameValue;
    _Mix_Music* Music = nullptr;
    bool Paused = false;
    bool Started = false;
    std::atomic<int64_t> PlayedFrames{0};

    // The mixer has one music and one finish hook for the whole process.
    static std::atomic<TMediaPlayer*> ActivePlayer;
};
