// GRASS colour rules, as GRASS 8.2's r.colors rules= reads them: "value colour" lines, each
// pair of neighbouring lines one stretch of the table; written as one rule per symbol.
#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr int kMaxWords = 6;

// GRASS's own colour names (any case): the sixteen gdaldem knows, in GRASS's colours.
std::optional<Rgb> grassColor(QByteArrayView name)
{
    static const NamedColor kNames[] = {
        {"white", {255, 255, 255}}, {"black", {0, 0, 0}},      {"red", {255, 0, 0}},
        {"green", {0, 255, 0}},     {"blue", {0, 0, 255}},     {"yellow", {255, 255, 0}},
        {"magenta", {255, 0, 255}}, {"cyan", {0, 255, 255}},   {"aqua", {100, 128, 255}},
        {"grey", {128, 128, 128}},  {"gray", {128, 128, 128}}, {"orange", {255, 128, 0}},
        {"brown", {180, 77, 25}},   {"purple", {128, 0, 255}}, {"violet", {128, 0, 255}},
        {"indigo", {0, 128, 255}},
    };
    return namedColor(name, kNames, std::size(kNames));
}

// A channel as GRASS takes one: whole, from 0 to 255.
std::optional<int> channel(QByteArrayView word)
{
    const std::optional<double> v = finiteNumber(word);
    return v && *v >= 0 && *v <= 255 && *v == std::floor(*v) && !word.contains('.')
               ? std::optional(int(*v))
               : std::nullopt;
}

std::optional<Rgb> joined(QByteArrayView word)
{
    int c[3];
    int n = 0;
    for (qsizetype from = 0; from <= word.size() && n <= 3; ++n) {
        const qsizetype end = word.indexOf(':', from);
        const qsizetype to = end < 0 ? word.size() : end;
        const std::optional<int> v = channel(word.sliced(from, to - from));
        if (!v || n == 3) {
            return std::nullopt;
        }
        c[n] = *v;
        from = to + 1;
    }
    return n == 3 ? std::optional(Rgb{std::uint8_t(c[0]), std::uint8_t(c[1]), std::uint8_t(c[2])})
                  : std::nullopt;
}

// The colour after the value: "r:g:b" or "r g b", each followed by anything (GRASS reads
// past it, so the older "value1 colour1 value2 colour2" line gives its first pair), or a
// name with nothing after it.
std::optional<Rgb> ruleColor(const QByteArrayView *w, int n)
{
    if (n >= 2 && w[1].contains(':')) {
        return joined(w[1]);
    }
    if (n >= 4) {
        const std::optional<int> r = channel(w[1]), g = channel(w[2]), b = channel(w[3]);
        if (r && g && b) {
            return Rgb{std::uint8_t(*r), std::uint8_t(*g), std::uint8_t(*b)};
        }
    }
    return n == 2 ? grassColor(w[1]) : std::nullopt;
}

// GRASS's colour of a stretch at z: from the colour at its lower value, each channel moved
// towards the other end's and cut to a whole number.
Rgb stretchColor(const Rule &a, const Rule &b, double z)
{
    const Rule &lo = a.value <= b.value ? a : b;
    const Rule &hi = a.value <= b.value ? b : a;
    const double f = hi.value > lo.value ? fraction(z, lo.value, hi.value) : 0;
    const Rgb from = toRgb(lo.rgb);
    const Rgb to = toRgb(hi.rgb);
    const auto move = [f](int c0, int c1) {
        return std::uint8_t(c0 + int(std::trunc((c1 - c0) * f)));
    };
    return {move(from.red, to.red), move(from.green, to.green), move(from.blue, to.blue)};
}

} // namespace

// Evidence: "nv" and "default" lines, percentages, r:g:b colours. Commas, five numbers (an
// opacity), "value:r:g:b", slashes and GMT's comments are other formats' and rule GRASS out.
LineScore scoreGrassLine(QByteArrayView line)
{
    if (line.startsWith('#')) {
        return {false, false, isGmtComment(line)};
    }
    QByteArrayView w[kMaxWords];
    const int n = byteWords(line, w, kMaxWords);
    int plain = 0;
    for (int i = 0; i < n; ++i) {
        plain += number(w[i]).has_value();
    }
    if (line.contains(',') || line.contains('/') || (n == 5 && plain == 5) ||
        (n > 0 && w[0].contains(':')) || (n == 2 && (w[0] == "B" || w[0] == "F" || w[0] == "N"))) {
        return {false, false, true};
    }
    const bool outside = n == 2 && isOutsideRule(w[0]);
    const std::optional<Rule> value = n > 0 ? ruleValue(w[0], 0) : std::nullopt;
    const bool fits = outside || (value && ruleColor(w, std::min(n, kMaxWords - 1)));
    return {fits, fits && (outside || value->percent || w[1].contains(':')), false};
}

