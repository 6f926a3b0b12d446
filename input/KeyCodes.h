#pragma once

#include <cstdint>

class QKeyEvent;

// The Windows virtual-key code of a key press, as the key bindings store them; 0 when the
// key has none. A key of the numeric keypad gives its keypad code whether Num Lock is on or
// off, since many desktops start with it off and the default keys would then do nothing.
uint16_t VirtualKeyFromEvent(const QKeyEvent& event);

// The same from a Qt key code and whether it came from the keypad.
uint16_t VirtualKeyFromQtKey(int qtKey, bool keypad);
