#pragma once

#include "core/CellSizes.h"

#include <cstdint>
#include <string>

// The default bindings: the numeric keypad's 4, 6, 2, 8 and 5.
inline constexpr uint16_t DefaultLeftKey = 100;
inline constexpr uint16_t DefaultRightKey = 102;
inline constexpr uint16_t DefaultDropKey = 98;
inline constexpr uint16_t DefaultRColorKey = 104;
inline constexpr uint16_t DefaultRBlockKey = 101;

// Every persisted setting, named as its stored value. Qt-free so the engine can read it.
// Colours are 0x00BBGGRR (red in the low byte); keys are Windows virtual-key codes.
// A field starts at its default on a wide screen of many colours; core/SettingsFields.h says how
// the screen and the colour depth change that, and how each field is stored.
struct TSettings
{
    int32_t ColNumber = 9;
    int32_t RowNumber = 17;
    uint8_t NumOfBlock = 5;
    int32_t NumOfColor = 7;
    int32_t BlockWidth = LargeCell.Width;
    int32_t BlockHeight = LargeCell.Height;
    uint8_t StartLevel = 1;
    uint8_t BlockPicture = 1;
    uint8_t GameMode = 3;
    bool FastDropping = true;
    bool SoundOn = true;
    bool MusicOn = true;
    std::string MusicFile;
    uint8_t InnerMode = 2;
    uint8_t OuterMode = 2;
    uint32_t InnerColor = 0;
    uint32_t OuterColor = 0x808080;
    std::string InnerImage;
    std::string OuterImage;
    bool InnerTile = true;
    bool OuterTile = true;
    uint16_t LeftKey = DefaultLeftKey;
    uint16_t RightKey = DefaultRightKey;
    uint16_t DropKey = DefaultDropKey;
    uint16_t RColorKey = DefaultRColorKey;
    uint16_t RBlockKey = DefaultRBlockKey;
    // The cells take the largest size at which the well and both side columns fit the window,
    // while BlockWidth and BlockHeight keep the last fixed size.
    bool FitToWindow = false;

    bool operator==(const TSettings&) const = default;
};

// The key fields in the order of the player's actions: move left, move right, drop, rotate the
// colours, rotate the piece.
inline constexpr int ActionCount = 5;
inline constexpr uint16_t TSettings::* const ActionKeys[ActionCount] = {
    &TSettings::LeftKey, &TSettings::RightKey, &TSettings::DropKey, &TSettings::RColorKey, &TSettings::RBlockKey};

// What the defaults depend on: the screen, the display's colour depth and where the program lives.
struct TDisplayFacts
{
    int ScreenWidth = 1024;
    int ColorDepth = 32;
    std::string ProgramFolder; // ends with a path separator
};
