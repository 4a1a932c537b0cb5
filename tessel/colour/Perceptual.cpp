#include "Perceptual.h"

#include "ColorSpaces.h"

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr Vec3 kWhite = {95.047, 100, 108.883};

Vec3 times(const double (&m)[3][3], const Vec3 &v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// Linear sRGB to XYZ (Y of white 100) and back, IEC 61966-2-1.
constexpr double kToXyz[3][3] = {{41.24, 35.76, 18.05}, {21.26, 71.52, 7.22}, {1.93, 11.92, 95.05}};
constexpr double kFromXyz[3][3] = {{0.0324062547732, -0.0153720797221, -0.00498628598698},
                                   {-0.00968930714729, 0.0187575606089, 0.00041517523843},
                                   {0.000557101204455, -0.00204021050598, 0.0105699594225}};

constexpr double kDelta = 6.0 / 29;

double labF(double t)
{
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29;
}

double labFInverse(double f)
{
    return f > kDelta ? f * f * f : 3 * kDelta * kDelta * (f - 4.0 / 29);
}

double decode(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double encode(double v)
{
    return v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

double degrees(double radians)
{
    const double d = radians * 180 / M_PI;
    return d < 0 ? d + 360 : d;
}

double radians(double degrees)
{
    return degrees * M_PI / 180;
}

Vec3 mixVec(const Vec3 &a, const Vec3 &b, int step, int steps)
{
    return {lerp(a[0], b[0], step, steps), lerp(a[1], b[1], step, steps),
            lerp(a[2], b[2], step, steps)};
}

Rgb rampLab(Rgb from, Rgb to, int step, int steps)
{
    return fromLinear(
        labToLinear(mixVec(linearToLab(toLinear(from)), linearToLab(toLinear(to)), step, steps)));
}

Rgb rampOklab(Rgb from, Rgb to, int step, int steps)
{
    return fromLinear(oklabToLinear(
        mixVec(linearToOklab(toLinear(from)), linearToOklab(toLinear(to)), step, steps)));
}

} // namespace

Vec3 toLinear(Rgb c)
{
    static const std::array<double, 256> kTable = [] {
        std::array<double, 256> table{};
        for (int i = 0; i < 256; ++i) {
            table[i] = decode(i / 255.0);
        }
        return table;
    }();
    return {kTable[c.red], kTable[c.green], kTable[c.blue]};
}

Rgb fromLinear(const Vec3 &linear)
{
    const auto channel = [](double v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(encode(v), 0.0, 1.0) * 255));
    };
    return {channel(linear[0]), channel(linear[1]), channel(linear[2])};
}

Vec3 linearToLab(const Vec3 &rgb)
{
    const Vec3 xyz = times(kToXyz, rgb);
    const double fx = labF(xyz[0] / kWhite[0]);
    const double fy = labF(xyz[1] / kWhite[1]);
    const double fz = labF(xyz[2] / kWhite[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Vec3 labToLinear(const Vec3 &lab)
{
    const double fy = (lab[0] + 16) / 116;
    const Vec3 xyz = {kWhite[0] * labFInverse(fy + lab[1] / 500), kWhite[1] * labFInverse(fy),
                      kWhite[2] * labFInverse(fy - lab[2] / 200)};
    return times(kFromXyz, xyz);
}

Vec3 linearToOklab(const Vec3 &rgb)
{
    constexpr double kLms[3][3] = {{0.4122214708, 0.5363325363, 0.0514459929},
                                   {0.2119034982, 0.6806995451, 0.1073969566},
                                   {0.0883024619, 0.2817188376, 0.6299787005}};
    constexpr double kLab[3][3] = {{0.2104542553, 0.7936177850, -0.0040720468},
                                   {1.9779984951, -2.4285922050, 0.4505937099},
                                   {0.0259040371, 0.7827717662, -0.8086757660}};
    const Vec3 lms = times(kLms, rgb);
    return times(kLab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

Vec3 oklabToLinear(const Vec3 &lab)
{
    constexpr double kLms[3][3] = {{1, 0.3963377774, 0.2158037573},
                                   {1, -0.1055613458, -0.0638541728},
                                   {1, -0.0894841775, -1.2914855480}};
    constexpr double kRgb[3][3] = {{4.0767416621, -3.3077115913, 0.2309699292},
                                   {-1.2684380046, 2.6097574011, -0.3413193965},
                                   {-0.0041960863, -0.7034186147, 1.7076147010}};
    const Vec3 root = times(kLms, lab);
    return times(kRgb, {root[0] * root[0] * root[0], root[1] * root[1] * root[1],
                        root[2] * root[2] * root[2]});
}

double deltaE2000(const Vec3 &lab1, const Vec3 &lab2)
{
    const double c1 = std::hypot(lab1[1], lab1[2]);
    const double c2 = std::hypot(lab2[1], lab2[2]);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * lab1[1];
    const double a2 = (1 + g) * lab2[1];
    const double cp1 = std::hypot(a1, lab1[2]);
    const double cp2 = std::hypot(a2, lab2[2]);
    const double h1 = cp1 == 0 ? 0 : degrees(std::atan2(lab1[2], a1));
    const double h2 = cp2 == 0 ? 0 : degrees(std::atan2(lab2[2], a2));

    const double dL = lab2[0] - lab1[0];
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        dh += dh > 180 ? -360 : dh < -180 ? 360 : 0;
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2));

    const double lMean = (lab1[0] + lab2[0]) / 2;
    const double cpMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        hMean = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2
                : h1 + h2 < 360          ? (h1 + h2 + 360) / 2
                                         : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(hMean - 30)) +
                     0.24 * std::cos(radians(2 * hMean)) + 0.32 * std::cos(radians(3 * hMean + 6)) -
                     0.20 * std::cos(radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cpMean7 = std::pow(cpMean, 7);
    const double rC = 2 * std::sqrt(cpMean7 / (cpMean7 + std::pow(25.0, 7)));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * cpMean;
    const double sH = 1 + 0.015 * cpMean * t;
    const double rT = -std::sin(radians(2 * dTheta)) * rC;
    const double l = dL / sL;
    const double c = dC / sC;
    const double h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

Vec3 simulate(Deficiency deficiency, const Vec3 &linear)
{
    static constexpr double kMatrices[3][3][3] = {
        {{0.152286, 1.052583, -0.204868},
         {0.114503, 0.786281, 0.099216},
         {-0.003882, -0.048116, 1.051998}},
        {{0.367322, 0.860646, -0.227968},
         {0.280085, 0.672501, 0.047413},
         {-0.011820, 0.042940, 0.968881}},
        {{1.255528, -0.076749, -0.178779},
         {-0.078411, 0.930809, 0.147602},
         {0.004733, 0.691367, 0.303900}},
    };
    const Vec3 seen = times(kMatrices[static_cast<int>(deficiency)], linear);
    return {std::clamp(seen[0], 0.0, 1.0), std::clamp(seen[1], 0.0, 1.0),
            std::clamp(seen[2], 0.0, 1.0)};
}

core::Result<RampMix> rampSpace(const QString &name)
{
    if (name.isEmpty() || name.compare(QLatin1String("rgb"), Qt::CaseInsensitive) == 0) {
        return rampRgb;
    }
    if (name.compare(QLatin1String("lab"), Qt::CaseInsensitive) == 0) {
        return rampLab;
    }
    if (name.compare(QLatin1String("oklab"), Qt::CaseInsensitive) == 0) {
        return rampOklab;
    }
    return core::fail(QStringLiteral(".rampspace must be rgb, lab or oklab, not \"%1\"").arg(name));
}

} // namespace tessel
