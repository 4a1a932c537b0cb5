// QGIS styles: the first gradient colour ramp (or the one chosen by name), discrete or
// continuous, coloured as QGIS colours it.
#include "Palette.h"

#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

struct Stop
{
    double offset = 0;
    Rgbf rgb;
    int alpha = 255;
};

// "r,g,b,a"; later QGIS versions add fields after the fourth.
std::optional<Stop> parseColor(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < 3) {
        return std::nullopt;
    }
    int channel[4] = {0, 0, 0, 255};
    for (int i = 0; i < std::min<int>(4, parts.size()); ++i) {
        bool ok = false;
        channel[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || channel[i] < 0 || channel[i] > 255) {
            return std::nullopt;
        }
    }
    return Stop{0, {channel[0] / 255.0, channel[1] / 255.0, channel[2] / 255.0}, channel[3]};
}

struct Ramp
{
    QString name;
    QHash<QString, QString> props;
};

// The properties of the chosen gradient ramp, from <prop k v> or <Option name value>.
std::optional<Ramp> findRamp(QXmlStreamReader &xml, const QString &choice)
{
    std::optional<Ramp> ramp;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("colorramp")) {
            const QString name = xml.attributes().value(QLatin1String("name")).toString();
            if (!ramp &&
                xml.attributes().value(QLatin1String("type")) == QLatin1String("gradient") &&
                (choice.isEmpty() || name == choice)) {
                ramp = Ramp{name, {}};
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("colorramp") && ramp) {
            return ramp;
        } else if (xml.isStartElement() && ramp) {
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1String("prop")) {
                ramp->props.insert(a.value(QLatin1String("k")).toString(),
                                   a.value(QLatin1String("v")).toString());
            } else if (xml.name() == QLatin1String("Option") &&
                       a.hasAttribute(QLatin1String("value"))) {
                ramp->props.insert(a.value(QLatin1String("name")).toString(),
                                   a.value(QLatin1String("value")).toString());
            }
        }
    }
    return std::nullopt;
}

// As Tessel exports them: the first and last symbols named, every stop on a whole symbol
// between, those of no opacity bounding runs of undefined ones.
std::optional<ShadeTable> keyedTable(const Ramp &ramp, const std::vector<Stop> &stops)
{
    const std::optional<double> first =
        finiteNumber(ramp.props.value(QStringLiteral("info_tessel_first")));
    const std::optional<double> last =
        finiteNumber(ramp.props.value(QStringLiteral("info_tessel_last")));
    if (!first || !last || !wholeSymbol(*first) || !wholeSymbol(*last) || *last < *first) {
        return std::nullopt;
    }
    ShadeTable table;
    for (const Stop &stop : stops) {
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

} // namespace

core::Result<Palette> readQgisStyle(const QByteArray &text, const QString &label,
                                    const QString &choice)
{
    QXmlStreamReader xml(text);
    const std::optional<Ramp> ramp = findRamp(xml, choice);
    if (xml.hasError()) {
        return core::fail(lineError(label, int(xml.lineNumber()), xml.errorString()));
    }
    const QString which = choice.isEmpty()
                              ? QStringLiteral("no gradient colour ramp")
                              : QStringLiteral("no gradient colour ramp named \"%1\"").arg(choice);
    if (!ramp) {
        return core::fail(label + QStringLiteral(": ") + which);
    }
    const QString where = QStringLiteral("%1: colour ramp \"%2\": ").arg(label, ramp->name);
    const std::optional<Stop> color1 = parseColor(ramp->props.value(QStringLiteral("color1")));
    const std::optional<Stop> color2 = parseColor(ramp->props.value(QStringLiteral("color2")));
    if (!color1 || !color2) {
        return core::fail(where + QStringLiteral("bad or missing color1 or color2"));
    }
    // The ends as stops at 0 and 1 around the others, sorted as QGIS sorts them.
    std::vector<Stop> stops{*color1};
    const QString stopText = ramp->props.value(QStringLiteral("stops"));
    for (const QString &item : stopText.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const std::optional<double> offset = finiteNumber(item.section(QLatin1Char(';'), 0, 0));
        std::optional<Stop> stop = parseColor(item.section(QLatin1Char(';'), 1, 1));
        if (!offset || *offset < 0 || *offset > 1 || !stop) {
            return core::fail(where + QStringLiteral("bad stop \"%1\"").arg(item));
        }
        stop->offset = *offset;
        stops.push_back(*stop);
    }
    std::stable_sort(stops.begin() + 1, stops.end(),
                     [](const Stop &a, const Stop &b) { return a.offset < b.offset; });
    stops.push_back(Stop{1, color2->rgb, color2->alpha});

    Palette palette;
    palette.name = ramp->name;
    palette.keyed = keyedTable(*ramp, stops);
    palette.zmin = 0;
    palette.zmax = 1;
    const bool discrete = ramp->props.value(QStringLiteral("discrete")) == QLatin1String("1");
    palette.colorAt = [stops, discrete](double t) -> std::optional<Rgb> {
        // The stop at or below t, and the next; the last stop only for t at 1.
        std::size_t i = 0;
        while (i + 2 < stops.size() && stops[i + 1].offset <= t) {
            ++i;
        }
        const Stop &lo = std::abs(t - 1) < 1e-12 ? stops.back() : stops[i];
        const Stop &hi = std::abs(t - 1) < 1e-12 ? stops.back() : stops[i + 1];
        const double s =
            discrete || hi.offset <= lo.offset ? 0 : (t - lo.offset) / (hi.offset - lo.offset);
        if (std::lround(lerp(lo.alpha, hi.alpha, s)) == 0) {
            return std::nullopt;
        }
        return toRgb(mixRgb(lo.rgb, hi.rgb, s));
    };
    return palette;
}

} // namespace tessel
