#include "tools/soundgen/ChordTimeline.h"

#include "tools/soundgen/Band.h"

#include <sstream>
#include <stdexcept>

ChordTimeline::ChordTimeline(const std::vector<Section>& sections)
{
    for (const Section& section : sections) {
        Starts.push_back(Steps);
        Owners.push_back(&section);
        for (std::size_t bar = 0; bar < section.Chords.size(); ++bar) {
            std::istringstream names(section.Chords[bar]);
            std::vector<std::string> chords;
            for (std::string name; names >> name;)
                chords.push_back(name);
            if (chords.empty() || Band::StepsPerBar % static_cast<int>(chords.size()) != 0)
                throw std::invalid_argument("cannot split a bar into: " + section.Chords[bar]);
            const int length = Band::StepsPerBar / static_cast<int>(chords.size());
            for (std::size_t i = 0; i < chords.size(); ++i) {
                const bool last = bar + 1 == section.Chords.size() && i + 1 == chords.size();
                AllSpans.push_back({Steps, length, ChordSymbol(chords[i]), ChordSymbol(chords[i]), &section,
                    static_cast<int>(bar), last});
                Steps += length;
            }
        }
    }
    for (std::size_t i = 0; i < AllSpans.size(); ++i)
        AllSpans[i].Next = AllSpans[(i + 1) % AllSpans.size()].Chord;
}
