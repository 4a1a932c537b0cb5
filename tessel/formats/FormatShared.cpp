// What the readers and writers of the formats share.
#include "FormatIo.h"
#include "core/Text.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tessel {

QString lineError(const QString &label, int line, const QString &what)
{
    return QStringLiteral("%1 line %2: %3").arg(label).arg(line).arg(what);
}

std::optional<int> wholeSymbol(double value)
{
    const double rounded = std::round(value);
    if (std::abs(value - rounded) > 1e-6 || !(rounded >= 1 && rounded <= ShadeTable::kMaxSymbol)) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

double fraction(double z, double lo, double hi)
{
    const double width = hi - lo;
    if (std::isfinite(width)) {
        return (z - lo) / width;
    }
    return (z / 2 - lo / 2) / (hi / 2 - lo / 2); // halved, every difference is finite
}

bool opensStructured(QByteArrayView first)
{
    return first.startsWith('<') || first.startsWith('[') || first.startsWith('{');
}

bool isGmtComment(QByteArrayView line)
{
    if (line.size() < 11) { // "#HARD_HINGE", the shortest
        return false;
    }
    const QByteArrayView text = line.sliced(1).trimmed();
    for (const char *key : {"COLOR_MODEL", "HARD_HINGE", "SOFT_HINGE"}) {
        if (text.size() >= qsizetype(qstrlen(key)) &&
            qstrnicmp(text.data(), key, qstrlen(key)) == 0) {
            return true;
        }
    }
    return false;
}

std::optional<double> number(QByteArrayView word)
{
    // A "+" is fine, but not before another sign.
    if (word.startsWith('+') && !word.startsWith("+-") && !word.startsWith("++")) {
        word = word.sliced(1);
    }
    double value = 0;
    const char *end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || stop != end || word.isEmpty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> finiteNumber(QByteArrayView word)
{
    const std::optional<double> value = number(word);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

std::optional<double> finiteNumber(const QString &text)
{
    return finiteNumber(QByteArrayView(text.trimmed().toUtf8()));
}

std::optional<Rgb> namedColor(QByteArrayView name, const NamedColor *names, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (name.compare(names[i].name, Qt::CaseInsensitive) == 0) {
            return names[i].rgb;
        }
    }
    return std::nullopt;
}

int splitAt(QByteArrayView line, QByteArrayView *out, int max, QByteArrayView separators)
{
    int n = 0;
    qsizetype i = 0;
    const auto separates = [&](char c) { return separators.contains(c); };
    while (n < max) {
        while (i < line.size() && separates(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            break;
        }
        qsizetype end = i;
        while (end < line.size() && !separates(line[end])) {
            ++end;
        }
        out[n++] = line.sliced(i, end - i);
        i = end;
    }
    return n;
}

bool takeComment(QByteArrayView line, QString &name)
{
    if (!line.startsWith('#')) {
        return false;
    }
    const QByteArrayView comment = line.sliced(1).trimmed();
    if (comment.startsWith("NAME =")) {
        name = core::decodeName(comment.sliced(6)).trimmed();
    }
    return true;
}

bool isOutsideRule(QByteArrayView word)
{
    return word.compare("nv", Qt::CaseInsensitive) == 0 ||
           word.compare("default", Qt::CaseInsensitive) == 0;
}

std::optional<Rule> ruleValue(QByteArrayView word, int line)
{
    const bool percent = word.endsWith('%');
    const std::optional<double> value = finiteNumber(percent ? word.chopped(1) : word);
    if (!value) {
        return std::nullopt;
    }
    Rule rule;
    rule.value = *value;
    rule.percent = percent;
    rule.line = line;
    return rule;
}

core::Status placePercentages(std::vector<Rule> &rules, const std::optional<DataRange> &data,
                              const QString &label)
{
    if (!data) {
        const auto mixed = std::find_if(rules.begin(), rules.end(), [&](const Rule &r) {
            return r.percent != rules.front().percent;
        });
        if (mixed == rules.end()) {
            return {};
        }
        return core::fail(lineError(
            label, mixed->line,
            QStringLiteral("percentages mixed with values; set .importdata = ZMIN ZMAX to the "
                           "range of the data they are shares of")));
    }
    for (Rule &rule : rules) {
        if (rule.percent) {
            rule.value = data->zmin + rule.value / 100 * (data->zmax - data->zmin);
            rule.percent = false;
        }
    }
    return {};
}

core::Status carriedInXml(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i; // a whole character beyond the first plane
        } else if (c.isSurrogate() || c.unicode() >= 0xfffe) {
            return core::fail(QStringLiteral("the name holds %1, which this format cannot carry")
                                  .arg(core::codePoint(c.unicode())));
        }
    }
    return {};
}

QByteArray exact(double value)
{
    return QByteArray::number(value, 'g', 17);
}

double floatBelow(double bound)
{
    const float near = float(bound);
    return double(near) < bound ? double(near) : double(std::nextafter(near, -HUGE_VALF));
}

std::vector<FittedClass> heldClasses(const std::vector<FittedClass> &classes)
{
    std::vector<FittedClass> held;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const bool last = i + 1 == classes.size();
        if (classes[i].lo < classes[i].hi && (last || classes[i].lo <= floatBelow(classes[i].hi))) {
            held.push_back(classes[i]);
        }
    }
    if (held.empty()) { // one value only: a class of it, a little wide so that it is one
        held.push_back({classes.front().lo, classes.front().lo + 1, classes.front().rgb});
    }
    // The ends stand for everything beyond them, so the classes still meet.
    held.front().lo = classes.front().lo;
    held.back().hi = std::max(held.back().hi, classes.back().hi);
    for (std::size_t i = 1; i < held.size(); ++i) {
        held[i].lo = held[i - 1].hi;
    }
    return held;
}

