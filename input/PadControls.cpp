#include "input/PadControls.h"

namespace
{
TPlayerAction ActionOf(TPadControl control)
{
    switch (control)
    {
    case TPadControl::Left: return TPlayerAction::MoveLeft;
    case TPadControl::Right: return TPlayerAction::MoveRight;
    case TPadControl::Down: return TPlayerAction::Drop;
    case TPadControl::South: return TPlayerAction::RotateColor;
    case TPadControl::East: return TPlayerAction::RotateBlock;
    default: return TPlayerAction::None;
    }
}

bool Repeats(TPadControl control)
{
    return control == TPadControl::Left || control == TPadControl::Right;
}
} // namespace

void TPadControls::Set(TPadControl control, TPadSource source, bool down, uint32_t now)
{
    THeld& held = Held[size_t(control)];
    const uint8_t bit = uint8_t(1u << uint8_t(source));
    const bool wasDown = held.Sources != 0;
    held.Sources = down ? uint8_t(held.Sources | bit) : uint8_t(held.Sources & ~bit);
    if (!wasDown && held.Sources)
        Pressed(control, now);
    else if (wasDown && !held.Sources)
        Released(control);
}

void TPadControls::Pressed(TPadControl control, uint32_t now)
{
    THeld& held = Held[size_t(control)];
    held.Fired = false;
    if (control == TPadControl::Start)
        Target.PadPause();
    else if (control == TPadControl::Back)
        held.Due = now + NewGameHold;
    else
    {
        held.Due = now + RepeatDelay;
        Target.PadAction(ActionOf(control));
    }
}

void TPadControls::Released(TPadControl control)
{
    if (control != TPadControl::Start && control != TPadControl::Back)
        Target.PadRelease();
}

void TPadControls::Tick(uint32_t now)
{
    for (size_t i = 0; i < Held.size(); ++i)
    {
        THeld& held = Held[i];
        const auto control = static_cast<TPadControl>(i);
        if (!held.Sources || int32_t(now - held.Due) < 0)
            continue;
        if (control == TPadControl::Back && !held.Fired)
        {
            held.Fired = true;
            Target.PadNewGame();
        }
        else if (Repeats(control))
        {
            Target.PadAction(ActionOf(control));
            // A late tick repeats once, not in a burst the player never asked for.
            held.Due = int32_t(now - held.Due) < int32_t(RepeatInterval) ? held.Due + RepeatInterval
                                                                          : now + RepeatInterval;
        }
    }
}

bool TPadControls::AnyHeld() const
{
    for (const THeld& held : Held)
        if (held.Sources)
            return true;
    return false;
}

bool TPadControls::IsDown(TPadControl control, TPadSource source) const
{
    return (Held[size_t(control)].Sources >> uint8_t(source)) & 1u;
}
