#include "tools/soundgen/BassPart.h"

#include "tools/soundgen/Band.h"
#include "tools/soundgen/ChordTimeline.h"
#include "tools/soundgen/MidiTrack.h"
#include "tools/soundgen/RandomSource.h"

#include <vector>

namespace {

enum class Role { Root, Octave, Fifth, Approach };

struct BassNote {
    int Step;
    int Length;
    Role Plays;
};

std::vector<BassNote> PatternOf(BassStyle style, int spanLength)
{
    const bool wholeBar = spanLength >= Band::StepsPerBar;
    switch (style) {
    case BassStyle::Long:
        if (wholeBar)
            return {{0, 6, Role::Root}, {6, 2, Role::Fifth}, {8, 6, Role::Octave}, {14, 2, Role::Approach}};
        return {{0, 6, Role::Root}, {6, 2, Role::Approach}};
    case BassStyle::Bounce:
        if (wholeBar)
            return {{0, 3, Role::Root}, {3, 1, Role::Root}, {6, 2, Role::Octave}, {8, 2, Role::Fifth},
                {10, 2, Role::Root}, {12, 2, Role::Octave}, {14, 2, Role::Approach}};
        return {{0, 3, Role::Root}, {3, 1, Role::Root}, {6, 2, Role::Approach}};
    case BassStyle::Pump:
        if (wholeBar)
            return {{0, 2, Role::Root}, {2, 2, Role::Octave}, {4, 2, Role::Root}, {6, 2, Role::Octave},
                {8, 2, Role::Root}, {10, 2, Role::Octave}, {12, 2, Role::Root}, {14, 2, Role::Approach}};
        return {{0, 2, Role::Root}, {2, 2, Role::Octave}, {4, 2, Role::Root}, {6, 2, Role::Approach}};
    }
    return {{0, spanLength, Role::Root}};
}

// Roots sit between B1 and A#2, the warm middle of a bass guitar.
int BassRoot(int pitchClass)
{
    return 35 + ((pitchClass - 35) % 12 + 12) % 12;
}

int ApproachNote(int root, const ChordSymbol& next)
{
    if (next.Root() == root % 12)
        return root - 5; // the fifth below, back onto the same root
    return BassRoot(next.Root()) - 1; // a leading note into the next root
}

} // namespace

void BassPart::Write(MidiTrack& track, const ChordTimeline& timeline)
{
    RandomSource random(0xBA55u);
    for (const ChordTimeline::Span& span : timeline.Spans()) {
        const Section& section = *span.Owner;
        const int root = BassRoot(span.Chord.Root());
        for (const BassNote& note : PatternOf(section.Bass, span.Length)) {
            int key = root;
            switch (note.Plays) {
            case Role::Root: key = root; break;
            case Role::Octave: key = root + 12; break;
            case Role::Fifth: key = root + 7; break;
            case Role::Approach: key = ApproachNote(root, span.Next); break;
            }
            const int step = span.Step + note.Step;
            const int velocity = 86 + 3 * section.Energy + Band::BeatAccent(step % Band::StepsPerBar)
                + (note.Plays == Role::Root ? 4 : 0) + random.Between(-3, 3);
            const int ticks = note.Length * Band::TicksPerStep;
            track.AddNote(static_cast<std::uint32_t>(step * Band::TicksPerStep),
                static_cast<std::uint32_t>(ticks - (note.Length > 1 ? 24 : 14)), Band::BassChannel, key, velocity);
        }
    }
}
