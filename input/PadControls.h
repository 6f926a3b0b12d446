#pragma once

#include "engine/KeyBindings.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What a game controller asks of the game.
class IPadTarget
{
public:
    virtual ~IPadTarget() = default;
    virtual void PadAction(TPlayerAction action) = 0;
    // Any control let go, as a released key: ends a held drop.
    virtual void PadRelease() = 0;
    virtual void PadPause() = 0;
    virtual void PadNewGame() = 0;
    virtual void PadDisconnected() = 0;
};

// The controls of a pad as the game reads them; several physical controls may feed one.
enum class TPadControl : uint8_t
{
    Left,
    Right,
    Down,
    South,
    East,
    Start,
    Back,
    Count
};

// The physical sources of a control: the d-pad, the left stick, a shoulder button, the others.
enum class TPadSource : uint8_t
{
    DPad,
    Stick,
    Shoulder,
    Button,
};

// One controller's controls turned into the game's actions, with a held direction repeating
// as a held key does and Back starting a new game after it has been held for a second.
// Times are milliseconds of any steady clock.
class TPadControls
{
public:
    static constexpr uint32_t RepeatDelay = 400;
    static constexpr uint32_t RepeatInterval = 40;
    static constexpr uint32_t NewGameHold = 1000;

    explicit TPadControls(IPadTarget& target) : Target(target) {}

    void Set(TPadControl control, TPadSource source, bool down, uint32_t now);
    // Repeats and the long press of Back that are due by now.
    void Tick(uint32_t now);
    bool AnyHeld() const;
    bool IsDown(TPadControl control, TPadSource source) const;

private:
    struct THeld
    {
        uint8_t Sources = 0;
        uint32_t Due = 0; // the next repeat, or the new game of Back
        bool Fired = false;
    };

    void Pressed(TPadControl control, uint32_t now);
    void Released(TPadControl control);

    IPadTarget& Target;
    std::array<THeld, size_t(TPadControl::Count)> Held{};
};
