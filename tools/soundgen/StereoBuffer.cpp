#include "tools/soundgen/StereoBuffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

StereoBuffer::StereoBuffer(double seconds)
    : LeftSamples(static_cast<std::size_t>(std::lround(seconds * SampleRate)), 0.0),
      RightSamples(LeftSamples.size(), 0.0)
{
}

void StereoBuffer::Add(int frame, double left, double right)
{
    if (frame < 0 || frame >= Frames())
        return;
    LeftSamples[frame] += left;
    RightSamples[frame] += right;
}

void StereoBuffer::AddPanned(int frame, double value, double pan)
{
    const double angle = std::clamp(pan, 0.0, 1.0) * std::numbers::pi / 2.0;
    // Scaled so that a centred sound keeps its level in each channel.
    Add(frame, value * std::cos(angle) * std::numbers::sqrt2, value * std::sin(angle) * std::numbers::sqrt2);
}

void StereoBuffer::RemoveDcOffset(double cutoffHz)
{
    const double pole = std::exp(-2.0 * std::numbers::pi * cutoffHz / SampleRate);
    for (std::vector<double>* channel : {&LeftSamples, &RightSamples}) {
        double previousInput = 0.0;
        double previousOutput = 0.0;
        for (double& sample : *channel) {
            const double output = sample - previousInput + pole * previousOutput;
            previousInput = sample;
            previousOutput = output;
            sample = output;
        }
    }
}

void StereoBuffer::FadeIn(double seconds)
{
    const int length = std::min(Frames(), static_cast<int>(seconds * SampleRate));
    for (int i = 0; i < length; ++i) {
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * i / length);
        LeftSamples[i] *= gain;
        RightSamples[i] *= gain;
    }
}

void StereoBuffer::FadeOut(double seconds)
{
    const int length = std::min(Frames(), static_cast<int>(seconds * SampleRate));
    if (length < 2)
        return;
    for (int i = 0; i < length; ++i) {
        // Reaches exactly zero on the last frame.
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * i / (length - 1));
        const int frame = Frames() - 1 - i;
        LeftSamples[frame] *= gain;
        RightSamples[frame] *= gain;
    }
}

double StereoBuffer::Peak() const
{
    double peak = 0.0;
    for (int i = 0; i < Frames(); ++i)
        peak = std::max({peak, std::abs(LeftSamples[i]), std::abs(RightSamples[i])});
    return peak;
}

void StereoBuffer::Scale(double factor)
{
    for (int i = 0; i < Frames(); ++i) {
        LeftSamples[i] *= factor;
        RightSamples[i] *= factor;
    }
}

void StereoBuffer::NormaliseToPeak(double decibelsFullScale)
{
    const double peak = Peak();
    if (peak > 0.0)
        Scale(std::pow(10.0, decibelsFullScale / 20.0) / peak);
}
