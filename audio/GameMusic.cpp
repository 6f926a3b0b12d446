#include "audio/GameMusic.h"

#include "audio/AudioDevice.h"

#include "core/Settings.h"

TGameMusic::TGameMusic(TAudioDevice& device, TMessageSink showError)
    : Device(device)
    , Player(device)
    , ShowError(std::move(showError))
{
    // The music only plays while a game runs, and there it loops without a pause at the seam.
    Player.SetLooping(true);
}

void TGameMusic::StartForNewGame(bool musicOn, const QString& musicFile)
{
    GamePaused = false;
    Device.HoldOpen(true);
    if (!musicOn)
        return;
    Player.SetFileName(musicFile);
    // A failing play request is not reported; only the opening is.
    OpenAndPlay();
}

void TGameMusic::PauseWithGame()
{
    GamePaused = true;
    if (Player.Mode() == TMediaMode::Playing)
        Player.Pause();
    Device.HoldOpen(false);
}

void TGameMusic::ResumeWithGame(bool musicOn)
{
    GamePaused = false;
    Device.HoldOpen(true);
    if (Player.Mode() == TMediaMode::Paused && musicOn)
        Player.Play();
}

void TGameMusic::StopAtGameOver()
{
    GamePaused = false;
    if (Player.Mode() == TMediaMode::Playing)
        Player.Stop();
    Device.HoldOpen(false);
}

void TGameMusic::MediaPlayer1Notify(bool musicOn, bool gameStopped)
{
    // The mixer loops the music by itself; this is for a playback that ended all the same.
    if (Player.Mode() != TMediaMode::Stopped || !musicOn || gameStopped)
        return;
    // Play rewinds, as the music stands at its end.
    Player.Play();
    // The end can reach us after the game was paused; then it waits at its start for the resume.
    if (GamePaused)
        Player.Pause();
}

void TGameMusic::ApplyPreferences(TSettings& settings, bool musicChecked, const QString& musicFile,
                                  bool gameStopped)
{
    if (!musicChecked && Player.Mode() == TMediaMode::Paused)
        Player.Stop();

    settings.MusicOn = musicChecked;
    settings.MusicFile = musicFile.toStdString();
    if (settings.MusicFile.empty())
        settings.MusicOn = false;

    if (!gameStopped && settings.MusicOn && musicFile != Player.FileName()) {
        const TMediaMode mode = Player.Mode();
        if (mode == TMediaMode::Paused || mode == TMediaMode::Playing)
            Player.Stop();
        Player.SetFileName(musicFile);
        if (OpenAndPlay())
            Player.Pause();
    }

    // Switching the music on again later then counts as a new file.
    if (!settings.MusicOn)
        Player.SetFileName(QString());
}

bool TGameMusic::OpenAndPlay()
{
    const TMediaError error = Player.Open();
    if (error != TMediaError::None) {
        Report(error);
        return false;
    }
    Player.Play();
    return true;
}

void TGameMusic::Report(TMediaError error)
{
    if (error == TMediaError::NoAudio) {
        if (NoAudioReported)
            return;
        NoAudioReported = true;
    }
    if (ShowError)
        ShowError(QString::fromLatin1(MessageTitle), QString::fromLatin1(CannotPlayText));
}
