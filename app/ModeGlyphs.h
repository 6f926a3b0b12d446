#pragma once

#include "core/GameModes.h"

// The 16 x 16 pictures of the seven mode commands, shared by their menu items and buttons.
inline constexpr const char* ModeGlyphs[ModeCount] = {"single", "duo", "trio", "column", "quartet", "row", "pelmo"};
