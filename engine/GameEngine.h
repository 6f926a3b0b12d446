#pragma once

#include "Block.h"
#include "Board.h"
#include "core/GameModes.h"
#include "GameView.h"
#include "KeyBindings.h"
#include "Random.h"

#include <cstdint>

struct TSettings;

enum TGameState : uint8_t
{
    gsPlaying = 0,   // a piece is falling
    gsPaused = 1,
    gsStopped = 2,   // no game: before the first and after game over
    gsNextBlock = 3, // the next tick brings in the next piece
};

constexpr int GameTimerId = 1;
constexpr int TickInterval = 30; // ms

// The whole game: the well, the pieces, the states, the keys, landing, clearing and scoring.
// It never draws, plays or shows anything itself; it asks its IGameView.
class TGameEngine
{
public:
    TGameEngine(TSettings& settings, IGameView& view, IClock& clock, uint32_t seed);

    // Start-up after the settings are loaded: the first next piece, the start values, the mode.
    void Start();

    void NewGame();
    void TimerTick();
    void PauseMenuClick();
    void FocusLost();
    // A key press: what the key does under the bindings and the alternate keys.
    void FormKeyDown(uint16_t key);
    // Releasing any key ends a held drop.
    void FormKeyUp(uint16_t key);
    // One of the player's actions, from a key or a game controller; only a falling piece moves.
    void DoAction(TPlayerAction action);
    // One of the seven mode commands (1..7).
    void SelectGameMode(int modeNumber);

    bool BlockCollides() const;
    bool BlockLanded() const;
    void LandPiece();
    bool ClearPass(int32_t& passPoints, int32_t& passCells);
    void MakeNextBlock();
    void BusyWait(uint32_t ms);

    TGrid Board;
    TGrid NewBoard;
    TGrid ClearMarks;
    TBlock CurrentBlock;
    TBlock NextBlock;
    int32_t BlockX = 0;
    int32_t BlockY = 0;
    TGameState GameState = gsStopped;
    uint8_t TickCounter = 0;
    uint8_t FallDelay = 25;
    bool DropKeyHeld = false;
    uint8_t Level = 1;
    uint8_t LevelCounter = 0;
    int32_t Score = 0;
    uint8_t ModeNumber = gmPelmo2000;
    TRandom Random;

    const TSettings& Config() const { return Settings; }

private:
    void GenerateFirstNextBlock();
    void EnterNextBlock();
    void FallStep();
    void Pause();
    void MoveSideways(int direction);
    void Drop();
    void RotateColors();
    void RotatePiece();
    void SettleLyingPiece();
    void RemoveMarkedCells();
    void AddPassScore(int32_t passPoints, int32_t passCells);
    void CountPassTowardsLevel();
    int ScanRuns(int32_t& passPoints, int32_t& passCells);
    bool CellOccupied(int row, int col) const;
    void PlayEffect(TEffect effect);

    // The state a pause returns to: a pause between a landing and the next entry
    // resumes waiting for the entry, not with the landed piece still falling.
    TGameState ResumeState = gsPlaying;

    TSettings& Settings;
    IGameView& View;
    IClock& Clock;
};
