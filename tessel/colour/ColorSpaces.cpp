#include "ColorSpaces.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessel {
namespace {

using Triple = std::array<double, 3>;
constexpr double kPi = 3.14159265358979323846;

Triple mix(const Triple &a, const Triple &b, double s)
{
    return {lerp(a[0], b[0], s), lerp(a[1], b[1], s), lerp(a[2], b[2], s)};
}

// Hue from 0 to 1.
Triple rgbToHsv(const Rgbf &c)
{
    const double max = std::max({c.r, c.g, c.b});
    const double min = std::min({c.r, c.g, c.b});
    const double s = max > 0 ? (max - min) / max : 0;
    if (s <= 0) {
        return {0, 0, max};
    }
    double h = c.r == max   ? (c.g - c.b) / (max - min) / 6
               : c.g == max ? 1.0 / 3 + (c.b - c.r) / (max - min) / 6
                            : 2.0 / 3 + (c.r - c.g) / (max - min) / 6;
    return {h < 0 ? h + 1 : h, s, max};
}

Rgbf hsvToRgb(const Triple &hsv)
{
    const double h = hsv[0];
    Rgbf c;
    if (h > 1.0 / 6 && h <= 1.0 / 3) {
        c = {(1.0 / 3 - h) * 6, 1, 0};
    } else if (h > 1.0 / 3 && h <= 0.5) {
        c = {0, 1, (h - 1.0 / 3) * 6};
    } else if (h > 0.5 && h <= 2.0 / 3) {
        c = {0, (2.0 / 3 - h) * 6, 1};
    } else if (h > 2.0 / 3 && h <= 5.0 / 6) {
        c = {(h - 2.0 / 3) * 6, 0, 1};
    } else if (h > 5.0 / 6 && h <= 1) {
        c = {1, 0, (1 - h) * 6};
    } else {
        c = {1, h * 6, 0};
    }
    const auto shade = [&](double x) { return (hsv[1] * x + 1 - hsv[1]) * hsv[2]; };
    return {shade(c.r), shade(c.g), shade(c.b)};
}

// sRGB to CIE L*a*b* under D65, as VTK computes it.
Triple rgbToLab(const Rgbf &c)
{
    const auto linear = [](double v) {
        return v > 0.04045 ? std::pow((v + 0.055) / 1.055, 2.4) : v / 12.92;
    };
    const double r = linear(c.r), g = linear(c.g), b = linear(c.b);
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    const double x = f((r * 0.4124 + g * 0.3576 + b * 0.1805) / 0.9505);
    const double y = f(r * 0.2126 + g * 0.7152 + b * 0.0722);
    const double z = f((r * 0.0193 + g * 0.1192 + b * 0.9505) / 1.089);
    return {116 * y - 16, 500 * (x - y), 200 * (y - z)};
}

Rgbf labToRgb(const Triple &lab)
{
    const double vy = (lab[0] + 16) / 116;
    const auto f = [](double t) {
        return t * t * t > 0.008856 ? t * t * t : (t - 16.0 / 116) / 7.787;
    };
    const double x = 0.9505 * f(lab[1] / 500 + vy);
    const double y = f(vy);
    const double z = 1.089 * f(vy - lab[2] / 200);
    const auto gamma = [](double v) {
        return v > 0.0031308 ? 1.055 * std::pow(v, 1 / 2.4) - 0.055 : 12.92 * v;
    };
    Rgbf c{gamma(x * 3.2406 - y * 1.5372 - z * 0.4986),
           gamma(-x * 0.9689 + y * 1.8758 + z * 0.0415),
           gamma(x * 0.0557 - y * 0.2040 + z * 1.0570)};
    // Out of gamut: scaled down to the brightest channel, then negatives cut.
    const double max = std::max({c.r, c.g, c.b});
    if (max > 1) {
        c = {c.r / max, c.g / max, c.b / max};
    }
    return {std::max(c.r, 0.0), std::max(c.g, 0.0), std::max(c.b, 0.0)};
}

// Moreland's Msh: magnitude, saturation (an angle from the grey axis) and hue.
Triple labToMsh(const Triple &lab)
{
    const double m = std::sqrt(lab[0] * lab[0] + lab[1] * lab[1] + lab[2] * lab[2]);
    const double s = m > 0.001 ? std::acos(lab[0] / m) : 0;
    return {m, s, s > 0.001 ? std::atan2(lab[2], lab[1]) : 0};
}

Triple mshToLab(const Triple &msh)
{
    return {msh[0] * std::cos(msh[1]), msh[0] * std::sin(msh[1]) * std::cos(msh[2]),
            msh[0] * std::sin(msh[1]) * std::sin(msh[2])};
}

double angleDiff(double a, double b)
{
    double d = std::fmod(std::abs(a - b), 2 * kPi);
    return d > kPi ? 2 * kPi - d : d;
}

// A hue for an unsaturated end that spins away from the saturated one's.
double adjustHue(const Triple &msh, double unsaturatedM)
{
    if (msh[0] >= unsaturatedM - 0.1) {
        return msh[2];
    }
    const double spin = msh[1] * std::sqrt(unsaturatedM * unsaturatedM - msh[0] * msh[0]) /
                        (msh[0] * std::sin(msh[1]));
    return msh[2] > -0.3 * kPi ? msh[2] + spin : msh[2] - spin;
}

} // namespace

