// GIMP gradients (.ggr): segments blended as GIMP 2.10 blends them, linear, curved, sine,
// spherical or stepped, in RGB or round the HSV hue circle; written as a linear segment
// from each symbol to the next.
#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr double kEpsilon = 1e-10; // GIMP's, for a segment or a midpoint of no width
constexpr QByteArrayView kHeader = "GIMP Gradient";
constexpr QByteArrayView kSymbols = "# Tessel symbols "; // after the segments; GIMP stops before

struct Rgba
{
    double r = 0, g = 0, b = 0, a = 1;
};

enum class Blend
{
    Linear,
    Curved,
    Sine,
    SphereIncreasing,
    SphereDecreasing,
    Step
};
enum class Colouring
{
    Rgb,
    HsvCounterClockwise,
    HsvClockwise
};

struct Segment
{
    double left = 0, middle = 0, right = 0;
    Rgba from, to;
    Blend blend = Blend::Linear;
    Colouring colouring = Colouring::Rgb;
};

double linearFactor(double middle, double pos)
{
    if (pos <= middle) {
        return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
    }
    pos -= middle;
    middle = 1.0 - middle;
    return middle < kEpsilon ? 1.0 : 0.5 + 0.5 * pos / middle;
}

double factor(Blend blend, double middle, double pos)
{
    switch (blend) {
    case Blend::Linear:
        return linearFactor(middle, pos);
    case Blend::Curved:
        return std::pow(pos, std::log(0.5) / std::log(std::max(middle, kEpsilon)));
    case Blend::Sine:
        return (std::sin(-M_PI / 2.0 + M_PI * linearFactor(middle, pos)) + 1.0) / 2.0;
    case Blend::SphereIncreasing: {
        const double p = linearFactor(middle, pos) - 1.0;
        return std::sqrt(1.0 - p * p);
    }
    case Blend::SphereDecreasing: {
        const double p = linearFactor(middle, pos);
        return 1.0 - std::sqrt(1.0 - p * p);
    }
    case Blend::Step:
        return pos >= middle ? 1.0 : 0.0;
    }
    return 0;
}

// GIMP's own HSV, hue from 0 to 1.
struct GimpHsv
{
    double h = 0, s = 0, v = 0;
};

GimpHsv toGimpHsv(const Rgba &c)
{
    const double max = std::max({c.r, c.g, c.b});
    const double delta = max - std::min({c.r, c.g, c.b});
    GimpHsv out{0, 0, max};
    if (delta > 0.0001) {
        out.s = delta / max;
        if (c.r == max) {
            out.h = (c.g - c.b) / delta;
            out.h += out.h < 0.0 ? 6.0 : 0.0;
        } else if (c.g == max) {
            out.h = 2.0 + (c.b - c.r) / delta;
        } else {
            out.h = 4.0 + (c.r - c.g) / delta;
        }
        out.h /= 6.0;
    }
    return out;
}

Rgbf fromGimpHsv(const GimpHsv &c)
{
    if (c.s == 0.0) {
        return {c.v, c.v, c.v};
    }
    const double hue = (c.h == 1.0 ? 0.0 : c.h) * 6.0;
    const int i = int(hue);
    const double f = hue - i;
    const double w = c.v * (1.0 - c.s);
    const double q = c.v * (1.0 - c.s * f);
    const double t = c.v * (1.0 - c.s * (1.0 - f));
    switch (i) {
    case 0:
        return {c.v, t, w};
    case 1:
        return {q, c.v, w};
    case 2:
        return {w, c.v, t};
    case 3:
        return {w, q, c.v};
    case 4:
        return {t, w, c.v};
    default:
        return {c.v, w, q};
    }
}

// The colour of a segment where a share `f` of the way from its left colour to its right.
Rgba blendColours(const Segment &s, double f)
{
    const Rgba &a = s.from;
    const Rgba &b = s.to;
    Rgba out{0, 0, 0, a.a + (b.a - a.a) * f};
    if (s.colouring == Colouring::Rgb) {
        out.r = a.r + (b.r - a.r) * f;
        out.g = a.g + (b.g - a.g) * f;
        out.b = a.b + (b.b - a.b) * f;
        return out;
    }
    GimpHsv l = toGimpHsv(a);
    const GimpHsv r = toGimpHsv(b);
    l.s += (r.s - l.s) * f;
    l.v += (r.v - l.v) * f;
    if (s.colouring == Colouring::HsvCounterClockwise) {
        l.h += (l.h < r.h ? r.h - l.h : 1.0 - (l.h - r.h)) * f;
        l.h -= l.h > 1.0 ? 1.0 : 0.0;
    } else {
        l.h -= (r.h < l.h ? l.h - r.h : 1.0 - (r.h - l.h)) * f;
        l.h += l.h < 0.0 ? 1.0 : 0.0;
    }
    const Rgbf rgb = fromGimpHsv(l);
    out.r = rgb.r;
    out.g = rgb.g;
    out.b = rgb.b;
    return out;
}

