#pragma once

#include "core/SettingsFields.h"

class TSettingsStore;

// The record from the store, in the field table's order. Any value that cannot be read brings
// back all the defaults; showNext keeps what was read when the failure came after it. A value
// written only once chosen is read on its own: absent, it keeps its default.
void LoadSettings(TSettings& settings, bool& showNext, const TDisplayFacts& display, TSettingsStore& store);

// Writes all 28 values, "Version" first, then in the table's save order. Stops at the first write
// that fails; the values after it keep what the store held. True when every value reached the store.
// A value written only once chosen follows in its place when it differs from its default or is
// already stored.
bool SaveSettings(const TSettings& settings, bool showNext, TSettingsStore& store);
