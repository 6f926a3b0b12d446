#pragma once

#include "settings/Settings.h"

#include <array>
#include <cstdint>
#include <string>

// What the Preferences dialog edits: filled from the settings when it opens, handed back as the
// player left the controls when it closes with OK. The game then applies it.
struct TPreferences
{
    enum TAction : int
    {
        MoveLeft = 1,
        MoveRight,
        DropBlock,
        RotateColor,
        RotateBlock,
    };
    static constexpr int ActionCount = 5;

    bool FastDropping = true;
    bool SoundOn = true;
    bool ShowNext = true;
    bool MusicOn = true;
    std::string MusicFile;
    int32_t BlockWidth = 44;
    int32_t BlockHeight = 37;
    uint8_t BlockPicture = 1;
    bool FitToWindow = false; // BlockWidth and BlockHeight then hold the last fixed size
    // As the radio buttons stand: 1 "Use color:", 2 "Use image:", even with an empty path.
    uint8_t InnerMode = 2;
    uint8_t OuterMode = 2;
    uint32_t InnerColor = 0;
    uint32_t OuterColor = 0x808080;
    std::string InnerImage;
    std::string OuterImage;
    bool InnerTile = true;
    bool OuterTile = true;
    // By action (index action - 1). 0 where a list was left without a selection: that binding stays.
    std::array<uint16_t, ActionCount> Keys{100, 102, 98, 104, 101};

    bool operator==(const TPreferences&) const = default;
};

inline TPreferences PreferencesOf(const TSettings& settings, bool showNext)
{
    TPreferences p;
    p.FastDropping = settings.FastDropping;
    p.SoundOn = settings.SoundOn;
    p.ShowNext = showNext;
    p.MusicOn = settings.MusicOn;
    p.MusicFile = settings.MusicFile;
    p.BlockWidth = settings.BlockWidth;
    p.BlockHeight = settings.BlockHeight;
    p.BlockPicture = settings.BlockPicture;
    p.FitToWindow = settings.FitToWindow;
    p.InnerMode = settings.InnerMode;
    p.OuterMode = settings.OuterMode;
    p.InnerColor = settings.InnerColor;
    p.OuterColor = settings.OuterColor;
    p.InnerImage = settings.InnerImage;
    p.OuterImage = settings.OuterImage;
    p.InnerTile = settings.InnerTile;
    p.OuterTile = settings.OuterTile;
    p.Keys = {settings.LeftKey, settings.RightKey, settings.DropKey, settings.RColorKey, settings.RBlockKey};
    return p;
}
