#pragma once

#include "core/GameModes.h"

#include <array>

class QAction;
class QMenuBar;
class TFormTumbla;

// The commands of the menu bar that the window changes after building them.
struct TGameMenus
{
    QAction* NewMenu = nullptr;
    QAction* PauseMenu = nullptr;
    QAction* HiScoresMenu = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* Keluar1 = nullptr;
    std::array<QAction*, ModeCount> ModeMenus{};
};

// Fills the menu bar with the Game, Mode and Help menus; every command runs its handler of the window.
TGameMenus BuildGameMenus(QMenuBar& bar, TFormTumbla& window);
