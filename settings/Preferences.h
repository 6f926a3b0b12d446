#pragma once

#include "core/SettingsFields.h"

// What the Preferences dialog edits: filled from the settings when it opens, handed back as the
// player left the controls when it closes with OK. The game then applies the fields the table
// marks as the dialog's.
struct TPreferences
{
    // The dialog's numbering of the five actions, in the order of ActionKeys.
    enum TAction : int
    {
        MoveLeft = 1,
        MoveRight,
        DropBlock,
        RotateColor,
        RotateBlock,
    };

    TSettings Settings;
    bool ShowNext = TPreviewShowNext::AtStart; // the preview's

    bool operator==(const TPreferences&) const = default;
};

inline TPreferences PreferencesOf(const TSettings& settings, bool showNext)
{
    return {settings, showNext};
}

// What "&Default" shows: the settings' defaults, except that it offers the solid 256-colour skin
// whatever the colour depth.
inline TPreferences DefaultPreferences(const TDisplayFacts& display)
{
    TPreferences defaults{DefaultSettings(display), TPreviewShowNext::AtStart};
    defaults.Settings.BlockPicture = TSettings{}.BlockPicture;
    return defaults;
}
