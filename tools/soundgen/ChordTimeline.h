#pragma once

#include "tools/soundgen/ChordSymbol.h"
#include "tools/soundgen/Section.h"

#include <vector>

// The chords of the whole tune laid out in sixteenths, each knowing the chord that follows it
// (the last one is followed by the first, since the tune loops).
class ChordTimeline {
public:
    struct Span {
        int Step;
        int Length;
        ChordSymbol Chord;
        ChordSymbol Next;
        const Section* Owner;
        int Bar;            // bar within its section
        bool EndsSection;
    };

    explicit ChordTimeline(const std::vector<Section>& sections);

    const std::vector<Span>& Spans() const { return AllSpans; }
    // First step of each section, in order.
    const std::vector<int>& SectionStarts() const { return Starts; }
    const std::vector<const Section*>& Sections() const { return Owners; }
    int TotalSteps() const { return Steps; }

private:
    std::vector<Span> AllSpans;
    std::vector<int> Starts;
    std::vector<const Section*> Owners;
    int Steps = 0;
};
