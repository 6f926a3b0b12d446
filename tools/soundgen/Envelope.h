#pragma once

#include <cmath>
#include <numbers>

// Amplitude shapes shared by the effects; t is in seconds from the start of the shape.
class Envelope {
public:
    // Rises from 0 to 1 along a half cosine, so a sound never starts with a step.
    static double Attack(double t, double attackSeconds)
    {
        if (t <= 0.0)
            return 0.0;
        if (t >= attackSeconds)
            return 1.0;
        return 0.5 - 0.5 * std::cos(std::numbers::pi * t / attackSeconds);
    }

    static double Decay(double t, double timeConstant) { return t <= 0.0 ? 1.0 : std::exp(-t / timeConstant); }

    static double Percussive(double t, double attackSeconds, double timeConstant)
    {
        return Attack(t, attackSeconds) * Decay(t - attackSeconds, timeConstant);
    }

    // A soft hump: half-cosine rise to 1 at peakSeconds, then a squared fall to 0 at endSeconds.
    static double Hump(double t, double peakSeconds, double endSeconds)
    {
        if (t <= 0.0 || t >= endSeconds)
            return 0.0;
        if (t < peakSeconds)
            return Attack(t, peakSeconds);
        const double fall = 1.0 - (t - peakSeconds) / (endSeconds - peakSeconds);
        return fall * fall;
    }
};
