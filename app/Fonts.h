#pragma once

#include <QFont>

// The window's faces: "MS Sans Serif" and "Times New Roman" where installed, else the closest
// sans-serif and serif faces of the system. Sizes are in pixels.
QFont SansFont(int pixelSize, bool bold);
QFont SerifFont(int pixelSize, bool bold);
