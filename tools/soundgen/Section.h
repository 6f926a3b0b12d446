#pragma once

#include <string>
#include <vector>

enum class DrumGroove { Intro, Main, Lifted, Light, Drive };
enum class BassStyle { Long, Bounce, Pump };
enum class ArpeggioRhythm { Eighths, Gallop, Run };
enum class DrumFill { None, Short, Long };

// One passage of the tune and how the band plays it.
struct Section {
    std::string Name;
    int KeySignature = 0; // sharps, or flats when negative
    // One entry per bar; "Dm G" splits the bar between two chords.
    std::vector<std::string> Chords;
    std::string Melody; // empty when no one sings the tune
    int MelodyChannel = -1;
    int MelodyVelocity = 90;
    bool Glockenspiel = false; // doubles the tune an octave up
    DrumGroove Groove = DrumGroove::Main;
    DrumFill Fill = DrumFill::None;
    bool CrashOnEntry = false;
    BassStyle Bass = BassStyle::Bounce;
    ArpeggioRhythm Arpeggio = ArpeggioRhythm::Gallop;
    int Energy = 1; // 0 (quiet) to 3 (full); lifts the accompaniment's velocities
};
