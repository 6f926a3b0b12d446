#include "audio/MediaPlayer.h"

#include "audio/AudioDevice.h"
#include "audio/MidiSongLength.h"

#include <QFile>

#include <algorithm>

#include <SDL2/SDL_mixer.h>

std::atomic<TMediaPlayer*> TMediaPlayer::ActivePlayer{nullptr};

namespace
{
constexpr int BytesPerFrame = 4; // 16-bit stereo
// The synthesizer moves its sequencer on once every 64 output frames and starts the next pass at
// the first step past the song's end, so a pass lasts the song's length rounded up to a step.
constexpr int64_t SequencerStepFrames = 64;

// The whole file when it is a standard MIDI file, else nothing.
QByteArray ReadMidi(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(4) != "MThd")
        return {};
    file.seek(0);
    return file.readAll();
}
} // namespace

TMediaPlayer::TMediaPlayer(TAudioDevice& device, QObject* parent)
    : QObject(parent)
    , Device(device)
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
    // The synthesizer takes almost any bytes as a song and then plays silence; only a standard
    // MIDI file is music here.
    const QByteArray song = FileNameValue.isEmpty() ? QByteArray() : ReadMidi(FileNameValue);
    if (song.isEmpty())
        return TMediaError::CannotOpen;
    SDL_RWops* source = SDL_RWFromFile(QFile::encodeName(FileNameValue).constData(), "rb");
    if (!source)
        return TMediaError::CannotOpen;
    Music = Mix_LoadMUSType_RW(source, MUS_MID, 1);
    if (!Music)
        return TMediaError::CannotOpen;
    SongMicroseconds = TMidiSongLength::Microseconds(song);
    SongFrames = (SongMicroseconds * Device.SampleRate() + 999999) / 1000000;
    PassFrames = (SongFrames + SequencerStepFrames - 1) / SequencerStepFrames * SequencerStepFrames;
    ActivePlayer = this;
    Mix_HookMusicFinished(&TMediaPlayer::MusicFinished);
    Mix_SetPostMix(&TMediaPlayer::CountMixedFrames, this);
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
        Mix_ResumeMusic();
        Paused = false;
        return true;
    case TMediaMode::Stopped:
        break;
    }
    PlayedFrames = 0;
    Paused = false;
    PlayingLooped = LoopingValue;
    Started = Mix_PlayMusic(Music, PlayingLooped ? -1 : 0) == 0;
    return Started;
}

void TMediaPlayer::Pause()
{
    if (Mode() != TMediaMode::Playing)
        return;
    Mix_PauseMusic();
    Paused = true;
}

void TMediaPlayer::Stop()
{
    if (!Music)
        return;
    const bool wasPaused = Paused;
    Started = false;
    Paused = false;
    // The mixer's finish hook fires here, as it does at the natural end.
    Mix_HaltMusic();
    if (wasPaused)
        Mix_ResumeMusic(); // leaves no paused flag behind for the next play
}

void TMediaPlayer::Close()
{
    if (!Music)
        return;
    // Unhooked first: closing is no end of the music the game should hear about.
    Mix_HookMusicFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_ResumeMusic();
    Mix_FreeMusic(Music);
    Music = nullptr;
    ActivePlayer = nullptr;
    Started = false;
    Paused = false;
    PlayingLooped = false;
    SongMicroseconds = 0;
    SongFrames = 0;
    PassFrames = 0;
    PlayedFrames = 0;
}

TMediaMode TMediaPlayer::Mode() const
{
    if (!Music)
        return TMediaMode::NotOpen;
    if (Paused)
        return TMediaMode::Paused;
    if (Started && Mix_PlayingMusic())
        return TMediaMode::Playing;
    return TMediaMode::Stopped;
}

int64_t TMediaPlayer::PositionMs() const
{
    const int frequency = Device.SampleRate();
    if (frequency <= 0)
        return 0;
    int64_t frames = PlayedFrames.load();
    if (PassFrames > 0)
        frames = PlayingLooped ? frames % PassFrames : std::min(frames, SongFrames);
    return frames * 1000 / frequency;
}

int64_t TMediaPlayer::LengthMs() const
{
    return Music ? SongMicroseconds / 1000 : 0;
}

void TMediaPlayer::MusicFinished()
{
    // Runs on the mixer's thread (or inside a halt): hand the news to the player's own thread.
    TMediaPlayer* player = ActivePlayer.load();
    if (player)
        QMetaObject::invokeMethod(player, [player] { emit player->Notify(); }, Qt::QueuedConnection);
}

void TMediaPlayer::CountMixedFrames(void* player, uint8_t* /*stream*/, int bytes)
{
    // The mixer's lock is held here; these queries take it again, which its recursive lock allows.
    if (Mix_PlayingMusic() && !Mix_PausedMusic())
        static_cast<TMediaPlayer*>(player)->PlayedFrames += bytes / BytesPerFrame;
}
