#include "tools/soundgen/Biquad.h"

#include "tools/soundgen/StereoBuffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Angles {
    double Cos;
    double Alpha;
};

Angles AnglesFor(double frequency, double q)
{
    const double nyquistSafe = std::min(frequency, StereoBuffer::SampleRate * 0.45);
    const double omega = 2.0 * std::numbers::pi * nyquistSafe / StereoBuffer::SampleRate;
    return {std::cos(omega), std::sin(omega) / (2.0 * q)};
}

} // namespace

void Biquad::SetLowPass(double frequency, double q)
{
    const Angles w = AnglesFor(frequency, q);
    SetNormalised((1.0 - w.Cos) / 2.0, 1.0 - w.Cos, (1.0 - w.Cos) / 2.0, 1.0 + w.Alpha, -2.0 * w.Cos,
        1.0 - w.Alpha);
}

void Biquad::SetHighPass(double frequency, double q)
{
    const Angles w = AnglesFor(frequency, q);
    SetNormalised((1.0 + w.Cos) / 2.0, -(1.0 + w.Cos), (1.0 + w.Cos) / 2.0, 1.0 + w.Alpha, -2.0 * w.Cos,
        1.0 - w.Alpha);
}

void Biquad::SetBandPass(double frequency, double q)
{
    const Angles w = AnglesFor(frequency, q);
    SetNormalised(w.Alpha, 0.0, -w.Alpha, 1.0 + w.Alpha, -2.0 * w.Cos, 1.0 - w.Alpha);
}

double Biquad::Process(double input)
{
    const double output = B0 * input + Z1;
    Z1 = B1 * input - A1 * output + Z2;
    Z2 = B2 * input - A2 * output;
    return output;
}

void Biquad::SetNormalised(double b0, double b1, double b2, double a0, double a1, double a2)
{
    B0 = b0 / a0;
    B1 = b1 / a0;
    B2 = b2 / a0;
    A1 = a1 / a0;
    A2 = a2 / a0;
}
