#pragma once

#include "settings/Preferences.h"

#include <functional>

class TCellImages;
class TGameMusic;
class TWellPainter;

// The parts of the game that accepting the Preferences dialog changes.
struct TGameParts
{
    TSettings& Settings;
    bool& ShowNext; // the preview's
    bool GameStopped;
    TCellImages& Cells;
    TWellPainter& Painter;
    TGameMusic& Music;
    // Resizes and recentres the well after a new cell width or a change to or from "Fit to window".
    std::function<void()> UpdateGeometry;
};

// Takes the player's choices into the game, in an order that keeps a paused game intact: the
// settings change in memory only (they reach the store at exit), new cell pictures and masks
// are loaded, both backgrounds rebuilt, the window repainted, and the well resized only when
// the cell width changed. The music follows the audio layer's rules for a game in progress.
void ApplyPreferences(const TPreferences& chosen, TGameParts& game);
