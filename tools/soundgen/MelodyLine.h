#pragma once

#include <string>
#include <vector>

// A melody written as bars of notes, e.g. "e5:2 g5:2 c6:4 b5:2 c6:2 g5:4 | a5:6 ...".
// Each note is a name with octave (c4 is middle C, sharps "#", flats "b") or "r" for a rest,
// and its length in sixteenths. Every bar must add up to exactly one bar.
class MelodyLine {
public:
    struct Note {
        int Step;   // sixteenths from the start of the line
        int Length; // sixteenths
        int Key;    // MIDI key
    };

    MelodyLine(const std::string& text, int stepsPerBar);

    const std::vector<Note>& Notes() const { return Parsed; }
    int Bars() const { return BarCount; }

    static int KeyFromName(const std::string& name);

private:
    std::vector<Note> Parsed;
    int BarCount = 0;
};
