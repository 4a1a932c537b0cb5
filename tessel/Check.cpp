#include "Check.h"

#include "Messages.h"
#include "Perceptual.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
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

VisionFigures measure(int vision, const std::vector<std::optional<Rgb>> &colors,
                      CheckReport &report)
{
    VisionFigures f;
    std::vector<double> light; // L* of the defined symbols in order
    std::optional<Vec3> before;
    for (const std::optional<Rgb> &c : colors) {
        if (!c) {
            report.seen[vision].push_back(std::nullopt);
            before.reset();
            continue;
        }
        const Seen s = see(vision, *c);
        report.seen[vision].push_back(fromLinear(s.linear));
        light.push_back(s.lab[0]);
        if (before) {
            const double step = deltaE2000(*before, s.lab);
            f.length += step;
            f.minStep = std::min(step, f.minStep.value_or(step));
            f.maxStep = std::max(step, f.maxStep.value_or(step));
            f.repeats += step == 0;
        }
        before = s.lab;
    }
    f.lightFirst = light.front();
    f.lightLast = light.back();
    // Rising overall, the deepest fall below the highest L* before it; falling, mirrored.
    const double way = f.lightLast >= f.lightFirst ? 1 : -1;
    double reached = way * light.front();
    for (const double l : light) {
        reached = std::max(reached, way * l);
        f.backtrack = std::max(f.backtrack, reached - way * l);
    }
    return f;
}

QByteArray number(double value)
{
    return QByteArray::number(std::round(value * 1e4) / 1e4, 'f', 4);
}

QByteArray optionalNumber(const std::optional<double> &value)
{
    return value ? number(*value) : QByteArray("null");
}

QString fixed(double value, int decimals = 2)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

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
        report.figures[v] = measure(v, used, report);
    }
    for (const std::optional<Rgb> &c : used) {
        report.lightness.push_back(c ? std::optional(linearToLab(toLinear(*c))[0]) : std::nullopt);
    }
    return report;
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

QByteArray checkJson(const CheckReport &r)
{
    const QByteArray name = QJsonDocument(QJsonArray{r.name}).toJson(QJsonDocument::Compact);
    QByteArray out = "{\"name\": " + name.mid(1, name.size() - 2) +
                     ", \"symbols\": " + QByteArray::number(r.defined) +
                     ", \"first\": " + QByteArray::number(r.first) +
                     ", \"last\": " + QByteArray::number(r.last) + ", \"vision\": {";
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        out += (v ? ", \"" : "\"") + QByteArray(kVisionNames[v]) +
               "\": {\"length\": " + number(f.length) +
               ", \"min_step\": " + optionalNumber(f.minStep) +
               ", \"max_step\": " + optionalNumber(f.maxStep) + ", \"lightness\": [" +
               number(f.lightFirst) + ", " + number(f.lightLast) +
               "], \"backtrack\": " + number(f.backtrack) + "}";
    }
    return out + "}}\n";
}

QString checkText(const CheckReport &r)
{
    QString out = QStringLiteral("%1: %2 defined, %3 to %4\n\n")
                      .arg(r.name)
                      .arg(counted(r.defined, "symbol", "symbols"))
                      .arg(r.first)
                      .arg(r.last);
    out += QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("vision"), -13)
               .arg(QStringLiteral("length"), 8)
               .arg(QStringLiteral("min step"), 9)
               .arg(QStringLiteral("max step"), 9)
               .arg(QStringLiteral("lightness"), 14)
               .arg(QStringLiteral("backtrack"), 10);
    const auto step = [](const std::optional<double> &s) { return s ? fixed(*s) : QString("-"); };
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        out += QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(QLatin1String(kVisionNames[v]), -13)
                   .arg(fixed(f.length), 8)
                   .arg(step(f.minStep), 9)
                   .arg(step(f.maxStep), 9)
                   .arg(fixed(f.lightFirst, 1) + QStringLiteral(" to ") + fixed(f.lightLast, 1), 14)
                   .arg(fixed(f.backtrack), 10);
    }
    const VisionFigures &normal = r.figures[0];
    out += QStringLiteral("\nLength is how far the eye travels from symbol to symbol (CIEDE2000;\n"
                          "1 is about the least difference that can be seen).\n");
    out += normal.repeats == 0 ? QStringLiteral("No two neighbours look the same.\n")
           : normal.repeats == 1
               ? QStringLiteral("1 neighbour repeats the colour before it (a step of 0): the two "
                                "cannot be told\napart.\n")
               : QStringLiteral("%1 neighbours repeat the colour before them (steps of 0): they "
                                "cannot be told\napart.\n")
                     .arg(normal.repeats);
    int worst = 1;
    for (int v = 2; v < kVisions; ++v) {
        worst = r.figures[v].length < r.figures[worst].length ? v : worst;
    }
    if (normal.length > 0) {
        QString vision = QLatin1String(kVisionNames[worst]);
        vision[0] = vision[0].toUpper();
        out += QStringLiteral("%1 keeps the least of it: %2 % of the length in normal vision.\n")
                   .arg(vision)
                   .arg(qRound(100 * r.figures[worst].length / normal.length));
    }
    out += normal.backtrack >= 1
               ? QStringLiteral("Lightness turns back by up to %1 L*: the table does not run from "
                                "dark to light\n(or light to dark) all the way.\n")
                     .arg(fixed(normal.backtrack, 1))
               : QStringLiteral("Lightness runs one way, from %1 to %2 L*.\n")
                     .arg(fixed(normal.lightFirst, 1), fixed(normal.lightLast, 1));
    return out;
}

} // namespace tessel
