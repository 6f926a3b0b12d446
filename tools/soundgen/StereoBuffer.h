#pragma once

#include <vector>

// A sound being built, in floating point, before it is written as 16-bit samples.
class StereoBuffer {
public:
    static constexpr int SampleRate = 44100;

    explicit StereoBuffer(double seconds);

    int Frames() const { return static_cast<int>(LeftSamples.size()); }
    double Seconds() const { return static_cast<double>(Frames()) / SampleRate; }
    double Left(int frame) const { return LeftSamples[frame]; }
    double Right(int frame) const { return RightSamples[frame]; }

    void Add(int frame, double left, double right);
    // Equal-power placement: pan 0 is hard left, 0.5 the centre, 1 hard right.
    void AddPanned(int frame, double value, double pan);

    void RemoveDcOffset(double cutoffHz);
    void FadeIn(double seconds);
    void FadeOut(double seconds);
    double Peak() const;
    void Scale(double factor);
    void NormaliseToPeak(double decibelsFullScale);

private:
    std::vector<double> LeftSamples;
    std::vector<double> RightSamples;
};
