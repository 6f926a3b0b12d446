#include "tools/soundgen/PadPart.h"

#include "tools/soundgen/Band.h"
#include "tools/soundgen/ChordTimeline.h"
#include "tools/soundgen/ChordVoicer.h"
#include "tools/soundgen/MidiTrack.h"
#include "tools/soundgen/RandomSource.h"

void PadPart::Write(MidiTrack& track, const ChordTimeline& timeline)
{
    ChordVoicer voicer(52, 62, 55);
    RandomSource random(0x5A0Du);
    for (const ChordTimeline::Span& span : timeline.Spans()) {
        const Section& section = *span.Owner;
        // The strings come forward where the drums step back.
        const int base = 46 + 5 * section.Energy + (section.Groove == DrumGroove::Light ? 8 : 0);
        const auto tick = static_cast<std::uint32_t>(span.Step * Band::TicksPerStep);
        const auto length = static_cast<std::uint32_t>(span.Length * Band::TicksPerStep - 12);
        for (int key : voicer.Voice(span.Chord))
            track.AddNote(tick, length, Band::StringsChannel, key, base + random.Between(-3, 3));
    }
}
