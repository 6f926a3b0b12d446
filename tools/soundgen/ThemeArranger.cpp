#include "tools/soundgen/ThemeArranger.h"

#include "tools/soundgen/ArpeggioPart.h"
#include "tools/soundgen/Band.h"
#include "tools/soundgen/BassPart.h"
#include "tools/soundgen/ChordTimeline.h"
#include "tools/soundgen/DrumPart.h"
#include "tools/soundgen/MelodyPart.h"
#include "tools/soundgen/PadPart.h"
#include "tools/soundgen/PelmoTheme.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int VolumeController = 7;
constexpr int PanController = 10;
constexpr int ReverbController = 91;
constexpr int ChorusController = 93;

struct Player {
    std::string Name;
    int Channel;
    int Program; // General MIDI program, counted from 0
    int Volume;
    int Pan;
    int Reverb;
    int Chorus;
    std::function<void(MidiTrack&)> Play;
};

MidiTrack ConductorTrack(const ChordTimeline& timeline)
{
    MidiTrack track;
    track.AddTrackName(0, "Pelmo 2000");
    track.AddTempo(0, PelmoTheme::BeatsPerMinute);
    track.AddTimeSignature(0, 4, 4);
    int key = 99;
    for (std::size_t s = 0; s < timeline.Sections().size(); ++s) {
        const Section& section = *timeline.Sections()[s];
        const auto tick = static_cast<std::uint32_t>(timeline.SectionStarts()[s] * Band::TicksPerStep);
        if (section.KeySignature != key) {
            key = section.KeySignature;
            track.AddKeySignature(tick, key, false);
        }
        track.AddMarker(tick, section.Name);
    }
    return track;
}

MidiTrack PlayerTrack(const Player& player)
{
    MidiTrack track;
    track.AddTrackName(0, player.Name);
    track.AddProgramChange(0, player.Channel, player.Program);
    track.AddControlChange(0, player.Channel, VolumeController, player.Volume);
    track.AddControlChange(0, player.Channel, PanController, player.Pan);
    track.AddControlChange(0, player.Channel, ReverbController, player.Reverb);
    track.AddControlChange(0, player.Channel, ChorusController, player.Chorus);
    player.Play(track);
    return track;
}

} // namespace

MidiFile ThemeArranger::Arrange()
{
    const std::vector<Section> sections = PelmoTheme::Sections();
    const ChordTimeline timeline(sections);

    const std::vector<Player> band = {
        {"Lead", Band::LeadChannel, 82, 72, 64, 50, 24,
            [&](MidiTrack& t) { MelodyPart::Write(t, Band::LeadChannel, sections, timeline); }},
        {"Flute", Band::FluteChannel, 73, 73, 60, 64, 0,
            [&](MidiTrack& t) { MelodyPart::Write(t, Band::FluteChannel, sections, timeline); }},
        {"Marimba", Band::MarimbaChannel, 12, 80, 44, 40, 0,
            [&](MidiTrack& t) { ArpeggioPart::Write(t, timeline); }},
        {"Strings", Band::StringsChannel, 48, 36, 84, 72, 30, [&](MidiTrack& t) { PadPart::Write(t, timeline); }},
        {"Bass", Band::BassChannel, 33, 74, 64, 12, 0, [&](MidiTrack& t) { BassPart::Write(t, timeline); }},
        {"Glockenspiel", Band::GlockenspielChannel, 9, 100, 88, 64, 0,
            [&](MidiTrack& t) { MelodyPart::WriteDoubling(t, sections, timeline); }},
        {"Drums", Band::DrumChannel, 0, 75, 64, 32, 0, [&](MidiTrack& t) { DrumPart::Write(t, timeline); }},
    };

    MidiFile file(Band::TicksPerQuarter);
    // Every track ends exactly at the end of the last bar, so the loop comes round in time.
    file.SetLength(static_cast<std::uint32_t>(timeline.TotalSteps() * Band::TicksPerStep));
    file.AddTrack(ConductorTrack(timeline));
    for (const Player& player : band)
        file.AddTrack(PlayerTrack(player));
    return file;
}

double ThemeArranger::LengthInSeconds()
{
    const std::vector<Section> sections = PelmoTheme::Sections();
    const ChordTimeline timeline(sections);
    const double quarters = static_cast<double>(timeline.TotalSteps()) / 4.0;
    return quarters * 60.0 / PelmoTheme::BeatsPerMinute;
}
