// ParaView colour-map presets: the first with RGBPoints (or the one chosen by name),
// interpolated in its colour space as ParaView interpolates it; written as a preset.
#include "FormatIo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

struct Point
{
    double x = 0;
    Rgbf rgb;
};

using Mix = Rgbf (*)(const Rgbf &, const Rgbf &, double);

Rgbf mixHsvWrapped(const Rgbf &a, const Rgbf &b, double s)
{
    return mixHsv(a, b, s, true);
}

Rgbf mixHsvPlain(const Rgbf &a, const Rgbf &b, double s)
{
    return mixHsv(a, b, s, false);
}

// The points in the order ParaView keeps them: applying a preset, it sorts them by x with
// std::sort, which is not stable, and keeps points of one x in the order that sort leaves.
// The same sort of the same sequence leaves them in that order here (both use GCC's
// library); ParaView then draws the lower x's side of such a place to the first of its
// points and the upper side from the last.
void sortAsParaview(std::vector<Point> &points)
{
    std::sort(points.begin(), points.end(),
              [](const Point &a, const Point &b) { return a.x < b.x; });
}

// The line number of a byte offset, for JSON errors.
int lineOf(const QByteArray &text, int offset)
{
    return int(text.left(offset).count('\n')) + 1;
}

// As Tessel exports them: the first and last symbols named, every point on a whole symbol
// but the half-way points that give a run of undefined symbols its colour.
std::optional<ShadeTable> keyedTable(const QJsonObject &preset, const std::vector<Point> &points)
{
    const QJsonArray symbols = preset.value(QLatin1String("TesselSymbols")).toArray();
    const std::optional<int> first = wholeSymbol(symbols.at(0).toDouble(-1));
    const std::optional<int> last = wholeSymbol(symbols.at(1).toDouble(-1));
    if (symbols.size() != 2 || !first || !last || *last < *first) {
        return std::nullopt;
    }
    ShadeTable table;
    for (const Point &p : points) {
        const double at = *first + p.x * (*last - *first);
        if (const std::optional<int> symbol = wholeSymbol(at)) {
            table.set(*symbol, toRgb(p.rgb));
        } else if (!wholeSymbol(at + 0.5)) {
            return std::nullopt;
        }
    }
    return table;
}

} // namespace

// JSON, the more so with RGBPoints in it.
int scoreParaview(QByteArrayView bytes, QByteArrayView first)
{
    if (!first.startsWith('[') && !first.startsWith('{')) {
        return 0;
    }
    return 1 + int(bytes.contains("\"RGBPoints\""));
}

