#include "app/PadGame.h"

#include "engine/GameEngine.h"

#include <QApplication>
#include <QWidget>

bool TPadGame::Blocked() const
{
    return QApplication::activeModalWidget() != nullptr || Window.isMinimized();
}

void TPadGame::PadAction(TPlayerAction action)
{
    if (!Blocked())
        Game.DoAction(action);
}

void TPadGame::PadRelease()
{
    Game.FormKeyUp(0);
}

void TPadGame::PadPause()
{
    if (!Blocked())
        Game.PauseMenuClick();
}

void TPadGame::PadNewGame()
{
    if (!Blocked())
        Game.NewGame();
}

void TPadGame::PadDisconnected()
{
    Game.FocusLost();
}
