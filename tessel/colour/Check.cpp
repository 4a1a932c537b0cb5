// The check's figures: how a table reads in each vision.
#include "Check.h"

#include "Perceptual.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessel {
namespace {

// A colour as vision `v` sees it: linear light and CIELAB.
struct Seen
{
    Vec3 linear;
    Vec3 lab;
};

Seen see(int vision, Rgb c)
{
    const Vec3 linear = toLinear(c);
    if (vision == 0) {
        return {linear, linearToLab(linear)};
    }
    if (vision == kVisions - 1) {
        const Vec3 grey = {linearToLab(linear)[0], 0, 0};
        return {labToLinear(grey), grey};
    }
    const Vec3 seen = simulate(static_cast<Deficiency>(vision - 1), linear);
    return {seen, linearToLab(seen)};
}

QString whyUneven(const std::vector<double> &steps, const std::vector<std::optional<Rgb>> &colors);

VisionFigures measure(int vision, const std::vector<std::optional<Rgb>> &colors, int first,
                      CheckReport &report)
{
    VisionFigures f;
    std::vector<double> light; // L* of the defined symbols in order
    std::vector<int> symbols;  // and their symbols
    std::optional<Vec3> before;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (i > 0) {
            f.steps.push_back(0);
        }
        if (!colors[i]) {
            report.seen[vision].push_back(std::nullopt);
            before.reset();
            continue;
        }
        const Seen s = see(vision, *colors[i]);
        report.seen[vision].push_back(fromLinear(s.linear));
        light.push_back(s.lab[0]);
        symbols.push_back(first + int(i));
        if (before) {
            const double step = deltaE2000(*before, s.lab);
            f.steps.back() = step;
            f.length += step;
            f.minStep = std::min(step, f.minStep.value_or(step));
            f.maxStep = std::max(step, f.maxStep.value_or(step));
            f.repeats += step == 0;
            if (step < kDistinct && f.closePair == 0) {
                f.closePair = first + int(i) - 1;
            }
        }
        before = s.lab;
    }
    f.lightFirst = light.front();
    f.lightLast = light.back();
    const Backtrack back = lightnessBacktrack(light);
    f.backtrack = back.depth;
    f.turnsBackAt = back.at < 0 ? 0 : symbols[std::size_t(back.at)];
    f.evenness = evenness(f.steps);
    if (!f.evenness) {
        f.evennessWhy = whyUneven(f.steps, colors);
    }
    return f;
}

// Why a table has no evenness: no step, a span whose steps are all between undefined
// symbols, or a span of one colour.
QString whyUneven(const std::vector<double> &steps, const std::vector<std::optional<Rgb>> &colors)
{
    if (steps.empty()) {
        return QStringLiteral("one symbol");
    }
    std::vector<double> defined; // 1 where a step has both its symbols
    for (std::size_t i = 0; i < steps.size(); ++i) {
        defined.push_back(colors[i] && colors[i + 1] ? 1 : 0);
    }
    const std::array<double, kEvennessSpans> spans = evennessSpans(defined);
    return std::find(spans.begin(), spans.end(), 0.0) != spans.end()
               ? QStringLiteral("undefined symbols inside")
               : QStringLiteral("a span of one colour");
}

// Classes: few symbols, or neighbours mostly far apart to the eye.
bool readAsClasses(const CheckReport &report)
{
    if (report.defined >= 3 && report.defined <= kMostClasses) {
        return true;
    }
    const VisionFigures &normal = report.figures[0];
    int pairs = 0;
    int far = 0;
    for (std::size_t i = 0; i < normal.steps.size(); ++i) {
        if (report.seen[0][i] && report.seen[0][i + 1]) {
            ++pairs;
            far += normal.steps[i] > kClassStep;
        }
    }
    return pairs > 0 && 2 * far > pairs;
}

} // namespace

