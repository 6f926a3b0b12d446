#include "input/KeyCodes.h"

#include <QKeyEvent>

namespace
{
constexpr uint16_t VkNumpad0 = 96;

uint16_t KeypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<uint16_t>(VkNumpad0 + (qtKey - Qt::Key_0));
    switch (qtKey)
    {
    // Num Lock off: the keypad sends its navigation meanings.
    case Qt::Key_Insert: return 96;
    case Qt::Key_End: return 97;
    case Qt::Key_Down: return 98;
    case Qt::Key_PageDown: return 99;
    case Qt::Key_Left: return 100;
    case Qt::Key_Clear: return 101;
    case Qt::Key_Right: return 102;
    case Qt::Key_Home: return 103;
    case Qt::Key_Up: return 104;
    case Qt::Key_PageUp: return 105;
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Delete: return 110;
    case Qt::Key_Slash: return 111;
    case Qt::Key_Enter:
    case Qt::Key_Return: return 13;
    default: return 0;
    }
}

// X11 keysyms of the keypad, for platforms that report them without the keypad modifier.
uint16_t KeypadCodeFromKeysym(quint32 keysym)
{
    if (keysym >= 0xffb0 && keysym <= 0xffb9) // KP_0 .. KP_9
        return static_cast<uint16_t>(VkNumpad0 + (keysym - 0xffb0));
    switch (keysym)
    {
    case 0xff9e: return 96;  // KP_Insert
    case 0xff9c: return 97;  // KP_End
    case 0xff99: return 98;  // KP_Down
    case 0xff9b: return 99;  // KP_Page_Down
    case 0xff96: return 100; // KP_Left
    case 0xff9d: return 101; // KP_Begin
    case 0xff98: return 102; // KP_Right
    case 0xff95: return 103; // KP_Home
    case 0xff97: return 104; // KP_Up
    case 0xff9a: return 105; // KP_Page_Up
    case 0xffaa: return 106; // KP_Multiply
    case 0xffab: return 107; // KP_Add
    case 0xffad: return 109; // KP_Subtract
    case 0xff9f:             // KP_Delete
    case 0xffae: return 110; // KP_Decimal
    case 0xffaf: return 111; // KP_Divide
    default: return 0;
    }
}
} // namespace

uint16_t VirtualKeyFromQtKey(int qtKey, bool keypad)
{
    if (keypad)
        return KeypadCode(qtKey);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<uint16_t>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<uint16_t>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<uint16_t>(112 + (qtKey - Qt::Key_F1));
    switch (qtKey)
    {
    case Qt::Key_Up: return 38;
    case Qt::Key_Left: return 37;
    case Qt::Key_Down: return 40;
    case Qt::Key_Right: return 39;
    case Qt::Key_Space: return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
    }
}

uint16_t VirtualKeyFromEvent(const QKeyEvent& event)
{
    if (const uint16_t fromKeysym = KeypadCodeFromKeysym(event.nativeVirtualKey()))
        return fromKeysym;
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (keypad)
        if (const uint16_t code = KeypadCode(event.key()))
            return code;
    return VirtualKeyFromQtKey(event.key(), false);
}