Rgb toRgb(const Rgbf &c)
{
    const auto channel = [](double v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

Rgbf fromRgb(Rgb c)
{
    return {c.red / 255.0, c.green / 255.0, c.blue / 255.0};
}

Rgbf mixRgb(const Rgbf &a, const Rgbf &b, double s)
{
    return {lerp(a.r, b.r, s), lerp(a.g, b.g, s), lerp(a.b, b.b, s)};
}

double lerp(double a, double b, double step, double steps)
{
    return a + (b - a) * step / steps;
}

Rgb rampRgb(Rgb from, Rgb to, int step, int steps)
{
    const auto channel = [&](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(lerp(a, b, step, steps)));
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

Rgbf mixHsv(const Rgbf &a, const Rgbf &b, double s, bool wrap)
{
    Triple ha = rgbToHsv(a);
    Triple hb = rgbToHsv(b);
    if (wrap && std::abs(ha[0] - hb[0]) > 0.5) {
        (ha[0] > hb[0] ? ha[0] : hb[0]) -= 1;
    }
    Triple m = mix(ha, hb, s);
    if (m[0] < 0) {
        m[0] += 1;
    }
    return hsvToRgb(m);
}

Rgbf mixLab(const Rgbf &a, const Rgbf &b, double s)
{
    return labToRgb(mix(rgbToLab(a), rgbToLab(b), s));
}

Rgbf mixDiverging(const Rgbf &a, const Rgbf &b, double s)
{
    Triple m1 = labToMsh(rgbToLab(a));
    Triple m2 = labToMsh(rgbToLab(b));
    // Two distinct saturated ends get white between them.
    if (m1[1] > 0.05 && m2[1] > 0.05 && angleDiff(m1[2], m2[2]) > 0.33 * kPi) {
        const double mid = std::max({m1[0], m2[0], 88.0});
        if (s < 0.5) {
            m2 = {mid, 0, 0};
            s *= 2;
        } else {
            m1 = {mid, 0, 0};
            s = 2 * s - 1;
        }
    }
    // An unsaturated end has no hue of its own: it takes one that makes sense.
    if (m1[1] < 0.05 && m2[1] > 0.05) {
        m1[2] = adjustHue(m2, m1[0]);
    } else if (m2[1] < 0.05 && m1[1] > 0.05) {
        m2[2] = adjustHue(m1, m2[0]);
    }
    return labToRgb(mshToLab(mix(m1, m2, s)));
}

Hsv toHsv(const Rgbf &c)
{
    const Triple hsv = rgbToHsv(c);
    return {hsv[0] * 360, hsv[1], hsv[2]};
}

Rgbf fromHsv(const Hsv &c)
{
    const double turns = c.h / 360;
    return hsvToRgb({turns - std::floor(turns), c.s, c.v});
}

} // namespace tessel
