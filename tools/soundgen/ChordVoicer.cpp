#include "tools/soundgen/ChordVoicer.h"

#include <cstdlib>
#include <limits>

ChordVoicer::ChordVoicer(int lowest, int highest, int startNear)
    : Lowest(lowest), Highest(highest), StartNear(startNear)
{
}

std::vector<int> ChordVoicer::Voice(const ChordSymbol& chord)
{
    const std::vector<int>& classes = chord.PitchClasses();
    std::vector<int> best;
    int bestCost = std::numeric_limits<int>::max();
    for (std::size_t inversion = 0; inversion < classes.size(); ++inversion) {
        for (int bass = Lowest; bass <= Highest; ++bass) {
            if (bass % 12 != classes[inversion])
                continue;
            std::vector<int> notes = {bass};
            for (std::size_t k = 1; k < classes.size(); ++k) {
                int note = notes.back() + 1;
                while (note % 12 != classes[(inversion + k) % classes.size()])
                    ++note;
                notes.push_back(note);
            }
            if (notes.size() == 3)
                notes.push_back(bass + 12);

            int cost = 0;
            if (Previous.empty()) {
                cost = std::abs(bass - StartNear);
            } else {
                for (std::size_t v = 0; v < notes.size(); ++v)
                    cost += std::abs(notes[v] - Previous[v]);
            }
            if (cost < bestCost) {
                bestCost = cost;
                best = notes;
            }
        }
    }
    Previous = best;
    return best;
}
