#include "tools/soundgen/MelodyPart.h"

#include "tools/soundgen/Band.h"
#include "tools/soundgen/ChordTimeline.h"
#include "tools/soundgen/MelodyLine.h"
#include "tools/soundgen/MidiTrack.h"
#include "tools/soundgen/RandomSource.h"
#include "tools/soundgen/Section.h"

#include <algorithm>
#include <stdexcept>

namespace {

MelodyLine LineOf(const Section& section)
{
    MelodyLine line(section.Melody, Band::StepsPerBar);
    if (line.Bars() != static_cast<int>(section.Chords.size()))
        throw std::invalid_argument("the tune of " + section.Name + " does not fit its chords");
    return line;
}

} // namespace

void MelodyPart::Write(MidiTrack& track, int channel, const std::vector<Section>& sections,
    const ChordTimeline& timeline)
{
    RandomSource random(0x3E10u + static_cast<std::uint32_t>(channel));
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        if (section.Melody.empty() || section.MelodyChannel != channel)
            continue;
        const int start = timeline.SectionStarts()[s];
        const MelodyLine line = LineOf(section);
        for (const MelodyLine::Note& note : line.Notes()) {
            const int written = note.Length * Band::TicksPerStep;
            // The lead is played a little detached so that repeated figures bounce; the flute
            // breathes only briefly between notes.
            const int gap = channel == Band::LeadChannel ? std::min(48, written / 4) : 16;
            const int velocity = section.MelodyVelocity + Band::BeatAccent(note.Step % Band::StepsPerBar)
                + (note.Length >= 6 ? 4 : 0) + random.Between(-3, 3);
            track.AddNote(static_cast<std::uint32_t>((start + note.Step) * Band::TicksPerStep),
                static_cast<std::uint32_t>(written - gap), channel, note.Key, velocity);
        }
    }
}

void MelodyPart::WriteDoubling(MidiTrack& track, const std::vector<Section>& sections, const ChordTimeline& timeline)
{
    RandomSource random(0x6C0Cu);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        if (section.Melody.empty() || !section.Glockenspiel)
            continue;
        const int start = timeline.SectionStarts()[s];
        const MelodyLine line = LineOf(section);
        for (const MelodyLine::Note& note : line.Notes()) {
            const int written = note.Length * Band::TicksPerStep;
            const int velocity = 78 + Band::BeatAccent(note.Step % Band::StepsPerBar) + random.Between(-3, 3);
            track.AddNote(static_cast<std::uint32_t>((start + note.Step) * Band::TicksPerStep),
                static_cast<std::uint32_t>(std::min(written - 10, 360)), Band::GlockenspielChannel, note.Key + 12,
                velocity);
        }
    }
}
