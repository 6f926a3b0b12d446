#pragma once

// Second-order filter after the well-known audio cookbook formulas. The coefficients may be
// reset on every sample, which is how the sweeping filters of the effects are made.
class Biquad {
public:
    void SetLowPass(double frequency, double q);
    void SetHighPass(double frequency, double q);
    void SetBandPass(double frequency, double q);

    double Process(double input);

private:
    void SetNormalised(double b0, double b1, double b2, double a0, double a1, double a2);

    double B0 = 1.0, B1 = 0.0, B2 = 0.0, A1 = 0.0, A2 = 0.0;
    double Z1 = 0.0, Z2 = 0.0;
};