// GIMP's colour at `pos`: a segment's right end belongs to the next segment.
Rgba colourAt(const std::vector<Segment> &segments, double pos)
{
    pos = std::clamp(pos, 0.0, 1.0);
    std::size_t i = 0;
    while (i + 1 < segments.size() && pos >= segments[i].right) {
        ++i;
    }
    const Segment &s = segments[i];
    const double width = s.right - s.left;
    const double middle = width < kEpsilon ? 0.5 : (s.middle - s.left) / width;
    const double at = width < kEpsilon ? 0.5 : (pos - s.left) / width;
    return blendColours(s, factor(s.blend, middle, at));
}

// An endpoint's colour where the extended columns take it from the foreground or the
// background, with GIMP's defaults: black and white, opaque or transparent.
std::optional<Rgba> endpoint(int kind, const Rgba &fixed)
{
    switch (kind) {
    case 0:
        return fixed;
    case 1:
    case 2:
        return Rgba{0, 0, 0, kind == 1 ? 1.0 : 0.0};
    case 3:
    case 4:
        return Rgba{1, 1, 1, kind == 3 ? 1.0 : 0.0};
    default:
        return std::nullopt;
    }
}

core::Result<Segment> readSegment(QByteArrayView line)
{
    QByteArrayView w[16];
    const int n = splitAt(line, w, 16, " \t\r");
    if (n != 13 && n != 15) {
        return core::fail(QStringLiteral("expected 13 or 15 numbers in a segment, not %1").arg(n));
    }
    double v[15] = {};
    for (int i = 0; i < n; ++i) {
        const std::optional<double> read = finiteNumber(w[i]);
        if (!read || (i >= 11 && *read != std::floor(*read))) {
            return core::fail(QStringLiteral("bad number \"%1\"").arg(QString::fromUtf8(w[i])));
        }
        v[i] = *read;
    }
    Segment s{v[0], v[1], v[2], {v[3], v[4], v[5], v[6]}, {v[7], v[8], v[9], v[10]}};
    if (v[11] < 0 || v[11] > 5 || v[12] < 0 || v[12] > 2) {
        return core::fail(QStringLiteral("unknown segment type %1 or colouring %2")
                              .arg(int(v[11]))
                              .arg(int(v[12])));
    }
    s.blend = Blend(int(v[11]));
    s.colouring = Colouring(int(v[12]));
    const std::optional<Rgba> from = endpoint(n == 15 ? int(v[13]) : 0, s.from);
    const std::optional<Rgba> to = endpoint(n == 15 ? int(v[14]) : 0, s.to);
    if (!from || !to) {
        return core::fail(QStringLiteral("unknown endpoint colour type"));
    }
    s.from = *from;
    s.to = *to;
    if (!(s.left <= s.middle && s.middle <= s.right)) {
        return core::fail(QStringLiteral("the middle is not between the ends"));
    }
    return s;
}

QByteArray written(double value)
{
    return value == 0 ? QByteArray("0") : value == 1 ? QByteArray("1") : exact(value);
}

} // namespace

// The header is GIMP's own; its segment lines of 13 or 15 numbers are too.
LineScore scoreGimpLine(QByteArrayView line)
{
    if (line == kHeader || line.startsWith("Name:")) {
        return {true, true, false};
    }
    QByteArrayView w[16];
    const int n = splitAt(line, w, 16, " \t\r");
    const bool numbers =
        std::all_of(w, w + n, [](QByteArrayView word) { return number(word).has_value(); });
    return {numbers && (n == 1 || n == 13 || n == 15), numbers && (n == 13 || n == 15),
            !numbers && !line.startsWith(kSymbols)};
}

