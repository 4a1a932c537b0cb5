#include "Equalize.h"

#include "Check.h"
#include "ColorSpaces.h"
#include "Perceptual.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

constexpr int kRounds = 3;
constexpr double kLeastStep = 0.001;
// Then, for even steps, once more with the steps as the table will hold them: its colours
// in 8 bits a channel make a staircase that the eye, and the check, travel along. Each step
// is taken as the mean of it and its neighbours, kSpread on each side, so that where the
// rounding happens to put a stair does not throw the symbols about.
constexpr int kStoredRounds = 1;
constexpr int kSpread = 4;

// The 8-bit colour nearest to `lab` in CIELAB: of the eight that rounding each channel up or
// down gives, not merely the one nearest in sRGB, whose errors in the three channels add up
// to a zigzag that lengthens the staircase where the table moves slowly. (Nearest by
// CIEDE2000 does no better and costs four times as much.)
Rgb nearestHeld(const Vec3 &lab)
{
    const Vec3 linear = labToLinear(lab);
    std::array<double, 3> v{};
    for (std::size_t c = 0; c < 3; ++c) {
        const double x = linear[c] <= 0.0031308 ? 12.92 * linear[c]
                                                : 1.055 * std::pow(linear[c], 1 / 2.4) - 0.055;
        v[c] = std::clamp(x, 0.0, 1.0) * 255;
    }
    Rgb best;
    double least = 1e300;
    for (int corner = 0; corner < 8; ++corner) {
        const auto pick = [&](std::size_t c) {
            return static_cast<std::uint8_t>((corner >> c) & 1 ? std::ceil(v[c])
                                                               : std::floor(v[c]));
        };
        const Rgb rgb{pick(0), pick(1), pick(2)};
        const Vec3 held = linearToLab(toLinear(rgb));
        const double d = (held[0] - lab[0]) * (held[0] - lab[0]) +
                         (held[1] - lab[1]) * (held[1] - lab[1]) +
                         (held[2] - lab[2]) * (held[2] - lab[2]);
        if (d < least) {
            least = d;
            best = rgb;
        }
    }
    return best;
}

Vec3 stored(const Vec3 &lab)
{
    return linearToLab(toLinear(nearestHeld(lab)));
}

double distance(const Vec3 &a, const Vec3 &b, Equalize mode)
{
    return mode == Equalize::Perceptual ? deltaE2000(a, b) : std::abs(b[0] - a[0]);
}

// The colours at equal steps of the distance summed along `lab`.
std::vector<Vec3> resample(const std::vector<Vec3> &lab, Equalize mode, bool asStored)
{
    const std::size_t n = lab.size();
    std::vector<Vec3> held;
    if (asStored) {
        held.reserve(n);
        for (const Vec3 &v : lab) {
            held.push_back(stored(v));
        }
    }
    const std::vector<Vec3> &path = asStored ? held : lab;
    std::vector<double> steps(n, 0); // steps[i]: from i - 1 to i
    for (std::size_t i = 1; i < n; ++i) {
        steps[i] = distance(path[i - 1], path[i], mode);
    }
    std::vector<double> sum(n, 0);
    const long spread = asStored ? kSpread : 0;
    for (std::size_t i = 1; i < n; ++i) {
        const long from = std::max(1L, long(i) - spread);
        const long to = std::min(long(n) - 1, long(i) + spread);
        double total = 0;
        for (long k = from; k <= to; ++k) {
            total += steps[std::size_t(k)];
        }
        sum[i] = sum[i - 1] + std::max(total / double(to - from + 1), kLeastStep);
    }
    std::vector<Vec3> out(n);
    std::size_t k = 0; // the symbol at or below the target
    for (std::size_t j = 0; j < n; ++j) {
        const double target = sum[n - 1] * double(j) / double(n - 1);
        while (k + 2 < n && sum[k + 1] <= target) {
            ++k;
        }
        const double f = std::clamp((target - sum[k]) / (sum[k + 1] - sum[k]), 0.0, 1.0);
        for (std::size_t c = 0; c < 3; ++c) {
            out[j][c] = lerp(lab[k][c], lab[k + 1][c], f);
        }
    }
    return out;
}

} // namespace

std::optional<Equalize> equalizeMode(const QString &word)
{
    if (word.compare(QLatin1String("perceptual"), Qt::CaseInsensitive) == 0) {
        return Equalize::Perceptual;
    }
    if (word.compare(QLatin1String("lightness"), Qt::CaseInsensitive) == 0) {
        return Equalize::Lightness;
    }
    return std::nullopt;
}

core::Result<ShadeTable> equalizeTable(const ShadeTable &table, Equalize mode)
{
    int first = 1;
    while (first <= table.total() && !table.color(first)) {
        ++first;
    }
    if (first > table.total()) {
        return core::fail(QStringLiteral("the shade table is empty"));
    }
    std::vector<Rgb> colors;
    std::vector<Vec3> lab;
    std::vector<double> light;
    for (int symbol = first; symbol <= table.total(); ++symbol) {
        const std::optional<Rgb> c = table.color(symbol);
        if (!c) {
            return core::fail(QStringLiteral("symbol %1 is undefined between symbols %2 and %3: "
                                             "only a table without gaps can be equalized")
                                  .arg(symbol)
                                  .arg(first)
                                  .arg(table.total()));
        }
        colors.push_back(*c);
        lab.push_back(linearToLab(toLinear(*c)));
        light.push_back(lab.back()[0]);
    }
    if (std::all_of(colors.begin(), colors.end(), [&](const Rgb &c) { return c == colors[0]; })) {
        return core::fail(QStringLiteral("every defined symbol has the same colour: there are no "
                                         "steps to make even"));
    }
    if (mode == Equalize::Lightness) {
        const Backtrack back = lightnessBacktrack(light);
        if (back.at >= 0) {
            return core::fail(QStringLiteral("the lightness turns back by %1 L*, from symbol %2 "
                                             "on: a straight lightness cannot be made from it "
                                             "without changing its colours' order")
                                  .arg(back.depth, 0, 'f', 1)
                                  .arg(first + back.at));
        }
    }
    if (colors.size() < 3) {
        return table;
    }
    const int rounds = kRounds + (mode == Equalize::Perceptual ? kStoredRounds : 0);
    for (int round = 0; round < rounds; ++round) {
        lab = resample(lab, mode, round >= kRounds);
    }
    ShadeTable out = table;
    for (std::size_t i = 1; i + 1 < colors.size(); ++i) {
        out.set(first + int(i), mode == Equalize::Perceptual ? nearestHeld(lab[i])
                                                             : fromLinear(labToLinear(lab[i])));
    }
    return out;
}

} // namespace tessel
