#pragma once

#include "tessel/table/Rgb.h"

namespace tessel {

// A colour with channels from 0 to 1, as the foreign palette formats compute with.
struct Rgbf
{
    double r = 0;
    double g = 0;
    double b = 0;
};

// Hue in degrees, saturation and value from 0 to 1: GMT's h-s-v.
struct Hsv
{
    double h = 0;
    double s = 0;
    double v = 0;
};

// The one straight line of Tessel's colour arithmetic: a + (b - a) * step / steps. A ramp of
// whole steps computes as the classic ramps always have; a fraction s is lerp(a, b, s).
double lerp(double a, double b, double step, double steps = 1);

// A ramp of 8-bit colours in RGB at step `step` of `steps`, rounded: the classic ramp.
Rgb rampRgb(Rgb from, Rgb to, int step, int steps);

Hsv toHsv(const Rgbf &c);
Rgbf fromHsv(const Hsv &c);

// To 8 bits a channel, rounded; channels outside 0 to 1 are clamped.
Rgb toRgb(const Rgbf &c);
Rgbf fromRgb(Rgb c);

// Straight lines between two colours at `s` (0 gives `a`, 1 gives `b`), each in one colour
// space as ParaView draws it: RGB; HSV with the hue the short way round when `wrap`; Lab;
// and Moreland's diverging Msh.
Rgbf mixRgb(const Rgbf &a, const Rgbf &b, double s);
Rgbf mixHsv(const Rgbf &a, const Rgbf &b, double s, bool wrap);
Rgbf mixLab(const Rgbf &a, const Rgbf &b, double s);
Rgbf mixDiverging(const Rgbf &a, const Rgbf &b, double s);

} // namespace tessel