Backtrack lightnessBacktrack(const std::vector<double> &light)
{
    // Rising overall, the deepest fall below the highest L* before it; falling, mirrored.
    Backtrack back;
    if (light.empty()) {
        return back;
    }
    const double way = light.back() >= light.front() ? 1 : -1;
    double reached = way * light.front();
    for (std::size_t i = 0; i < light.size(); ++i) {
        reached = std::max(reached, way * light[i]);
        const double fall = reached - way * light[i];
        back.depth = std::max(back.depth, fall);
        if (fall > 1 && back.at < 0) {
            back.at = int(i);
        }
    }
    return back;
}

std::array<double, kEvennessSpans> evennessSpans(const std::vector<double> &steps)
{
    const double width = double(steps.size()) / kEvennessSpans; // steps in a span
    std::array<double, kEvennessSpans> spans{};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        // Step i covers [i, i + 1]; each span takes the part of it that it holds.
        for (int s = int(double(i) / width); s < kEvennessSpans && s * width < double(i + 1); ++s) {
            const double from = std::max(double(i), s * width);
            const double to = std::min(double(i + 1), (s + 1) * width);
            spans[std::size_t(s)] += steps[i] * std::max(0.0, to - from);
        }
    }
    return spans;
}

std::optional<double> evenness(const std::vector<double> &steps)
{
    if (steps.empty()) {
        return std::nullopt;
    }
    const std::array<double, kEvennessSpans> spans = evennessSpans(steps);
    const auto [shortest, longest] = std::minmax_element(spans.begin(), spans.end());
    return *shortest > 0 ? std::optional(*longest / *shortest) : std::nullopt;
}

core::Result<CheckReport> checkColors(const QString &name, int first,
                                      const std::vector<std::optional<Rgb>> &colors)
{
    const auto begin = std::find_if(colors.begin(), colors.end(),
                                    [](const std::optional<Rgb> &c) { return c.has_value(); });
    if (begin == colors.end()) {
        return core::fail(QStringLiteral("the shadeset \"%1\" has no colours to check").arg(name));
    }
    const auto end = std::find_if(colors.rbegin(), colors.rend(), [](const auto &c) {
                         return c.has_value();
                     }).base();
    const std::vector<std::optional<Rgb>> used(begin, end);
    CheckReport report;
    report.name = name;
    report.first = first + int(begin - colors.begin());
    report.last = report.first + int(used.size()) - 1;
    report.defined = int(std::count_if(used.begin(), used.end(),
                                       [](const std::optional<Rgb> &c) { return c.has_value(); }));
    for (int v = 0; v < kVisions; ++v) {
        report.figures[v] = measure(v, used, report.first, report);
    }
    report.classes = readAsClasses(report);
    for (VisionFigures &f : report.figures) {
        if (report.classes) {
            f.distinct = f.minStep;
        } else {
            f.closePair = 0;
        }
    }
    for (const std::optional<Rgb> &c : used) {
        report.lightness.push_back(c ? std::optional(linearToLab(toLinear(*c))[0]) : std::nullopt);
    }
    return report;
}

std::optional<double> lengthShare(const CheckReport &report, int from, int to)
{
    const VisionFigures &normal = report.figures[0];
    if (normal.length <= 0) {
        return std::nullopt;
    }
    double part = 0;
    for (int i = std::max(from, report.first) - report.first;
         i < std::min(to, report.last) - report.first; ++i) {
        part += normal.steps[std::size_t(i)];
    }
    return part / normal.length;
}

core::Result<CheckReport> checkTable(const QString &name, const ShadeTable &table)
{
    std::vector<std::optional<Rgb>> colors;
    for (int symbol = 1; symbol <= table.total(); ++symbol) {
        colors.push_back(table.color(symbol));
    }
    return checkColors(name, 1, colors);
}

core::Result<CheckReport> checkShown(const Drawing &drawing)
{
    for (auto it = drawing.items.rbegin(); it != drawing.items.rend(); ++it) {
        if (const auto *legend = std::get_if<Legend>(&*it)) {
            return checkColors(legend->name, legend->first, legend->bands);
        }
    }
    return core::fail(QStringLiteral("no shadeset is on display"));
}

} // namespace tessel
