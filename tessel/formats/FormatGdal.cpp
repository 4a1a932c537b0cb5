// gdaldem color-relief files: "value r g b [a]" lines, blended between entries as gdaldem
// blends them; written as one entry per symbol.
#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

// The names gdaldem knows, in the colours it gives them (any case).
std::optional<Rgb> gdalColor(QByteArrayView name)
{
    static const NamedColor kNames[] = {
        {"white", {255, 255, 255}}, {"black", {0, 0, 0}},      {"red", {255, 0, 0}},
        {"green", {0, 255, 0}},     {"blue", {0, 0, 255}},     {"yellow", {255, 255, 0}},
        {"magenta", {255, 0, 255}}, {"cyan", {0, 255, 255}},   {"aqua", {0, 191, 191}},
        {"grey", {191, 191, 191}},  {"gray", {191, 191, 191}}, {"orange", {255, 127, 0}},
        {"brown", {191, 127, 63}},  {"purple", {127, 0, 255}}, {"violet", {127, 0, 255}},
        {"indigo", {0, 127, 255}},
    };
    return namedColor(name, kNames, std::size(kNames));
}

// Blanks, tabs, commas and colons all separate the words of a line.
int words(QByteArrayView line, QByteArrayView *out, int max)
{
    return splitAt(line, out, max, " \t,:\r");
}

// The line's colour: "value r g b [a]" or "value name".
core::Status readColour(const QByteArrayView *w, int n, Rule &stop)
{
    if (n == 2) {
        const std::optional<Rgb> named = gdalColor(w[1]);
        if (!named) {
            return core::fail(QStringLiteral("unknown colour \"%1\"").arg(QString::fromUtf8(w[1])));
        }
        stop.rgb = fromRgb(*named);
        return {};
    }
    if (n != 4 && n != 5) {
        return core::fail(QStringLiteral("expected \"value red green blue [alpha]\""));
    }
    double channel[4] = {0, 0, 0, 255};
    for (int c = 1; c < n; ++c) {
        const std::optional<double> v = finiteNumber(w[c]);
        if (!v || *v < 0 || *v > 255) {
            return core::fail(
                QStringLiteral("bad colour channel \"%1\"").arg(QString::fromUtf8(w[c])));
        }
        channel[c - 1] = *v;
    }
    stop.rgb = {channel[0] / 255, channel[1] / 255, channel[2] / 255};
    stop.alpha = channel[3] / 255;
    return {};
}

} // namespace

// Evidence: "nv" and "default" lines, percentages, commas or colons between values, five
// numbers on a line. B/F/N lines, r/g/b colours and GMT's comments rule gdaldem out.
LineScore scoreGdalLine(QByteArrayView line)
{
    if (line.startsWith('#')) {
        return {false, false, isGmtComment(line)};
    }
    QByteArrayView w[6];
    const int n = words(line, w, 6);
    if ((n == 2 && (w[0] == "B" || w[0] == "F" || w[0] == "N")) || line.contains('/')) {
        return {false, false, true};
    }
    const bool outside = n > 0 && isOutsideRule(w[0]);
    const bool percent = n > 0 && w[0].endsWith('%');
    int plain = 0;
    for (int i = 0; i < n; ++i) {
        plain += number(w[i]).has_value();
    }
    const bool fits =
        outside || ((n == 4 || n == 5) && plain == n - percent) || (n == 2 && gdalColor(w[1]));
    return {fits,
            fits && (outside || percent || n == 5 || line.contains(',') || line.contains(':')),
            false};
}

bool isRuleColorName(QByteArrayView word)
{
    return gdalColor(word).has_value();
}