std::vector<Rgb> coloursOrBelow(const std::vector<FittedClass> &classes)
{
    // Those at the foot, with none below, take the first colour there is.
    const auto first = std::find_if(classes.begin(), classes.end(),
                                    [](const FittedClass &c) { return c.rgb.has_value(); });
    std::optional<Rgb> below = first != classes.end() ? first->rgb : std::nullopt;
    std::vector<Rgb> out;
    for (const FittedClass &c : classes) {
        below = c.rgb ? c.rgb : below;
        out.push_back(below.value_or(Rgb{}));
    }
    return out;
}

double place(int symbol, const std::vector<Entry> &entries)
{
    const int first = entries.front().symbol;
    const int last = entries.back().symbol;
    return last == first ? 0.0 : double(symbol - first) / double(last - first);
}

std::vector<SymbolStop> symbolStops(const std::vector<Entry> &entries)
{
    std::vector<SymbolStop> stops;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries[i].symbol > entries[i - 1].symbol + 1) {
            const Entry &below = entries[i - 1];
            stops.push_back({below.symbol + 1, below.rgb, 0});
            if (entries[i].symbol - 1 > below.symbol + 1) {
                stops.push_back({entries[i].symbol - 1, below.rgb, 0});
            }
        }
        stops.push_back({entries[i].symbol, entries[i].rgb, 255});
    }
    return stops;
}

std::vector<GradientStop> entryStops(const std::vector<Entry> &entries)
{
    std::vector<GradientStop> stops;
    for (const SymbolStop &s : symbolStops(entries)) {
        stops.push_back({place(s.symbol, entries), fromRgb(s.rgb), double(s.alpha)});
    }
    return stops;
}

std::optional<ShadeTable> keyedRules(const std::vector<Rule> &stops)
{
    ShadeTable table;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const std::optional<int> symbol = wholeSymbol(stops[i].value);
        const bool contiguous =
            i == 0 || stops[i].value == stops[i - 1].value + 1 ||
            (stops[i].alpha == 0 && stops[i - 1].alpha == 0 && stops[i].value > stops[i - 1].value);
        if (stops[i].percent || !symbol || !contiguous) {
            return std::nullopt;
        }
        if (stops[i].alpha > 0) {
            table.set(*symbol, toRgb(stops[i].rgb));
        }
    }
    return table;
}

std::optional<ShadeTable> keyedHalfSteps(const std::vector<Rule> &rules)
{
    ShadeTable table;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const Rule &r = rules[i];
        const Rule *before = i > 0 ? &rules[i - 1] : nullptr;
        const std::optional<int> symbol = wholeSymbol(r.value);
        const bool afterHalf = before && !wholeSymbol(before->value);
        bool fits = false;
        if (symbol) {
            fits = !before || r.value == before->value + (afterHalf ? 0.5 : 1);
        } else if (before && !afterHalf && wholeSymbol(r.value + 0.5)) {
            fits = r.value > before->value + 1 && toRgb(r.rgb) == toRgb(before->rgb);
        }
        if (r.percent || !fits) {
            return std::nullopt;
        }
        if (symbol) {
            table.set(*symbol, toRgb(r.rgb));
        }
    }
    return table;
}

std::function<std::optional<Rgb>(double)> gradientColors(std::vector<GradientStop> stops,
                                                         bool discrete)
{
    return [stops = std::move(stops), discrete](double t) -> std::optional<Rgb> {
        // The stop at or below t, and the next; the last stop only for t at 1.
        std::size_t i = 0;
        while (i + 2 < stops.size() && stops[i + 1].offset <= t) {
            ++i;
        }
        const bool end = stops.size() == 1 || std::abs(t - 1) < 1e-12;
        const GradientStop &lo = end ? stops.back() : stops[i];
        const GradientStop &hi = end ? stops.back() : stops[i + 1];
        const double s =
            discrete || hi.offset <= lo.offset ? 0 : (t - lo.offset) / (hi.offset - lo.offset);
        if (std::lround(lerp(lo.alpha, hi.alpha, s)) == 0) {
            return std::nullopt;
        }
        return toRgb(mixRgb(lo.rgb, hi.rgb, s));
    };
}

std::optional<ShadeTable> keyedStops(const QString &firstText, const QString &lastText,
                                     const std::vector<GradientStop> &stops)
{
    const std::optional<double> first = finiteNumber(firstText);
    const std::optional<double> last = finiteNumber(lastText);
    if (!first || !last || !wholeSymbol(*first) || !wholeSymbol(*last) || *last < *first) {
        return std::nullopt;
    }
    ShadeTable table;
    for (const GradientStop &stop : stops) {
        const std::optional<int> symbol = wholeSymbol(*first + stop.offset * (*last - *first));
        if (!symbol) {
            return std::nullopt;
        }
        if (stop.alpha > 0) {
            table.set(*symbol, toRgb(stop.rgb));
        }
    }
    return table;
}

} // namespace tessel
