#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class TAudioDevice;
class TMidiSequencer;
class TMidiSynth;

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
// Every file passes our own MIDI reader before the synthesizer hears a note of it; the sequencer and
// FluidSynth then run inside the mixer's music hook. A looping player goes on from the end to the
// beginning inside the sequencer, with no pause between the passes; a song played to its end stops
// once its last notes have rung out. Nothing is ever restarted inside the audio callback.
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
    // Why the last Open failed, in one line; empty after a success.
    QString FailureReason() const { return FailureReasonValue; }
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

    // How far the music has played since it last started from the beginning, or since the current
    // pass of a looping playback began; it stands still while paused and does not pass the song's
    // end while the last notes ring out.
    int64_t PositionMs() const;
    // How long one pass of the open song plays; 0 when nothing is open.
    int64_t LengthMs() const;

signals:
    void Notify();

private:
    enum class TState
    {
        Stopped,
        Playing,
        Paused,
        Ended, // played to its end and rung out; the window thread has not heard of it yet
    };

    TMediaError Fail(TMediaError error, const QString& reason)
    {
        FailureReasonValue = reason;
        return error;
    }
    static void MixMusic(void* player, uint8_t* stream, int bytes);
    // The synthesizer renders at a fraction of the output rate; false once the song has ended.
    bool RenderAndUpsample(int16_t* stereo, int frames);
    int SynthRate() const;
    void Ended();
    void PostNotify();
    void SetState(TState state);

    TAudioDevice& Device;
    QString FileNameValue;
    QString FailureReasonValue;
    bool IsOpen = false;
    bool LoopingValue = false;
    int64_t SongMicroseconds = 0;
    // Shared with the audio thread; the mixer's callback holds it while it renders one buffer.
    mutable std::mutex Lock;
    std::atomic<TState> State{TState::Stopped};
    bool PlayingLooped = false;
    std::unique_ptr<TMidiSynth> Synth;
    std::unique_ptr<TMidiSequencer> Sequencer;
    std::vector<int16_t> Rendered;
    std::array<int, 2> Previous{};
};
