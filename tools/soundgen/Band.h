#pragma once

// The General MIDI channels of the tune. Drums are on the tenth channel.
namespace Band {
constexpr int LeadChannel = 0;
constexpr int FluteChannel = 1;
constexpr int MarimbaChannel = 2;
constexpr int StringsChannel = 3;
constexpr int BassChannel = 4;
constexpr int GlockenspielChannel = 5;
constexpr int DrumChannel = 9;

constexpr int TicksPerQuarter = 480;
constexpr int StepsPerBar = 16;
constexpr int TicksPerStep = TicksPerQuarter / 4;
constexpr int TicksPerBar = TicksPerStep * StepsPerBar;
} // namespace Band

namespace Band {
// A little extra weight on the strong parts of the bar: the downbeat most, then the beats,
// then the off-beat eighths.
inline int BeatAccent(int stepInBar)
{
    if (stepInBar == 0)
        return 6;
    if (stepInBar % 4 == 0)
        return 4;
    return stepInBar % 2 == 0 ? 1 : 0;
}
} // namespace Band
