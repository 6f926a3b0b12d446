#pragma once

#include "input/PadControls.h"

class QWidget;
class TGameEngine;

// What the game controllers do to the game: the players' actions as the keys make them, Start
// as the pause command, a long Back as "New game". Nothing reaches a game hidden behind a
// dialog or a minimised window; losing a controller pauses as losing the focus does.
class TPadGame : public IPadTarget
{
public:
    TPadGame(TGameEngine& game, const QWidget& window) : Game(game), Window(window) {}

    void PadAction(TPlayerAction action) override;
    void PadRelease() override;
    void PadPause() override;
    void PadNewGame() override;
    void PadDisconnected() override;

private:
    bool Blocked() const;

    TGameEngine& Game;
    const QWidget& Window;
};
