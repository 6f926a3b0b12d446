// Writes the game's sound effects and default music into the folder named on the command line.
// The files are committed with the game; the game itself never runs this program.

#include "tools/soundgen/DissolveSound.h"
#include "tools/soundgen/DropSound.h"
#include "tools/soundgen/MoveSound.h"
#include "tools/soundgen/RotateSound.h"
#include "tools/soundgen/ThemeArranger.h"
#include "tools/soundgen/WavWriter.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace {

struct Effect {
    const char* FileName;
    std::function<StereoBuffer()> Render;
    double PeakDecibels;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";

    // Peaks set by ear against each other: the tick that sounds at every key press sits lowest.
    const Effect effects[] = {
        {"rotate.wav", RotateSound::Render, -7.0},
        {"move.wav", MoveSound::Render, -4.0},
        {"drop.wav", DropSound::Render, -3.0},
        {"disapp.wav", DissolveSound::Render, -3.0},
    };

    try {
        for (const Effect& effect : effects) {
            StereoBuffer sound = effect.Render();
            sound.NormaliseToPeak(effect.PeakDecibels);
            const std::string path = folder + effect.FileName;
            if (!WavWriter::Write(path, sound)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%-12s %.3f s, peak %.1f dBFS\n", effect.FileName, sound.Seconds(),
                20.0 * std::log10(sound.Peak()));
        }

        const std::string musicPath = folder + "pelmo2000.mid";
        if (!ThemeArranger::Arrange().Write(musicPath)) {
            std::fprintf(stderr, "cannot write %s\n", musicPath.c_str());
            return 1;
        }
        std::printf("%-12s %.1f s\n", "pelmo2000.mid", ThemeArranger::LengthInSeconds());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "soundgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
