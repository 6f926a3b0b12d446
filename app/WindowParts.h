#pragma once

#include "core/GameModes.h"

#include <array>

class QAction;
class QBasicTimer;
class QWidget;
class TFlatButton;
class TFormScore;
class TGameEngine;
class TGamepads;
class TGameMusic;
class THelpWindow;
class TNextPreview;
class TSevenSegment;
class TSoundEffects;
class TWellPainter;
struct TSettings;

// The parts the game window is wired from, for tests and benchmarks to look at and drive.
struct TWindowParts
{
    TGameEngine& Engine;
    TSettings& Settings;
    TWellPainter& Painter;
    TGameMusic& Music;
    TSoundEffects& Effects;
    TFormScore& Scores;
    TNextPreview& Preview;
    TSevenSegment& ScoreDisplay;
    TSevenSegment& LevelDisplay;
    TSevenSegment& HighDisplay;
    QAction& PauseAction;
    TFlatButton& PauseButton;
    const std::array<QAction*, ModeCount>& ModeActions;
    const std::array<TFlatButton*, ModeCount>& ModeButtons;
    QWidget& Client;
    THelpWindow* Help; // null until the manual is first opened
    const QBasicTimer& GameTimer;
    TGamepads& Gamepads;

    QAction& ModeAction(int modeNumber) const { return *ModeActions[modeNumber - 1]; }
    TFlatButton& ModeButton(int modeNumber) const { return *ModeButtons[modeNumber - 1]; }
};
