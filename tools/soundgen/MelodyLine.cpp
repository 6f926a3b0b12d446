#include "tools/soundgen/MelodyLine.h"

#include <sstream>
#include <stdexcept>

MelodyLine::MelodyLine(const std::string& text, int stepsPerBar)
{
    std::istringstream bars(text);
    std::string bar;
    int barStart = 0;
    while (std::getline(bars, bar, '|')) {
        std::istringstream tokens(bar);
        std::string token;
        int step = barStart;
        while (tokens >> token) {
            const std::size_t colon = token.find(':');
            if (colon == std::string::npos)
                throw std::invalid_argument("note without length: " + token);
            const std::string name = token.substr(0, colon);
            const int length = std::stoi(token.substr(colon + 1));
            if (length <= 0)
                throw std::invalid_argument("note of no length: " + token);
            if (name != "r")
                Parsed.push_back({step, length, KeyFromName(name)});
            step += length;
        }
        if (step - barStart != stepsPerBar) {
            throw std::invalid_argument("bar " + std::to_string(BarCount + 1) + " has " +
                std::to_string(step - barStart) + " sixteenths: " + bar);
        }
        barStart = step;
        ++BarCount;
    }
}

int MelodyLine::KeyFromName(const std::string& name)
{
    static const int Naturals[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (name.size() < 2 || name[0] < 'a' || name[0] > 'g')
        throw std::invalid_argument("bad note name: " + name);
    int pitchClass = Naturals[name[0] - 'a'];
    std::size_t position = 1;
    if (name[position] == '#' || (name[position] == 'b' && name.size() > 2)) {
        pitchClass += name[position] == '#' ? 1 : -1;
        ++position;
    }
    const int octave = std::stoi(name.substr(position));
    return 12 * (octave + 1) + pitchClass;
}
