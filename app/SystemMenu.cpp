#include "app/SystemMenu.h"

#include <QWidget>

#ifdef Q_OS_WIN
// Kept apart from the window's own code: <windows.h> would otherwise turn std::min and std::max
// into its macros there.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

void RemoveRestoreCommand([[maybe_unused]] QWidget& window)
{
#ifdef Q_OS_WIN
    // Looked up by command, not by position: the menu's other commands stay.
    if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE))
        DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
#endif
}