core::Result<Palette> readGimp(const QByteArray &bytes, const QString &label, const ReadOptions &)
{
    TextLines lines(bytes);
    const auto fail = [&](const QString &what) {
        return core::fail(lineError(label, lines.number(), what));
    };
    if (!lines.next() || lines.line() != kHeader) {
        return fail(QStringLiteral("not a GIMP gradient (\"GIMP Gradient\" comes first)"));
    }
    Palette palette;
    if (!lines.next()) {
        return fail(QStringLiteral("the number of segments is missing"));
    }
    if (lines.line().startsWith("Name:")) {
        palette.name = QString::fromUtf8(lines.line().sliced(5)).trimmed();
        if (!lines.next()) {
            return fail(QStringLiteral("the number of segments is missing"));
        }
    }
    const std::optional<double> count = finiteNumber(lines.line());
    if (!count || *count < 1 || *count != std::floor(*count) || *count > 100000) {
        return fail(
            QStringLiteral("bad number of segments \"%1\"").arg(QString::fromUtf8(lines.line())));
    }
    std::vector<Segment> segments;
    while (int(segments.size()) < int(*count)) {
        if (!lines.next()) {
            return fail(QStringLiteral("%1 segments announced, %2 found")
                            .arg(int(*count))
                            .arg(segments.size()));
        }
        core::Result<Segment> s = readSegment(lines.line());
        const double expected = segments.empty() ? 0.0 : segments.back().right;
        if (s && std::abs(s->left - expected) > 1e-6) {
            s = core::fail(QStringLiteral("the segment starts at %1, not where the one before "
                                          "ends (%2)")
                               .arg(s->left)
                               .arg(expected));
        }
        if (!s) {
            return fail(s.error());
        }
        segments.push_back(*s);
    }
    if (std::abs(segments.back().right - 1) > 1e-6) {
        return fail(
            QStringLiteral("the last segment ends at %1, not at 1").arg(segments.back().right));
    }
    // As Tessel writes them: its first and last symbols after the segments.
    if (lines.next() && lines.line().startsWith(kSymbols)) {
        const QStringList ends = QString::fromUtf8(lines.line().sliced(kSymbols.size())).split(' ');
        std::vector<GradientStop> stops;
        for (const Segment &s : segments) {
            stops.push_back({s.left, {s.from.r, s.from.g, s.from.b}, 255 * s.from.a});
        }
        stops.push_back({1,
                         {segments.back().to.r, segments.back().to.g, segments.back().to.b},
                         255 * segments.back().to.a});
        palette.keyed = keyedStops(ends.value(0), ends.value(1), stops);
    }
    palette.zmin = 0;
    palette.zmax = 1;
    palette.cutAsShare = true;
    palette.colorAt = [segments](double z) -> std::optional<Rgb> {
        const Rgba c = colourAt(segments, z);
        if (std::lround(255 * c.a) == 0) { // a blend that leaves no opacity is no colour
            return std::nullopt;
        }
        return toRgb({c.r, c.g, c.b});
    };
    return palette;
}

core::Result<QByteArray> writeGimp(const std::vector<Entry> &entries, const QString &name)
{
    // A linear segment in RGB from each stop to the next, its middle half-way: each symbol
    // is the left end of the segment that starts at it. A run of undefined symbols is bounded
    // by stops of no opacity, and the first and last symbols follow the segments.
    std::vector<GradientStop> stops = entryStops(entries);
    if (stops.size() == 1) {
        stops.push_back(stops.front());
        stops.front().offset = 0;
        stops.back().offset = 1;
    }
    QByteArray out = kHeader.toByteArray() + "\nName: " + name.toUtf8() + '\n' +
                     QByteArray::number(stops.size() - 1) + '\n';
    const auto colour = [](const GradientStop &s) {
        return written(s.rgb.r) + ' ' + written(s.rgb.g) + ' ' + written(s.rgb.b) + ' ' +
               written(s.alpha / 255);
    };
    for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
        const double left = stops[i].offset;
        const double right = stops[i + 1].offset;
        out += written(left) + ' ' + written(left + (right - left) / 2) + ' ' + written(right) +
               ' ' + colour(stops[i]) + ' ' + colour(stops[i + 1]) + " 0 0\n";
    }
    return out + kSymbols.toByteArray() + QByteArray::number(entries.front().symbol) + ' ' +
           QByteArray::number(entries.back().symbol) + '\n';
}

} // namespace tessel
