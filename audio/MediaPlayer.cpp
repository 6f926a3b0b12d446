#include "audio/MediaPlayer.h"

#include "audio/AudioDevice.h"
#include "audio/MidiReader.h"
#include "audio/MidiSequencer.h"
#include "audio/MidiSynth.h"
#include "pictures/RegularFile.h"

#include <algorithm>

TMediaPlayer::TMediaPlayer(TAudioDevice& device, QObject* parent)
    : QObject(parent)
    , Device(device)
    , Synth(std::make_unique<TMidiSynth>())
    , Sequencer(std::make_unique<TMidiSequencer>())
{
}

TMediaPlayer::~TMediaPlayer()
{
    Close();
}

TMediaError TMediaPlayer::Open()
{
    Close();
    if (!Device.EnsureMusicReady())
        return TMediaError::NoAudio;
    std::optional<TMidiSong> song;
    if (const std::optional<QByteArray> file = ReadRegularFile(FileNameValue, TMidiReader::LargestFileBytes))
        song = TMidiReader::Read(*file);
    if (!song)
        return TMediaError::CannotOpen;
    if (!Synth->Load(Device.SoundFont(), SynthRate()))
        return TMediaError::NoAudio;
    TMidiSynth::BeginFile();
    // The hook is off since Close: nothing renders while the song changes.
    SongMicroseconds = song->LengthMicroseconds;
    Synth->Prepare(*song);
    Sequencer->SetSong(std::move(*song), SynthRate());
    // A whole output buffer at the synthesizer's rate, so that the audio thread never allocates.
    Rendered.assign(size_t(TAudioDevice::BufferFrames / TMidiSynth::RateDivisor + 1) * 2, 0);
    Previous = {0, 0};
    Synth->Reset();
    State = TState::Stopped;
    IsOpen = true;
    Device.SetMusicHook(&TMediaPlayer::MixMusic, this);
    return TMediaError::None;
}

bool TMediaPlayer::Play()
{
    switch (Mode()) {
    case TMediaMode::NotOpen:
        return false;
    case TMediaMode::Playing:
        return true;
    case TMediaMode::Paused:
        if (!Device.EnsureOpen())
            return false;
        SetState(TState::Playing);
        return true;
    case TMediaMode::Stopped:
        break;
    }
    if (!Device.EnsureOpen())
        return false;
    {
        std::lock_guard<std::mutex> lock(Lock);
        Sequencer->Rewind();
        Synth->Reset();
        PlayingLooped = LoopingValue;
    }
    SetState(TState::Playing);
    return true;
}

void TMediaPlayer::Pause()
{
    if (Mode() == TMediaMode::Playing)
        SetState(TState::Paused);
}

void TMediaPlayer::Stop()
{
    const TMediaMode mode = Mode();
    if (mode != TMediaMode::Playing && mode != TMediaMode::Paused)
        return;
    {
        std::lock_guard<std::mutex> lock(Lock);
        Synth->Reset();
    }
    SetState(TState::Stopped);
    // A halt is heard of as the natural end is.
    PostNotify();
}

void TMediaPlayer::Close()
{
    if (!IsOpen)
        return;
    // Unhooked first: once this returns the audio thread no longer touches the player.
    Device.ClearMusicHook(this);
    IsOpen = false;
    SongMicroseconds = 0;
    SetState(TState::Stopped);
    Sequencer->SetSong({}, SynthRate());
}

TMediaMode TMediaPlayer::Mode() const
{
    if (!IsOpen)
        return TMediaMode::NotOpen;
    switch (State.load()) {
    case TState::Playing:
        return TMediaMode::Playing;
    case TState::Paused:
        return TMediaMode::Paused;
    default:
        return TMediaMode::Stopped;
    }
}

int64_t TMediaPlayer::PositionMs() const
{
    const int frequency = SynthRate();
    if (!IsOpen || frequency <= 0)
        return 0;
    return std::min(Sequencer->PassFrame(), Sequencer->SongFrames()) * 1000 / frequency;
}

int64_t TMediaPlayer::LengthMs() const
{
    return IsOpen ? SongMicroseconds / 1000 : 0;
}

void TMediaPlayer::SetState(TState state)
{
    {
        std::lock_guard<std::mutex> lock(Lock);
        State = state;
    }
    Device.SetMusicSounding(state == TState::Playing);
}

void TMediaPlayer::MixMusic(void* self, uint8_t* stream, int bytes)
{
    // The audio thread: the stream holds silence, and music replaces it only while playing.
    auto& player = *static_cast<TMediaPlayer*>(self);
    std::lock_guard<std::mutex> lock(player.Lock);
    if (player.State != TState::Playing)
        return;
    if (player.RenderAndUpsample(reinterpret_cast<int16_t*>(stream), bytes / 4))
        return;
    player.State = TState::Ended;
    // Whatever comes next (a new start, say) is the window thread's to decide.
    QMetaObject::invokeMethod(&player, [&player] { player.Ended(); }, Qt::QueuedConnection);
}

bool TMediaPlayer::RenderAndUpsample(int16_t* stereo, int frames)
{
    constexpr int Divisor = TMidiSynth::RateDivisor;
    const int synthFrames = (frames + Divisor - 1) / Divisor;
    if (Rendered.size() < size_t(synthFrames) * 2)
        Rendered.resize(size_t(synthFrames) * 2); // only if the device ever asks for more
    const bool playing = Sequencer->Render(*Synth, Rendered.data(), synthFrames, PlayingLooped);
    // Straight lines between the synthesizer's frames, carried over from one buffer to the next.
    for (int i = 0; i < frames; ++i) {
        const int source = i / Divisor;
        const int step = i % Divisor + 1;
        for (int channel = 0; channel < 2; ++channel) {
            const int next = Rendered[size_t(source) * 2 + size_t(channel)];
            const int from = source == 0 ? Previous[channel] : Rendered[size_t(source - 1) * 2 + size_t(channel)];
            stereo[2 * i + channel] = int16_t(from + (next - from) * step / Divisor);
        }
    }
    Previous = {Rendered[size_t(synthFrames - 1) * 2], Rendered[size_t(synthFrames - 1) * 2 + 1]};
    return playing;
}

int TMediaPlayer::SynthRate() const
{
    return Device.SampleRate() / TMidiSynth::RateDivisor;
}

void TMediaPlayer::Ended()
{
    if (State == TState::Ended)
        SetState(TState::Stopped);
    emit Notify();
}

void TMediaPlayer::PostNotify()
{
    QMetaObject::invokeMethod(this, [this] { emit Notify(); }, Qt::QueuedConnection);
}
