#include "tools/soundgen/DropSound.h"

#include "tools/soundgen/Biquad.h"
#include "tools/soundgen/Envelope.h"
#include "tools/soundgen/RandomSource.h"

#include <cmath>
#include <numbers>

StereoBuffer DropSound::Render()
{
    // A low tone whose pitch falls quickly after the hit, a short hollow knock above it and a
    // muffled burst of noise for the impact. A gentle saturation keeps the low end audible
    // on small speakers.
    StereoBuffer sound(0.3);
    RandomSource noise(0xD809u);
    Biquad impactFilter;
    impactFilter.SetLowPass(900.0, 0.8);
    Biquad impactBody;
    impactBody.SetBandPass(180.0, 1.0);

    double bodyPhase = 0.0;
    double knockPhase = 0.0;
    for (int i = 0; i < sound.Frames(); ++i) {
        const double t = static_cast<double>(i) / StereoBuffer::SampleRate;
        const double bodyFrequency = 62.0 + 140.0 * Envelope::Decay(t, 0.025);
        bodyPhase += 2.0 * std::numbers::pi * bodyFrequency / StereoBuffer::SampleRate;
        const double body = (std::sin(bodyPhase) * Envelope::Percussive(t, 0.002, 0.07)
            + 0.25 * std::sin(2.0 * bodyPhase) * Envelope::Percussive(t, 0.002, 0.04));

        const double knockFrequency = 240.0 * (1.0 + 0.2 * Envelope::Decay(t, 0.01));
        knockPhase += 2.0 * std::numbers::pi * knockFrequency / StereoBuffer::SampleRate;
        const double knock = 0.65 * std::sin(knockPhase) * Envelope::Percussive(t, 0.001, 0.035);

        const double white = noise.Bipolar();
        const double impact = (0.7 * impactFilter.Process(white) + 1.2 * impactBody.Process(white))
            * Envelope::Percussive(t, 0.0008, 0.012);

        const double value = std::tanh(1.6 * (body + knock + impact)) / std::tanh(1.6);
        sound.Add(i, value, value);
    }
    sound.RemoveDcOffset(20.0);
    sound.FadeOut(0.04);
    return sound;
}
