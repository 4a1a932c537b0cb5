// ParaView colour-map presets: the first with RGBPoints (or the one chosen by name),
// interpolated in its colour space as ParaView interpolates it.
#include "Palette.h"

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

core::Result<Palette> readParaviewPresets(const QByteArray &text, const QString &label,
                                          const QString &choice)
{
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
    // Sorted as ParaView sorts its points; of two at one place, the later one counts.
    std::stable_sort(points.begin(), points.end(),
                     [](const Point &a, const Point &b) { return a.x < b.x; });
    std::vector<Point> unique;
    for (const Point &p : points) {
        if (!unique.empty() && unique.back().x == p.x) {
            unique.back() = p;
        } else {
            unique.push_back(p);
        }
    }
    points.swap(unique);

    const QString space =
        preset.value(QLatin1String("ColorSpace")).toString(QStringLiteral("Diverging"));
    // ParaView turns the hue the short way round only when the preset asks for it.
    const bool wrap = preset.value(QLatin1String("HSVWrap")).toBool(false);
    const bool step = space.compare(QLatin1String("Step"), Qt::CaseInsensitive) == 0;
    Mix mix = nullptr;
    if (space.compare(QLatin1String("RGB"), Qt::CaseInsensitive) == 0 || step) {
        mix = mixRgb;
    } else if (space.compare(QLatin1String("HSV"), Qt::CaseInsensitive) == 0) {
        mix = wrap ? mixHsvWrapped : mixHsvPlain;
    } else if (space.compare(QLatin1String("Lab"), Qt::CaseInsensitive) == 0) {
        mix = mixLab;
    } else if (space.compare(QLatin1String("Diverging"), Qt::CaseInsensitive) == 0) {
        mix = mixDiverging;
    } else {
        return core::fail(where + QStringLiteral("unsupported ColorSpace \"%1\"").arg(space));
    }
    palette.keyed = keyedTable(preset, points);
    palette.zmin = points.front().x;
    palette.zmax = points.back().x;
    palette.colorAt = [points, mix, step](double x) -> std::optional<Rgb> {
        auto above = std::lower_bound(points.begin(), points.end(), x,
                                      [](const Point &p, double v) { return p.x < v; });
        if (above == points.end()) {
            return toRgb(points.back().rgb);
        }
        if (above == points.begin() || above->x == x || step) {
            return toRgb(above->rgb); // a step takes the point at or above
        }
        const Point &lo = *(above - 1);
        return toRgb(mix(lo.rgb, above->rgb, fraction(x, lo.x, above->x)));
    };
    return palette;
}

} // namespace tessel
