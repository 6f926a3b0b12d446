#pragma once

#include "core/GameModes.h"

#include <array>

class QWidget;
class TFlatButton;
class TFormTumbla;
struct TGameMenus;

// The flat buttons of the left column that the window changes after building them.
struct TButtonColumn
{
    // Below the Pelmo 2000 button, with a margin: the client area is never shorter.
    static constexpr int Bottom = 400;

    TFlatButton* SpeedPause = nullptr;
    std::array<TFlatButton*, ModeCount> ModeButtons{};
};

// The Game and Mode groups of the left column; each button runs the handler of its menu twin
// and shows that twin's hint.
TButtonColumn BuildButtonColumn(QWidget& client, TFormTumbla& window, const TGameMenus& menus);
