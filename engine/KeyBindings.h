#pragma once

#include <cstdint>
#include <vector>

struct TSettings;

// The player's five actions, numbered as the key fields of the settings are ordered.
enum class TPlayerAction : uint8_t
{
    None = 0,
    MoveLeft,
    MoveRight,
    Drop,
    RotateColor,
    RotateBlock,
};

struct TAlternateKey
{
    uint16_t Key; // Windows virtual-key code
    TPlayerAction Action;
};

// Keys that work without any binding, so a keyboard without a numeric keypad can play at once:
// the arrows move, drop and rotate the colours, Space turns the piece.
inline constexpr TAlternateKey AlternateKeys[] = {
    {37, TPlayerAction::MoveLeft},    {39, TPlayerAction::MoveRight},   {40, TPlayerAction::Drop},
    {38, TPlayerAction::RotateColor}, {32, TPlayerAction::RotateBlock},
};

// What a key does: the first action bound to it; a key bound to nothing does its alternate
// action, if it has one.
TPlayerAction ActionOfKey(const TSettings& settings, uint16_t key);

// The keys that do an action now, the bound key first: its binding unless an earlier action takes
// that key, then its alternate while no action is bound to the alternate.
std::vector<uint16_t> KeysOfAction(const TSettings& settings, TPlayerAction action);

// The action bound to a key field, as ActionKeys orders them (0 = move left).
TPlayerAction ActionOfBinding(int index);
