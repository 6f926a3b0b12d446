#include "tools/soundgen/ArpeggioPart.h"

#include "tools/soundgen/Band.h"
#include "tools/soundgen/ChordTimeline.h"
#include "tools/soundgen/ChordVoicer.h"
#include "tools/soundgen/MidiTrack.h"
#include "tools/soundgen/RandomSource.h"

#include <array>

namespace {

const char* RhythmOf(ArpeggioRhythm rhythm)
{
    switch (rhythm) {
    case ArpeggioRhythm::Eighths: return "x.x.x.x.x.x.x.x.";
    case ArpeggioRhythm::Gallop: return "x.xxx.xxx.xxx.xx";
    case ArpeggioRhythm::Run: return "xxxxxxxxxxxxxxxx";
    }
    return "x...x...x...x...";
}

} // namespace

void ArpeggioPart::Write(MidiTrack& track, const ChordTimeline& timeline)
{
    // Up and back down through the four notes of the voicing.
    constexpr std::array<int, 6> Order = {0, 1, 2, 3, 2, 1};
    ChordVoicer voicer(57, 68, 60);
    RandomSource random(0xA4E6u);
    for (const ChordTimeline::Span& span : timeline.Spans()) {
        const Section& section = *span.Owner;
        const std::vector<int> notes = voicer.Voice(span.Chord);
        const char* rhythm = RhythmOf(section.Arpeggio);
        const std::uint32_t length = section.Arpeggio == ArpeggioRhythm::Eighths ? 210 : 100;
        std::size_t played = 0;
        for (int s = 0; s < span.Length; ++s) {
            const int step = span.Step + s;
            const int stepInBar = step % Band::StepsPerBar;
            if (rhythm[stepInBar] != 'x')
                continue;
            const int key = notes[Order[played++ % Order.size()]];
            const int velocity = 64 + 4 * section.Energy + Band::BeatAccent(stepInBar) + random.Between(-4, 4);
            track.AddNote(static_cast<std::uint32_t>(step * Band::TicksPerStep), length, Band::MarimbaChannel, key,
                velocity);
        }
    }
}
