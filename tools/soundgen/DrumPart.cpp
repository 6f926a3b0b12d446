#include "tools/soundgen/DrumPart.h"

#include "tools/soundgen/Band.h"
#include "tools/soundgen/ChordTimeline.h"
#include "tools/soundgen/MidiTrack.h"
#include "tools/soundgen/RandomSource.h"

#include <algorithm>
#include <vector>

namespace {

enum Drum {
    Kick = 36,
    SideStick = 37,
    Snare = 38,
    Clap = 39,
    ClosedHat = 42,
    OpenHat = 46,
    Crash = 49,
    Ride = 51,
    Tambourine = 54,
    Maracas = 70,
    LowTom = 45,
    LowMidTom = 47,
    HighMidTom = 48,
    HighTom = 50,
};

// One instrument's sixteen steps: 'X' accented, 'x' normal, 'o' ghosted, '.' silent.
struct DrumLine {
    int Key;
    const char* Steps;
    double Level;
};

std::vector<DrumLine> GrooveOf(DrumGroove groove)
{
    switch (groove) {
    case DrumGroove::Intro:
        return {{Kick, "X.......X.......", 0.95}, {ClosedHat, "x.x.x.x.x.x.x.x.", 0.6},
            {Maracas, "xoooxoooxoooxooo", 0.55}};
    case DrumGroove::Main:
        return {{Kick, "X.....x.X.x.....", 1.0}, {Snare, "....X.......X...", 0.92},
            {ClosedHat, "x.x.x.x.x.x.x.x.", 0.7}};
    case DrumGroove::Lifted:
        return {{Kick, "X.....x.X.x.....", 1.0}, {Snare, "....X.......X..o", 0.92},
            {ClosedHat, "x.x.x...x.x.x...", 0.7}, {OpenHat, "......x.......x.", 0.6},
            {Tambourine, "....x.......x...", 0.5}};
    case DrumGroove::Light:
        return {{Kick, "X.........x.....", 0.9}, {SideStick, "....x.......x...", 0.8},
            {Ride, "x.x.x.x.x.x.x.x.", 0.55}, {Maracas, "xoooxoooxoooxooo", 0.5}};
    case DrumGroove::Drive:
        return {{Kick, "X...X...X...X...", 1.0}, {Snare, "....X.......X...", 0.92},
            {Clap, "....x.......x...", 0.65}, {ClosedHat, "xo.oxo.oxo.oxo.o", 0.6},
            {OpenHat, "..x...x...x...x.", 0.5}};
    }
    return {};
}

// A fill takes over the end of a section's last bar, from its first step on.
struct Fill {
    int FirstStep;
    std::vector<DrumLine> Lines;
};

Fill FillOf(DrumFill fill)
{
    switch (fill) {
    case DrumFill::None:
        return {Band::StepsPerBar, {}};
    case DrumFill::Short:
        return {12, {{Kick, "............x...", 0.9}, {Snare, "............xo..", 0.9},
                        {HighTom, "..............x.", 0.85}, {LowMidTom, "...............x", 0.9}}};
    case DrumFill::Long:
        return {8, {{Kick, "........x...x.x.", 0.9}, {Snare, "........Xo.....x", 0.9},
                       {HighTom, "..........xo....", 0.85}, {HighMidTom, "............x...", 0.9},
                       {LowMidTom, ".............x..", 0.9}, {LowTom, "..............X.", 0.95}}};
    }
    return {Band::StepsPerBar, {}};
}

int VelocityOf(char mark)
{
    switch (mark) {
    case 'X': return 112;
    case 'x': return 92;
    case 'o': return 56;
    default: return 0;
    }
}

} // namespace

void DrumPart::Write(MidiTrack& track, const ChordTimeline& timeline)
{
    RandomSource random(0xD2D2u);
    constexpr std::uint32_t HitLength = 60;
    auto hit = [&](int step, int key, char mark, double level, int energy) {
        if (VelocityOf(mark) == 0)
            return;
        const int velocity = static_cast<int>(VelocityOf(mark) * level) + 2 * energy + random.Between(-5, 5);
        track.AddNote(static_cast<std::uint32_t>(step * Band::TicksPerStep), HitLength, Band::DrumChannel, key,
            std::clamp(velocity, 1, 127));
    };

    const std::vector<int>& starts = timeline.SectionStarts();
    for (std::size_t s = 0; s < starts.size(); ++s) {
        const int first = starts[s];
        const int end = s + 1 < starts.size() ? starts[s + 1] : timeline.TotalSteps();
        const Section* section = timeline.Sections()[s];
        const std::vector<DrumLine> groove = GrooveOf(section->Groove);
        const Fill fill = FillOf(section->Fill);
        const int lastBarStart = end - Band::StepsPerBar;

        if (section->CrashOnEntry)
            hit(first, Crash, section->Energy == 0 ? 'x' : 'X', section->Energy == 0 ? 0.8 : 0.95, section->Energy);
        for (int step = first; step < end; ++step) {
            const int stepInBar = (step - first) % Band::StepsPerBar;
            const bool filling = step >= lastBarStart && stepInBar >= fill.FirstStep;
            for (const DrumLine& line : filling ? fill.Lines : groove)
                hit(step, line.Key, line.Steps[stepInBar], line.Level, section->Energy);
        }
    }
}
