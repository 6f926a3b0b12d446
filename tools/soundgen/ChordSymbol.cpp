#include "tools/soundgen/ChordSymbol.h"

#include <stdexcept>

namespace {

int NaturalPitchClass(char letter)
{
    switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: throw std::invalid_argument(std::string("not a chord root: ") + letter);
    }
}

} // namespace

ChordSymbol::ChordSymbol(const std::string& text)
{
    if (text.empty())
        throw std::invalid_argument("empty chord symbol");
    std::size_t position = 0;
    RootPitchClass = NaturalPitchClass(text[position++]);
    if (position < text.size() && (text[position] == 'b' || text[position] == '#'))
        RootPitchClass = (RootPitchClass + (text[position++] == '#' ? 1 : 11)) % 12;

    const std::string quality = text.substr(position);
    std::vector<int> intervals;
    if (quality.empty())
        intervals = {0, 4, 7};
    else if (quality == "m")
        intervals = {0, 3, 7};
    else if (quality == "7")
        intervals = {0, 4, 7, 10};
    else if (quality == "m7")
        intervals = {0, 3, 7, 10};
    else if (quality == "maj7")
        intervals = {0, 4, 7, 11};
    else
        throw std::invalid_argument("unknown chord quality in " + text);

    for (int interval : intervals)
        Classes.push_back((RootPitchClass + interval) % 12);
}
