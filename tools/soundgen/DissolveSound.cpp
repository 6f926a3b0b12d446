#include "tools/soundgen/DissolveSound.h"

#include "tools/soundgen/Biquad.h"
#include "tools/soundgen/Envelope.h"
#include "tools/soundgen/RandomSource.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double Length = 0.47;

struct Partial {
    double Ratio;
    double Amplitude;
    double TimeConstant;
};

// The modes of a small free metal bar: a glockenspiel-like chime.
constexpr std::array<Partial, 4> ChimePartials = {{
    {1.0, 1.0, 0.12},
    {2.756, 0.32, 0.05},
    {5.404, 0.12, 0.022},
    {8.933, 0.05, 0.012},
}};

void AddChime(StereoBuffer& sound, double start, double frequency, double amplitude, double pan)
{
    const int first = static_cast<int>(start * StereoBuffer::SampleRate);
    // The right channel is detuned a hair, which makes the chime shimmer across the stereo field.
    for (int i = first; i < sound.Frames(); ++i) {
        const double t = static_cast<double>(i - first) / StereoBuffer::SampleRate;
        double left = 0.0;
        double right = 0.0;
        for (const Partial& partial : ChimePartials) {
            const double level = partial.Amplitude * Envelope::Percussive(t, 0.0012, partial.TimeConstant);
            const double omega = 2.0 * std::numbers::pi * frequency * partial.Ratio * t;
            left += level * std::sin(omega);
            right += level * std::sin(omega * 1.0028);
        }
        const double leftGain = std::cos(pan * std::numbers::pi / 2.0) * std::numbers::sqrt2;
        const double rightGain = std::sin(pan * std::numbers::pi / 2.0) * std::numbers::sqrt2;
        sound.Add(i, amplitude * leftGain * left, amplitude * rightGain * right);
    }
}

void AddSparkles(StereoBuffer& sound, RandomSource& random)
{
    // Tiny high pings in the same chord, thinning out towards the end.
    constexpr std::array<double, 5> Pitches = {3135.96, 4186.01, 5274.04, 6271.93, 8372.02};
    constexpr int Count = 90;
    for (int n = 0; n < Count; ++n) {
        const double start = 0.04 + 0.38 * std::pow(random.Unit(), 1.4);
        const double frequency = Pitches[random.Between(0, static_cast<int>(Pitches.size()) - 1)]
            * (1.0 + 0.004 * random.Bipolar());
        const double fading = 1.0 - start / Length;
        const double amplitude = 0.22 * (0.5 + 0.5 * random.Unit()) * fading * fading;
        const double pan = 0.15 + 0.7 * random.Unit();
        const double timeConstant = 0.006 + 0.012 * random.Unit();
        const int first = static_cast<int>(start * StereoBuffer::SampleRate);
        const int last = first + static_cast<int>(8.0 * timeConstant * StereoBuffer::SampleRate);
        for (int i = first; i < last && i < sound.Frames(); ++i) {
            const double t = static_cast<double>(i - first) / StereoBuffer::SampleRate;
            const double value = amplitude * std::sin(2.0 * std::numbers::pi * frequency * t)
                * Envelope::Percussive(t, 0.0015, timeConstant);
            sound.AddPanned(i, value, pan);
        }
    }
}

void AddAir(StereoBuffer& sound, RandomSource& random)
{
    Biquad left;
    Biquad right;
    left.SetHighPass(6500.0, 0.7);
    right.SetHighPass(6500.0, 0.7);
    for (int i = 0; i < sound.Frames(); ++i) {
        const double t = static_cast<double>(i) / StereoBuffer::SampleRate;
        const double level = 0.08 * Envelope::Attack(t, 0.05) * Envelope::Decay(t - 0.05, 0.11);
        sound.Add(i, level * left.Process(random.Bipolar()), level * right.Process(random.Bipolar()));
    }
}

} // namespace

StereoBuffer DissolveSound::Render()
{
    StereoBuffer sound(Length);
    RandomSource random(0xD155u);

    // C major arpeggio, one note every 26 ms, so the run is over within the dissolve animation.
    struct Note {
        double Frequency;
        double Amplitude;
        double Pan;
    };
    constexpr std::array<Note, 5> Run = {{
        {1046.50, 1.00, 0.38},
        {1318.51, 0.90, 0.60},
        {1567.98, 0.82, 0.42},
        {2093.00, 0.70, 0.64},
        {2637.02, 0.62, 0.50},
    }};
    for (std::size_t n = 0; n < Run.size(); ++n)
        AddChime(sound, 0.026 * static_cast<double>(n), Run[n].Frequency, Run[n].Amplitude, Run[n].Pan);
    AddSparkles(sound, random);
    AddAir(sound, random);

    sound.RemoveDcOffset(15.0);
    sound.FadeIn(0.001);
    sound.FadeOut(0.06);
    return sound;
}
