#pragma once

#include "settings/Settings.h"

class TSettingsStore;

struct TCellPixels
{
    int32_t Width;
    int32_t Height;
};

// Large cells from 1024 pixels of screen width, small ones below 800, medium in between.
TCellPixels DefaultCellSize(int screenWidth);

// Every field to its default. The preview's ShowNext is not part of the record and is left alone.
void LoadDefaultSettings(TSettings& settings, const TDisplayFacts& display);

// The record from the store. Any value that cannot be read brings back all the defaults;
// showNext keeps what was read when the failure came after it.
void LoadSettings(TSettings& settings, bool& showNext, const TDisplayFacts& display, TSettingsStore& store);

// Writes all 28 values, "Version" first, then "FitToWindow" when it is on or
// was stored before. Stops at the first write that fails; the values after it
// keep what the store held. True when every value reached the store.
bool SaveSettings(const TSettings& settings, bool showNext, TSettingsStore& store);

// Brings stored values that the program never writes itself back into the ranges the
// engine and the drawing index with.
void ClampStoredSettings(TSettings& settings, const TDisplayFacts& display);
