#include "tools/soundgen/MoveSound.h"

#include "tools/soundgen/Biquad.h"
#include "tools/soundgen/Envelope.h"
#include "tools/soundgen/RandomSource.h"

#include <cmath>
#include <numbers>

StereoBuffer MoveSound::Render()
{
    // Noise through a band-pass whose centre sweeps upwards, travelling from left to right,
    // with a faint rising tone under it so the turn feels playful rather than windy.
    constexpr double Length = 0.19;
    StereoBuffer sound(Length);
    RandomSource noise(0x5ED1u);
    Biquad sweepLeft;
    Biquad sweepRight;
    Biquad airLeft;
    Biquad airRight;

    double tonePhase = 0.0;
    for (int i = 0; i < sound.Frames(); ++i) {
        const double t = static_cast<double>(i) / StereoBuffer::SampleRate;
        const double progress = t / Length;
        const double centre = 650.0 * std::pow(4800.0 / 650.0, progress);
        sweepLeft.SetBandPass(centre, 2.2);
        sweepRight.SetBandPass(centre * 1.06, 2.2);
        airLeft.SetBandPass(centre * 2.1, 3.0);
        airRight.SetBandPass(centre * 2.2, 3.0);

        const double envelope = Envelope::Hump(t, 0.055, Length);
        const double whiteLeft = noise.Bipolar();
        const double whiteRight = noise.Bipolar();
        const double swishLeft = sweepLeft.Process(whiteLeft) + 0.4 * airLeft.Process(whiteLeft);
        const double swishRight = sweepRight.Process(whiteRight) + 0.4 * airRight.Process(whiteRight);

        const double toneFrequency = 560.0 * std::pow(2.0, progress);
        tonePhase += 2.0 * std::numbers::pi * toneFrequency / StereoBuffer::SampleRate;
        const double tone = 0.09 * std::sin(tonePhase) * Envelope::Hump(t, 0.04, Length * 0.85);

        const double pan = 0.3 + 0.4 * progress;
        const double leftGain = std::cos(pan * std::numbers::pi / 2.0) * std::numbers::sqrt2;
        const double rightGain = std::sin(pan * std::numbers::pi / 2.0) * std::numbers::sqrt2;
        sound.Add(i, leftGain * envelope * swishLeft + tone, rightGain * envelope * swishRight + tone);
    }
    sound.RemoveDcOffset(15.0);
    sound.FadeIn(0.002);
    sound.FadeOut(0.01);
    return sound;
}