core::Result<Palette> readParaview(const QByteArray &text, const QString &label,
                                   const ReadOptions &options)
{
    const QString &choice = options.choice;
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return core::fail(lineError(label, lineOf(text, parseError.offset),
                                    QStringLiteral("not JSON: ") + parseError.errorString()));
    }
    const QJsonArray presets = doc.isArray() ? doc.array() : QJsonArray{doc.object()};
    QJsonObject preset;
    for (const QJsonValue &value : presets) {
        const QJsonObject object = value.toObject();
        if (object.value(QLatin1String("RGBPoints")).isArray() &&
            (choice.isEmpty() || object.value(QLatin1String("Name")).toString() == choice)) {
            preset = object;
            break;
        }
    }
    if (preset.isEmpty()) {
        return core::fail(
            label + (choice.isEmpty()
                         ? QStringLiteral(": no preset with RGBPoints")
                         : QStringLiteral(": no preset named \"%1\" with RGBPoints").arg(choice)));
    }
    Palette palette;
    palette.name = preset.value(QLatin1String("Name")).toString();
    const QString where = QStringLiteral("%1: preset \"%2\": ").arg(label, palette.name);
    const QJsonArray numbers = preset.value(QLatin1String("RGBPoints")).toArray();
    if (numbers.isEmpty() || numbers.size() % 4 != 0) {
        return core::fail(
            where +
            QStringLiteral("RGBPoints holds %1 numbers, not a multiple of 4").arg(numbers.size()));
    }
    std::vector<Point> points;
    for (int i = 0; i < numbers.size(); i += 4) {
        double v[4];
        for (int j = 0; j < 4; ++j) {
            v[j] = numbers[i + j].toDouble(std::nan(""));
            if (!std::isfinite(v[j]) || (j > 0 && (v[j] < 0 || v[j] > 1))) {
                return core::fail(where + QStringLiteral("RGBPoints number %1 is no %2")
                                              .arg(i + j + 1)
                                              .arg(j ? "channel from 0 to 1" : "finite number"));
            }
        }
        points.push_back({v[0], {v[1], v[2], v[3]}});
    }
    sortAsParaview(points);

    // A new colour map of ParaView's interpolates as Diverging; a name ParaView does not
    // know (it matches them exactly) leaves it in RGB.
    const QString space =
        preset.value(QLatin1String("ColorSpace")).toString(QStringLiteral("Diverging"));
    // ParaView turns the hue the short way round only when the preset asks for it.
    const bool wrap = preset.value(QLatin1String("HSVWrap")).toBool(false);
    const bool step = space == u"Step";
    Mix mix = mixRgb;
    if (space == u"HSV") {
        mix = wrap ? mixHsvWrapped : mixHsvPlain;
    } else if (space == u"Lab") {
        mix = mixLab;
    } else if (space == u"Diverging") {
        mix = mixDiverging;
    } else if (space == u"Lab/CIEDE2000") {
        return core::fail(where + QStringLiteral("unsupported ColorSpace \"%1\"").arg(space));
    }
    palette.keyed = keyedTable(preset, points);
    palette.zmin = points.front().x;
    palette.zmax = points.back().x;
    palette.cutAsShare = true;
    palette.colorAt = [points, mix, step](double x) -> std::optional<Rgb> {
        auto above = std::lower_bound(points.begin(), points.end(), x,
                                      [](const Point &p, double v) { return p.x < v; });
        if (above == points.end()) {
            return toRgb(points.back().rgb);
        }
        // ParaView (VTK's colour transfer function) colours an x on a point with the stretch
        // that ends there, at its end: in every space, Diverging too, that is the point's own
        // colour; the first point, and a step, take the point at or above.
        if (above == points.begin() || above->x == x || step) {
            return toRgb(above->rgb);
        }
        const Point &lo = *(above - 1);
        return toRgb(mix(lo.rgb, above->rgb, fraction(x, lo.x, above->x)));
    };
    return palette;
}

core::Result<QByteArray> writeParaview(const std::vector<Entry> &entries, const QString &name)
{
    // Points at each symbol's place, to full precision, and one table value per symbol, so
    // the table samples every symbol exactly. A preset holds no "no colour": a run of
    // undefined symbols takes the colour of the symbol below, from a point half a symbol
    // before the next defined one.
    QJsonArray points;
    const auto point = [&](double symbol, Rgb c) {
        const int first = entries.front().symbol;
        const int last = entries.back().symbol;
        points << (last == first ? 0.0 : (symbol - first) / double(last - first)) << c.red / 255.0
               << c.green / 255.0 << c.blue / 255.0;
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries[i].symbol > entries[i - 1].symbol + 1) {
            point(entries[i].symbol - 0.5, entries[i - 1].rgb);
        }
        point(entries[i].symbol, entries[i].rgb);
    }
    if (entries.size() == 1) { // two points span 0 to 1
        point(entries.front().symbol + 1, entries.front().rgb);
    }
    QJsonObject preset;
    preset[QStringLiteral("Name")] = name;
    preset[QStringLiteral("ColorSpace")] = QStringLiteral("RGB");
    preset[QStringLiteral("NanColor")] = QJsonArray{0.5, 0.5, 0.5};
    preset[QStringLiteral("Discretize")] = 1;
    preset[QStringLiteral("NumberOfTableValues")] =
        entries.back().symbol - entries.front().symbol + 1;
    preset[QStringLiteral("RGBPoints")] = points;
    preset[QStringLiteral("TesselSymbols")] =
        QJsonArray{entries.front().symbol, entries.back().symbol};
    return QJsonDocument(QJsonArray{preset}).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace tessel