core::Result<Palette> readGrass(const QByteArray &bytes, const QString &label,
                                const ReadOptions &options)
{
    Palette palette;
    std::vector<Rule> rules;
    TextLines lines(bytes);
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        if (takeComment(line, palette.name)) {
            continue;
        }
        QByteArrayView w[kMaxWords];
        const int n = byteWords(line, w, kMaxWords);
        if (n == 0 || isOutsideRule(w[0])) {
            continue; // the colours of no data and of everything else are outside the table
        }
        const auto fail = [&](const QString &what) {
            return core::fail(lineError(label, lines.number(), what));
        };
        std::optional<Rule> rule = ruleValue(w[0], lines.number());
        if (!rule) {
            return fail(QStringLiteral("bad value \"%1\"").arg(QString::fromUtf8(w[0])));
        }
        const std::optional<Rgb> rgb = ruleColor(w, std::min(n, kMaxWords - 1));
        if (!rgb) {
            return fail(QStringLiteral("bad colour \"%1\" (expected r:g:b, r g b or a name)")
                            .arg(QString::fromUtf8(n > 1 ? line.sliced(w[1].data() - line.data())
                                                         : QByteArrayView())));
        }
        rule->rgb = fromRgb(*rgb);
        rules.push_back(*rule);
    }
    if (rules.empty()) {
        return core::fail(label + QStringLiteral(": no colour rules"));
    }
    if (const core::Status placed = placePercentages(rules, options.data, label); !placed) {
        return placed.failure();
    }
    // Percentages without the data's range stand for shares of whatever data, not values.
    palette.valued = !rules.front().percent;
    palette.keyed = keyedHalfSteps(rules);
    const auto [lowest, highest] = std::minmax_element(
        rules.begin(), rules.end(), [](const Rule &a, const Rule &b) { return a.value < b.value; });
    palette.zmin = lowest->value;
    palette.zmax = highest->value;
    // Each pair of neighbouring lines is a stretch of the table, and where stretches overlap
    // the later line's wins, as GRASS draws them.
    palette.colorAt = [rules = std::move(rules)](double z) -> std::optional<Rgb> {
        if (rules.size() == 1) {
            return z == rules[0].value ? std::optional(toRgb(rules[0].rgb)) : std::nullopt;
        }
        for (std::size_t i = rules.size() - 1; i > 0; --i) {
            const Rule &a = rules[i - 1];
            const Rule &b = rules[i];
            if (z >= std::min(a.value, b.value) && z <= std::max(a.value, b.value)) {
                return stretchColor(a, b, z);
            }
        }
        return std::nullopt;
    };
    return palette;
}

core::Result<QByteArray> writeGrass(const std::vector<Entry> &entries, const QString &name)
{
    // GRASS has no "no colour" inside a table: a run of undefined symbols takes the colour of
    // the symbol below, to a rule half a symbol before the next defined one.
    const auto rule = [](const QByteArray &value, Rgb c) {
        return value + ' ' + QByteArray::number(c.red) + ':' + QByteArray::number(c.green) + ':' +
               QByteArray::number(c.blue) + '\n';
    };
    QByteArray out = "# NAME = " + name.toUtf8() + '\n';
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries[i].symbol > entries[i - 1].symbol + 1) {
            out += rule(QByteArray::number(entries[i].symbol - 1) + ".5", entries[i - 1].rgb);
        }
        out += rule(QByteArray::number(entries[i].symbol), entries[i].rgb);
    }
    return out;
}

core::Result<QByteArray> writeGrassFitted(const std::vector<FittedClass> &fitted,
                                          const QString &name)
{
    // As for gdaldem: two rules of one colour bound each class, at its lowest value and at
    // the last float below the next, and GRASS blends only where a float grid has no value.
    // GRASS has no "no colour" inside a table: an undefined class takes the colour below.
    const std::vector<FittedClass> classes = heldClasses(fitted);
    const std::vector<Rgb> colours = coloursOrBelow(classes);
    const auto rule = [](double value, Rgb c) {
        return exact(value) + ' ' + QByteArray::number(c.red) + ':' + QByteArray::number(c.green) +
               ':' + QByteArray::number(c.blue) + '\n';
    };
    QByteArray out = "# NAME = " + name.toUtf8() + '\n';
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const double top = i + 1 == classes.size() ? classes[i].hi : floatBelow(classes[i].hi);
        out += rule(classes[i].lo, colours[i]);
        if (top > classes[i].lo) {
            out += rule(top, colours[i]);
        }
    }
    return out;
}

} // namespace tessel
