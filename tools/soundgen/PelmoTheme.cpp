#include "tools/soundgen/PelmoTheme.h"

#include "tools/soundgen/Band.h"

namespace {

const char* const ThemeOpening =
    "e5:2 g5:2 c6:4 b5:2 c6:2 g5:4 | a5:6 g5:2 e5:4 c5:4 | "
    "f5:2 a5:2 c6:4 a5:2 f5:2 a5:4 | g5:6 f5:2 e5:2 d5:2 b4:4 | ";

const char* const ThemeAnswer =
    "e5:2 g5:2 c6:4 b5:2 c6:2 e6:4 | d6:2 c6:2 a5:4 e5:4 a5:4 | ";

Section Intro()
{
    Section section;
    section.Name = "Intro";
    section.Chords = {"C", "Am", "F", "G"};
    section.Groove = DrumGroove::Intro;
    section.Fill = DrumFill::Short;
    section.CrashOnEntry = true;
    section.Bass = BassStyle::Long;
    section.Arpeggio = ArpeggioRhythm::Gallop;
    section.Energy = 0;
    return section;
}

Section Theme()
{
    Section section;
    section.Name = "Theme";
    section.Chords = {"C", "Am", "F", "G", "C", "Am", "Dm G", "C"};
    section.Melody = std::string(ThemeOpening) + ThemeAnswer + "f5:2 a5:2 d6:2 c6:2 b5:2 g5:2 d5:2 f5:2 | e5:6 d5:2 c5:4 r:4";
    section.MelodyChannel = Band::LeadChannel;
    section.MelodyVelocity = 92;
    section.Groove = DrumGroove::Main;
    section.Fill = DrumFill::Short;
    section.CrashOnEntry = true;
    section.Bass = BassStyle::Bounce;
    section.Arpeggio = ArpeggioRhythm::Gallop;
    section.Energy = 1;
    return section;
}

Section ThemeVariation()
{
    Section section;
    section.Name = "Theme variation";
    section.Chords = {"C", "Am", "F", "G", "Em", "Am", "Dm G", "C"};
    section.Melody = std::string(ThemeOpening) +
        "g5:2 b5:2 e6:4 d6:2 b5:2 g5:4 | a5:2 c6:2 e6:4 d6:2 c6:2 a5:4 | "
        "f5:4 a5:2 c6:2 b5:4 g5:2 b5:2 | c6:12 r:4";
    section.MelodyChannel = Band::LeadChannel;
    section.MelodyVelocity = 96;
    section.Groove = DrumGroove::Lifted;
    section.Fill = DrumFill::Short;
    section.Bass = BassStyle::Bounce;
    section.Arpeggio = ArpeggioRhythm::Run;
    section.Energy = 2;
    return section;
}

Section Interlude()
{
    Section section;
    section.Name = "Interlude";
    section.Chords = {"F", "G", "Em", "Am", "Dm7", "G7", "Fmaj7", "Bb7"};
    section.Melody =
        "r:2 a5:2 c6:2 a5:2 g5:4 f5:4 | r:2 b5:2 d6:2 b5:2 a5:4 g5:4 | "
        "r:2 g5:2 b5:2 g5:2 e6:6 d6:2 | c6:10 b5:2 a5:4 | "
        "r:2 f5:2 a5:2 d6:2 c6:4 a5:4 | r:2 g5:2 b5:2 d6:2 f6:4 d6:4 | "
        "e6:6 d6:2 c6:4 a5:4 | d6:4 bb5:2 f5:2 ab5:4 g5:4";
    section.MelodyChannel = Band::FluteChannel;
    section.MelodyVelocity = 90;
    section.Groove = DrumGroove::Light;
    section.Fill = DrumFill::Long;
    section.CrashOnEntry = true;
    section.Bass = BassStyle::Long;
    section.Arpeggio = ArpeggioRhythm::Eighths;
    section.Energy = 1;
    return section;
}

Section Lift()
{
    Section section;
    section.Name = "Lift";
    section.KeySignature = -3;
    section.Chords = {"Eb", "Cm", "Ab", "Bb", "Eb", "Cm", "Ab", "G7"};
    section.Melody =
        "g5:2 bb5:2 eb6:4 d6:2 eb6:2 bb5:4 | c6:6 bb5:2 g5:4 eb5:4 | "
        "ab5:2 c6:2 eb6:4 c6:2 ab5:2 c6:4 | bb5:6 ab5:2 g5:2 f5:2 d5:4 | "
        "g5:2 bb5:2 eb6:4 d6:2 eb6:2 g6:4 | f6:2 eb6:2 c6:4 g5:4 c6:4 | "
        "eb6:4 c6:4 ab5:4 c6:4 | f6:6 d6:2 b5:4 g5:4";
    section.MelodyChannel = Band::LeadChannel;
    section.MelodyVelocity = 100;
    section.Groove = DrumGroove::Drive;
    section.Fill = DrumFill::Long;
    section.CrashOnEntry = true;
    section.Bass = BassStyle::Pump;
    section.Arpeggio = ArpeggioRhythm::Run;
    section.Energy = 3;
    return section;
}

Section Reprise()
{
    Section section;
    section.Name = "Theme reprise";
    section.Chords = {"C", "Am", "F", "G", "C", "Am", "Dm7", "G7"};
    section.Melody = std::string(ThemeOpening) + ThemeAnswer +
        "f5:2 a5:2 c6:2 a5:2 d6:4 c6:4 | b5:2 a5:2 g5:2 f5:2 e5:2 d5:2 b4:4";
    section.MelodyChannel = Band::LeadChannel;
    section.MelodyVelocity = 102;
    section.Glockenspiel = true;
    section.Groove = DrumGroove::Lifted;
    section.Fill = DrumFill::Long;
    section.CrashOnEntry = true;
    section.Bass = BassStyle::Bounce;
    section.Arpeggio = ArpeggioRhythm::Run;
    section.Energy = 3;
    return section;
}

} // namespace

std::vector<Section> PelmoTheme::Sections()
{
    return {Intro(), Theme(), ThemeVariation(), Interlude(), Lift(), Reprise()};
}
