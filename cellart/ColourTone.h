#pragma once

#include <QColor>
#include <algorithm>
#include <cmath>

// A colour with fractional channels (0..255), for shading before it is rounded to pixels.
struct ColourTone
{
    double R = 0;
    double G = 0;
    double B = 0;

    static ColourTone FromRgb(QRgb rgb) { return {double(qRed(rgb)), double(qGreen(rgb)), double(qBlue(rgb))}; }

    // amount 0 keeps the colour, 1 gives white.
    ColourTone Lighter(double amount) const { return MixedWith({255, 255, 255}, amount); }
    // amount 0 keeps the colour, 1 gives black.
    ColourTone Darker(double amount) const { return MixedWith({0, 0, 0}, amount); }
    // Positive lightens, negative darkens.
    ColourTone Shifted(double amount) const { return amount >= 0 ? Lighter(amount) : Darker(-amount); }

    ColourTone MixedWith(const ColourTone& other, double amount) const
    {
        const double t = std::clamp(amount, 0.0, 1.0);
        return {R + (other.R - R) * t, G + (other.G - G) * t, B + (other.B - B) * t};
    }

    ColourTone operator+(const ColourTone& o) const { return {R + o.R, G + o.G, B + o.B}; }
    ColourTone operator*(double f) const { return {R * f, G * f, B * f}; }

    QRgb ToRgb() const
    {
        auto channel = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
        return qRgb(channel(R), channel(G), channel(B));
    }
};
