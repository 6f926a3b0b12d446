#pragma once

#include <cstdint>
#include <string>

// Every persisted setting, named as its stored value. Qt-free so the engine can read it.
// Colours are 0x00BBGGRR (red in the low byte); keys are Windows virtual-key codes.
struct TSettings
{
    int32_t ColNumber = 9;
    int32_t RowNumber = 17;
    uint8_t NumOfBlock = 5;
    int32_t NumOfColor = 7;
    int32_t BlockWidth = 44;
    int32_t BlockHeight = 37;
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
    uint16_t LeftKey = 100;
    uint16_t RightKey = 102;
    uint16_t DropKey = 98;
    uint16_t RColorKey = 104;
    uint16_t RBlockKey = 101;
    // Stored apart from the values above ("FitToWindow"): the cells take the largest size at which
    // the well and both side columns fit the window, while BlockWidth and BlockHeight keep the last
    // fixed size.
    bool FitToWindow = false;
};

// What the defaults depend on: the screen, the display's colour depth and where the program lives.
struct TDisplayFacts
{
    int ScreenWidth = 1024;
    int ColorDepth = 32;
    std::string ProgramFolder; // ends with a path separator
};
