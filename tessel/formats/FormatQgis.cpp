// QGIS styles: the first gradient colour ramp (or the one chosen by name), discrete or
// continuous, coloured as QGIS colours it; written as a style with one gradient ramp.
#include "FormatIo.h"

#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace tessel {
namespace {

// "r,g,b,a"; later QGIS versions add fields after the fourth.
std::optional<GradientStop> parseColor(const QString &text)
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
    return GradientStop{
        0, {channel[0] / 255.0, channel[1] / 255.0, channel[2] / 255.0}, double(channel[3])};
}

QString commas(Rgbf c, double alpha)
{
    const Rgb rgb = toRgb(c);
    return QStringLiteral("%1,%2,%3,%4").arg(rgb.red).arg(rgb.green).arg(rgb.blue).arg(alpha);
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

// A style holding one gradient ramp of these properties.
QByteArray style(const QString &name, const std::vector<std::pair<QString, QString>> &props)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE qgis_style>"));
    xml.writeStartElement(QStringLiteral("qgis_style"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2"));
    xml.writeEmptyElement(QStringLiteral("symbols"));
    xml.writeStartElement(QStringLiteral("colorramps"));
    xml.writeStartElement(QStringLiteral("colorramp"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("gradient"));
    xml.writeAttribute(QStringLiteral("name"), name);
    for (const auto &[key, value] : props) {
        xml.writeEmptyElement(QStringLiteral("prop"));
        xml.writeAttribute(QStringLiteral("k"), key);
        xml.writeAttribute(QStringLiteral("v"), value);
    }
    xml.writeEndDocument();
    return out;
}

} // namespace

// A QGIS style: XML with colour ramps.
int scoreQgis(QByteArrayView bytes, QByteArrayView first)
{
    if (!first.startsWith('<')) {
        return 0;
    }
    return 1 + int(bytes.contains("<qgis_style") || bytes.contains("<colorramp"));
}

core::Result<Palette> readQgis(const QByteArray &bytes, const QString &label,
                               const ReadOptions &options)
{
    const QString &choice = options.choice;
    QXmlStreamReader xml(bytes);
    const std::optional<Ramp> ramp = findRamp(xml, choice);
    if (xml.hasError()) {
        return core::fail(lineError(label, int(xml.lineNumber()), xml.errorString()));
    }
    if (!ramp) {
        return core::fail(
            label + QStringLiteral(": ") +
            (choice.isEmpty()
                 ? QStringLiteral("no gradient colour ramp")
                 : QStringLiteral("no gradient colour ramp named \"%1\"").arg(choice)));
    }
    const QString where = QStringLiteral("%1: colour ramp \"%2\": ").arg(label, ramp->name);
    const auto prop = [&](const char *key) { return ramp->props.value(QLatin1String(key)); };
    const std::optional<GradientStop> color1 = parseColor(prop("color1"));
    const std::optional<GradientStop> color2 = parseColor(prop("color2"));
    if (!color1 || !color2) {
        return core::fail(where + QStringLiteral("bad or missing color1 or color2"));
    }
    // The ends as stops at 0 and 1 around the others, sorted as QGIS sorts them.
    std::vector<GradientStop> stops{*color1};
    for (const QString &item : prop("stops").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const std::optional<double> offset = finiteNumber(item.section(QLatin1Char(';'), 0, 0));
        std::optional<GradientStop> stop = parseColor(item.section(QLatin1Char(';'), 1, 1));
        if (!offset || *offset < 0 || *offset > 1 || !stop) {
            return core::fail(where + QStringLiteral("bad stop \"%1\"").arg(item));
        }
        stop->offset = *offset;
        stops.push_back(*stop);
    }
    std::stable_sort(
        stops.begin() + 1, stops.end(),
        [](const GradientStop &a, const GradientStop &b) { return a.offset < b.offset; });
    stops.push_back({1, color2->rgb, color2->alpha});

    Palette palette;
    palette.name = ramp->name;
    palette.keyed = keyedStops(prop("info_tessel_first"), prop("info_tessel_last"), stops);
    palette.zmin = 0;
    palette.zmax = 1;
    palette.colorAt = gradientColors(std::move(stops), prop("discrete") == QLatin1String("1"));
    return palette;
}

core::Result<QByteArray> writeQgis(const std::vector<Entry> &entries, const QString &name)
{
    if (const core::Status carried = carriedInXml(name); !carried) {
        return carried.failure();
    }
    // Stops at each symbol's place, to full precision, between the ends QGIS keeps apart.
    const std::vector<GradientStop> stops = entryStops(entries);
    QStringList inner;
    for (std::size_t i = 1; i + 1 < stops.size(); ++i) {
        inner << QString::number(stops[i].offset, 'g', 17) + QLatin1Char(';') +
                     commas(stops[i].rgb, stops[i].alpha);
    }
    // QGIS keeps "info_" properties with the ramp; Tessel reads its symbol numbers from them.
    return style(name,
                 {{QStringLiteral("color1"), commas(stops.front().rgb, 255)},
                  {QStringLiteral("color2"), commas(stops.back().rgb, 255)},
                  {QStringLiteral("discrete"), QStringLiteral("0")},
                  {QStringLiteral("rampType"), QStringLiteral("gradient")},
                  {QStringLiteral("stops"), inner.join(QLatin1Char(':'))},
                  {QStringLiteral("info_tessel_first"), QString::number(entries.front().symbol)},
                  {QStringLiteral("info_tessel_last"), QString::number(entries.back().symbol)}});
}

core::Result<QByteArray> writeQgisFitted(const std::vector<FittedClass> &fitted,
                                         const QString &name)
{
    if (const core::Status carried = carriedInXml(name); !carried) {
        return carried.failure();
    }
    // A discrete ramp from the lowest value to the highest: each class's colour from its
    // lowest value on, none for an undefined one. With the renderer's minimum and maximum at
    // info_tessel_min and info_tessel_max, QGIS colours the grid as Tessel does.
    const std::vector<FittedClass> classes = heldClasses(fitted);
    const double lo = classes.front().lo;
    const double hi = classes.back().hi;
    const auto colour = [](const FittedClass &c) {
        return commas(fromRgb(c.rgb.value_or(Rgb{})), c.rgb ? 255 : 0);
    };
    QStringList inner;
    for (std::size_t i = 1; i < classes.size(); ++i) {
        inner << QString::number((classes[i].lo - lo) / (hi - lo), 'g', 17) + QLatin1Char(';') +
                     colour(classes[i]);
    }
    return style(name, {{QStringLiteral("color1"), colour(classes.front())},
                        {QStringLiteral("color2"), colour(classes.back())},
                        {QStringLiteral("discrete"), QStringLiteral("1")},
                        {QStringLiteral("rampType"), QStringLiteral("gradient")},
                        {QStringLiteral("stops"), inner.join(QLatin1Char(':'))},
                        {QStringLiteral("info_tessel_min"), QString::number(lo, 'g', 17)},
                        {QStringLiteral("info_tessel_max"), QString::number(hi, 'g', 17)}});
}

} // namespace tessel
