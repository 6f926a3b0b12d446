#pragma once

#include "cellart/ColourTone.h"

// The seven cell colours by colour index, the same in every skin.
class CellHues
{
public:
    static constexpr int Count = 7;
    static QRgb Rgb(int colourIndex);
    static ColourTone Tone(int colourIndex) { return ColourTone::FromRgb(Rgb(colourIndex)); }
};
