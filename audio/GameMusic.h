#pragma once

#include "audio/MediaPlayer.h"

#include <QString>

#include <functional>

class TAudioDevice;
struct TSettings;

// The background music following the game: it starts with every new game, pauses and resumes
// with it, loops while a game runs, stops at game over, and takes the music choices of the
// preferences. The game window calls it and forwards MediaPlayer1().Notify to MediaPlayer1Notify.
//
// Without a sound device or without a soundfont the game runs silent. The player is told so once,
// with the usual "Cannot play MIDI file." box, the first time the music should start; every
// later attempt stays quiet. A music file that cannot be opened is reported at every attempt.
// While a game runs the sound device is held open between the sounds; paused, stopped or not yet
// started, the program lets it close.
class TGameMusic
{
public:
    // Shown to the player as a modal box with an error icon and an OK button.
    using TMessageSink = std::function<void(const QString& title, const QString& text)>;

    static constexpr const char* MessageTitle = "Pelmo 2000";
    static constexpr const char* CannotPlayText = "Cannot play MIDI file.";

    TGameMusic(TAudioDevice& device, TMessageSink showError);

    TMediaPlayer& MediaPlayer1() { return Player; }

    // Opens the file anew and plays it from the beginning; without musicOn nothing is touched.
    void StartForNewGame(bool musicOn, const QString& musicFile);
    // Called at every pause of the game and at every resume.
    void PauseWithGame();
    void ResumeWithGame(bool musicOn);
    // After the score has been offered; the game is already stopped.
    void StopAtGameOver();
    // On every notification of the player: the music starts again when it ended during a game.
    // The mixer loops it by itself, so this only acts when a playback ended all the same.
    void MediaPlayer1Notify(bool musicOn, bool gameStopped);
    // The music part of accepting the preferences: sets MusicOn and MusicFile from the dialog's
    // box and field, and during a game makes a newly chosen file wait, paused at its start.
    void ApplyPreferences(TSettings& settings, bool musicChecked, const QString& musicFile, bool gameStopped);
    // The file and the reason of the last report, in two lines, for the box's details.
    QString FailureDetails() const { return Details; }
    // When the game window goes.
    void Close() { Player.Close(); }

private:
    bool OpenAndPlay();
    void Report(TMediaError error);

    TAudioDevice& Device;
    TMediaPlayer Player;
    TMessageSink ShowError;
    bool NoAudioReported = false;
    QString Details;
    // The game is paused: music that ends meanwhile must wait for the resume, not play on.
    bool GamePaused = false;
};
