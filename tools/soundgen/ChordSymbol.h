#pragma once

#include <string>
#include <vector>

// A chord written as in a lead sheet: "C", "Am", "G7", "Dm7", "Bb", "Fmaj7".
class ChordSymbol {
public:
    explicit ChordSymbol(const std::string& text);

    int Root() const { return RootPitchClass; }
    // Pitch classes (0 = C) from the root upwards: three for a triad, four for a seventh chord.
    const std::vector<int>& PitchClasses() const { return Classes; }
    int Fifth() const { return (RootPitchClass + 7) % 12; }

private:
    int RootPitchClass = 0;
    std::vector<int> Classes;
};
