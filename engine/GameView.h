#pragma once

#include <cstdint>

class TBlock;

enum class TEffect
{
    Rotate,    // "rotate.wav": colours cycled
    Move,      // "move.wav": piece turned
    Drop,      // "drop.wav": landing without a clear, and every new game
    Disappear, // "disapp.wav": every clearing pass
};

// Everything the engine asks of the outside world: screen, sound, music, timer, dialogs.
// The game window implements it; tests fake it. Rectangles are in cells of the well grid
// (column, row, width, height); the window turns them into pixels.
class IGameView
{
public:
    virtual ~IGameView() = default;

    // Timer with the 30 ms period; starting a running one restarts it.
    virtual void StartGameTimer() = 0;
    virtual void StopGameTimer() = 0;

    // Recomposes a rectangle of the well from the settled cells and the falling piece.
    virtual void RedrawPieceArea(int column, int row, int width, int height) = 0;
    // Redraws every cell (full) or the cells that differ between Board and NewBoard or are
    // marked for clearing (partial), then shows the well.
    virtual void RedrawWell(bool full) = 0;
    // Takes what the window shows of the well back as the settled image.
    virtual void CaptureWell() = 0;
    // The empty well, at the start of a game.
    virtual void ShowEmptyWell() = 0;
    // One frame (1..4, 5 = background) of the dissolve of every marked cell, drawn on the window
    // and visible at once.
    virtual void DrawDissolveFrame(int step) = 0;
    // Repaints the whole window (pausing shows the banner this way).
    virtual void InvalidateWindow() = 0;

    virtual void ShowScore(int32_t score) = 0;
    virtual void ShowLevel(int level) = 0;
    // The preview takes a copy of the next piece and repaints; RepaintPreview repaints only.
    virtual void ShowNextBlock(const TBlock& next) = 0;
    virtual void RepaintPreview() = 0;
    virtual void SetPauseCaptions(bool paused) = 0;

    // Plays an effect; the engine asks only when SoundOn is set.
    virtual void PlayEffect(TEffect effect) = 0;
    // Music at a new game (asked only when MusicOn is set), and following pause and resume.
    virtual void StartMusic() = 0;
    virtual void PauseMusic() = 0;
    virtual void ResumeMusic() = 0;

    // Checks the mode's menu item and paints its button lime; all others unchecked and yellow.
    virtual void MarkMode(int modeNumber) = 0;
    // After a mode command has set the presets: preview frame, geometry, high-score table.
    virtual void ModeChanged(int modeNumber) = 0;

    // The entering piece could not be placed: the timer is stopped and the state is gsStopped.
    // The window offers the score, stops the music and tells the player.
    virtual void GameOver(int32_t score) = 0;
};

// The millisecond tick counter that busy waits poll.
class IClock
{
public:
    virtual ~IClock() = default;
    virtual uint32_t Milliseconds() = 0;
};
