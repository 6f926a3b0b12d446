#pragma once

#include <cstdint>

struct TSettings;

// The seven game modes, in menu, button and high-score order.
enum TModeNumber : uint8_t
{
    gmSingle = 1,
    gmDuoBlock = 2,
    gmTrioBlock = 3,
    gmColumn = 4,
    gmQuartetBlock = 5,
    gmRowBlock = 6,
    gmPelmo2000 = 7,
};

constexpr int ModeCount = 7;

// A mode is a preset of five settings; the rules of play are the same in every mode.
struct TModePreset
{
    TModeNumber Number;
    const char* ButtonCaption;
    const char* MenuCaption;
    uint8_t NumOfBlock; // 1..4 or 7 cells; 5 = mixed lengths with the odd 9-cell row
    int32_t NumOfColor;
    int32_t ColNumber;
    int32_t RowNumber;
    uint8_t GameMode; // orientation rule: 1 lying, 2 standing, 3 random and turnable
};

extern const TModePreset ModePresets[ModeCount];

const TModePreset& ModePreset(int modeNumber); // 1..7

// The stored settings hold no mode number: it is recognised from the piece rules.
uint8_t DeriveModeNumber(uint8_t numOfBlock, uint8_t gameMode);

void ApplyModePreset(TSettings& settings, const TModePreset& preset);
