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
// A looping player goes on from the end to the beginning inside the mixer, with no pause between
// the passes (a song the synthesizer plays to its end only stops once its last notes have rung out,
// about two seconds later).
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
    // Taken at the next start from the beginning; a playback under way keeps what it started with.
    void SetLooping(bool looping) { LoopingValue = looping; }
    bool Looping() const { return LoopingValue; }

    // Continues from the current position; at the end (or after Stop) starts from the beginning.
    // Every play asks for a Notify when the playback ends. False when nothing is open.
    bool Play();
    // Holds the position; only a playing music pauses.
    void Pause();
    // Halts the playback; the next Play starts from the beginning.
    void Stop();
    void Close();
    TMediaMode Mode() const;

    // How far the mixer has played the music since it last started from the beginning, or since the
    // current pass of a looping playback began; counted in whole output buffers, it stands still
    // while paused. It does not pass the song's end while the last notes ring out.
    int64_t PositionMs() const;
    // How long one pass of the open song plays; 0 when nothing is open or the file does not tell.
    int64_t LengthMs() const;

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
    bool LoopingValue = false;
    // The playback under way was started looping.
    bool PlayingLooped = false;
    int64_t SongMicroseconds = 0;
    // Output frames of the song, and of one pass of it as the mixer loops it; 0 when not known.
    int64_t SongFrames = 0;
    int64_t PassFrames = 0;
    std::atomic<int64_t> PlayedFrames{0};

    // The mixer has one music and one finish hook for the whole process.
    static std::atomic<TMediaPlayer*> ActivePlayer;
};
