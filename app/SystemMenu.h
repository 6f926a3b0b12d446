#pragma once

class QWidget;

// Takes the Restore command out of the window menu where the program owns that menu (Windows).
// X11, Wayland and macOS leave the window manager's menu to the window manager; there this does
// nothing, and the window's minimum size keeps a restored window whole.
void RemoveRestoreCommand(QWidget& window);
