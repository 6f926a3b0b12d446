#include "tools/soundgen/RotateSound.h"

#include "tools/soundgen/Biquad.h"
#include "tools/soundgen/Envelope.h"
#include "tools/soundgen/RandomSource.h"

#include <cmath>
#include <numbers>

StereoBuffer RotateSound::Render()
{
    // Heard at every press of the colour key, so it stays short, round and mid-pitched:
    // a damped tone with one inharmonic overtone, like a small wooden bar, and a breath of noise.
    StereoBuffer sound(0.085);
    RandomSource noise(0x0C01u);
    Biquad clickFilter;
    clickFilter.SetBandPass(3200.0, 1.1);

    const double pitch = 1174.66; // D6
    double bodyPhase = 0.0;
    double overtonePhase = 0.0;
    for (int i = 0; i < sound.Frames(); ++i) {
        const double t = static_cast<double>(i) / StereoBuffer::SampleRate;
        const double bend = 1.0 + 0.05 * Envelope::Decay(t, 0.005);
        bodyPhase += 2.0 * std::numbers::pi * pitch * bend / StereoBuffer::SampleRate;
        overtonePhase += 2.0 * std::numbers::pi * pitch * 2.57 * bend / StereoBuffer::SampleRate;

        const double body = std::sin(bodyPhase) * Envelope::Percussive(t, 0.0015, 0.018);
        const double overtone = 0.22 * std::sin(overtonePhase) * Envelope::Percussive(t, 0.0008, 0.006);
        const double click = 0.35 * clickFilter.Process(noise.Bipolar()) * Envelope::Percussive(t, 0.0005, 0.0025);
        const double value = body + overtone + click;
        sound.Add(i, value, value);
    }
    sound.RemoveDcOffset(15.0);
    sound.FadeOut(0.02);
    return sound;
}