core::Result<Palette> readGdal(const QByteArray &bytes, const QString &label,
                               const ReadOptions &options)
{
    Palette palette;
    std::vector<Rule> stops;
    TextLines lines(bytes);
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        if (takeComment(line, palette.name)) {
            continue;
        }
        QByteArrayView w[6];
        const int n = words(line, w, 6);
        if (n == 0 || isOutsideRule(w[0])) {
            continue;
        }
        const auto fail = [&](const QString &what) {
            return core::fail(lineError(label, lines.number(), what));
        };
        std::optional<Rule> stop = ruleValue(w[0], lines.number());
        if (!stop) {
            return fail(QStringLiteral("bad value \"%1\"").arg(QString::fromUtf8(w[0])));
        }
        if (const core::Status read = readColour(w, n, *stop); !read) {
            return fail(read.error());
        }
        stops.push_back(*stop);
    }
    if (stops.empty()) {
        return core::fail(label + QStringLiteral(": no colour entries"));
    }
    if (const core::Status placed = placePercentages(stops, options.data, label); !placed) {
        return placed.failure();
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Rule &a, const Rule &b) { return a.value < b.value; });
    // Percentages without the data's range stand for shares of whatever data, not values.
    palette.valued = !stops.front().percent;
    palette.keyed = keyedRules(stops);
    palette.zmin = stops.front().value;
    palette.zmax = stops.back().value;
    palette.colorAt = [stops](double z) -> std::optional<Rgb> {
        auto above = std::upper_bound(stops.begin(), stops.end(), z,
                                      [](double v, const Rule &e) { return v < e.value; });
        const Rule &hi = above == stops.end() ? stops.back() : *above;
        const Rule &lo = above == stops.begin() ? stops.front() : *(above - 1);
        const double s =
            hi.value > lo.value ? std::clamp(fraction(z, lo.value, hi.value), 0.0, 1.0) : 1;
        // A blend that leaves no opacity at all is no colour.
        if (std::lround(255 * lerp(lo.alpha, hi.alpha, s)) == 0) {
            return std::nullopt;
        }
        return toRgb(mixRgb(lo.rgb, hi.rgb, s));
    };
    return palette;
}

core::Result<QByteArray> writeGdal(const std::vector<Entry> &entries, const QString &name)
{
    // gdaldem blends between entries, so a run of undefined symbols is bounded by entries of
    // no opacity, in the colour of the symbol below: with -alpha it is transparent, without
    // it that colour, never a blend that belongs to no symbol.
    QByteArray out = "# NAME = " + name.toUtf8() + '\n';
    for (const SymbolStop &s : symbolStops(entries)) {
        out += QByteArray::number(s.symbol) + ' ' + QByteArray::number(s.rgb.red) + ' ' +
               QByteArray::number(s.rgb.green) + ' ' + QByteArray::number(s.rgb.blue) + ' ' +
               QByteArray::number(s.alpha) + '\n';
    }
    return out + "nv 0 0 0 0\n";
}

core::Result<QByteArray> writeGdalFitted(const std::vector<FittedClass> &fitted,
                                         const QString &name)
{
    // Two entries of one colour bound each class: at its lowest value and at the last float
    // below the next class. No value of a float grid lies between them, so gdaldem draws
    // each class in its colour whether it blends (the default) or takes the nearest entry.
    // An undefined class has no opacity, in the colour below it.
    const std::vector<FittedClass> classes = heldClasses(fitted);
    const std::vector<Rgb> colours = coloursOrBelow(classes);
    const auto entry = [](double value, Rgb c, int alpha) {
        return exact(value) + ' ' + QByteArray::number(c.red) + ' ' + QByteArray::number(c.green) +
               ' ' + QByteArray::number(c.blue) + ' ' + QByteArray::number(alpha) + '\n';
    };
    QByteArray out = "# NAME = " + name.toUtf8() + '\n';
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const int alpha = classes[i].rgb ? 255 : 0;
        const bool last = i + 1 == classes.size();
        out += entry(classes[i].lo, colours[i], alpha);
        const double top = last ? classes[i].hi : floatBelow(classes[i].hi);
        if (top > classes[i].lo) {
            out += entry(top, colours[i], alpha);
        }
    }
    return out + "nv 0 0 0 0\n";
}

} // namespace tessel
