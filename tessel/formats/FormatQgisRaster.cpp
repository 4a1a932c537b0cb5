// QGIS's colour ramp shader, as it colours a raster: from a colour map file ("Export color
// map to file") or from a layer style (.qml) of a single-band pseudocolor renderer; each of
// its interpolations as QgsColorRampShader::shade colours a value. Written with an item a
// symbol, interpolated, or fitted to a grid's data as discrete classes.
#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <QColor>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessel {
namespace {

constexpr QByteArrayView kColorMapHeader = "# QGIS Generated Color Map Export File";

enum class Ramp
{
    Interpolated,
    Discrete,
    Exact
};

struct Item
{
    double value = 0;
    int rgba[4] = {0, 0, 0, 255};
};

std::optional<Ramp> rampType(const QString &word)
{
    const QString upper = word.trimmed().toUpper();
    return upper == u"INTERPOLATED" ? std::optional(Ramp::Interpolated)
           : upper == u"DISCRETE"   ? std::optional(Ramp::Discrete)
           : upper == u"EXACT"      ? std::optional(Ramp::Exact)
                                    : std::nullopt;
}

std::optional<Rgb> colourOf(const int *rgba)
{
    return rgba[3] == 0 ? std::nullopt
                        : std::optional(Rgb{std::uint8_t(rgba[0]), std::uint8_t(rgba[1]),
                                            std::uint8_t(rgba[2])});
}

// shade(): the first item at or above the value; between it and the one below, a blend of
// their channels, each cut to a whole number, in single precision as QGIS computes it.
std::optional<Rgb> shade(const std::vector<Item> &items, Ramp ramp, bool clip, double z)
{
    const auto at = std::lower_bound(items.begin(), items.end(), z,
                                     [](const Item &item, double v) { return item.value < v; });
    const bool overflow = at == items.end();
    if (overflow && (clip || ramp != Ramp::Interpolated)) {
        return std::nullopt;
    }
    const Item &here = overflow ? items.back() : *at;
    if (ramp == Ramp::Exact) {
        return here.value <= z ? colourOf(here.rgba) : std::nullopt;
    }
    if (ramp == Ramp::Discrete || at == items.begin() || overflow || here.value <= z) {
        return colourOf(here.rgba);
    }
    const Item &below = *(at - 1);
    const float range = float(here.value - below.value);
    const float scale = float(z - below.value) / range;
    int out[4];
    for (int c = 0; c < 4; ++c) {
        out[c] = below.rgba[c] + int(float(here.rgba[c] - below.rgba[c]) * scale);
    }
    return colourOf(out);
}

Palette rampPalette(std::vector<Item> items, Ramp ramp, bool clip)
{
    std::stable_sort(items.begin(), items.end(),
                     [](const Item &a, const Item &b) { return a.value < b.value; });
    Palette palette;
    palette.valued = true;
    std::vector<Rule> rules;
    for (const Item &item : items) {
        Rule rule;
        rule.value = item.value;
        rule.rgb = fromRgb(
            {std::uint8_t(item.rgba[0]), std::uint8_t(item.rgba[1]), std::uint8_t(item.rgba[2])});
        rule.alpha = item.rgba[3] / 255.0;
        rules.push_back(rule);
    }
    if (ramp == Ramp::Interpolated) {
        palette.keyed = keyedRules(rules);
    }
    // The values it spans; a class that runs on to infinity is given the width of the one
    // below, so that its colour is seen.
    palette.zmin = items.front().value;
    palette.zmax = items.back().value;
    if (!std::isfinite(palette.zmax) && items.size() > 1) {
        const double below = items[items.size() - 2].value;
        const double before = items.size() > 2 ? items[items.size() - 3].value : palette.zmin;
        palette.zmax = below + std::max(below - before, 1.0);
    }
    palette.colorAt = [items = std::move(items), ramp, clip](double z) {
        return shade(items, ramp, clip, z);
    };
    return palette;
}

// Each symbol its own value, interpolated; a run of undefined ones bounded by items of no
// opacity in the colour below.
std::vector<Item> entryItems(const std::vector<Entry> &entries)
{
    std::vector<Item> items;
    for (const SymbolStop &s : symbolStops(entries)) {
        items.push_back({double(s.symbol), {s.rgb.red, s.rgb.green, s.rgb.blue, s.alpha}});
    }
    return items;
}

// Discrete classes: QGIS gives a value the first item at or above it, so each class's item
// stands at the last float below the next class, and the last at infinity.
std::vector<Item> fittedItems(const std::vector<FittedClass> &fitted)
{
    const std::vector<FittedClass> classes = heldClasses(fitted);
    const std::vector<Rgb> colours = coloursOrBelow(classes);
    std::vector<Item> items;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const Rgb c = colours[i];
        items.push_back({i + 1 == classes.size() ? std::numeric_limits<double>::infinity()
                                                 : floatBelow(classes[i].hi),
                         {c.red, c.green, c.blue, classes[i].rgb ? 255 : 0}});
    }
    return items;
}

QByteArray value(double v)
{
    return std::isinf(v) ? QByteArray("inf") : exact(v);
}

QByteArray colorMapFile(const std::vector<Item> &items, Ramp ramp, const QString &name)
{
    QByteArray out = kColorMapHeader.toByteArray() + "\n# NAME = " + name.toUtf8() +
                     "\nINTERPOLATION:" + (ramp == Ramp::Discrete ? "DISCRETE" : "INTERPOLATED") +
                     '\n';
    for (const Item &item : items) {
        // QGIS refuses an item without a label: each is labelled by its value.
        out += value(item.value) + ',' + QByteArray::number(item.rgba[0]) + ',' +
               QByteArray::number(item.rgba[1]) + ',' + QByteArray::number(item.rgba[2]) + ',' +
               QByteArray::number(item.rgba[3]) + ',' + value(item.value) + '\n';
    }
    return out;
}

QByteArray xmlText(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('"'), QLatin1String("&quot;")).toUtf8();
}

QByteArray layerStyle(const std::vector<Item> &items, Ramp ramp, const QString &name, double lo,
                      double hi)
{
    const QByteArray min = exact(lo);
    const QByteArray max = exact(hi);
    QByteArray out = "<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>\n"
                     "<qgis version=\"3.22.0\" styleCategories=\"Symbology|CustomProperties\">\n"
                     "  <pipe>\n"
                     "    <rasterrenderer type=\"singlebandpseudocolor\" band=\"1\" opacity=\"1\" "
                     "alphaBand=\"-1\" classificationMin=\"" +
                     min + "\" classificationMax=\"" + max +
                     "\" nodataColor=\"\">\n"
                     "      <rasterTransparency/>\n"
                     "      <minMaxOrigin><limits>None</limits><extent>WholeRaster</extent>"
                     "<statAccuracy>Estimated</statAccuracy></minMaxOrigin>\n"
                     "      <rastershader>\n"
                     "        <colorrampshader colorRampType=\"" +
                     (ramp == Ramp::Discrete ? "DISCRETE" : "INTERPOLATED") +
                     "\" classificationMode=\"1\" clip=\"0\" minimumValue=\"" + min +
                     "\" maximumValue=\"" + max + "\" labelPrecision=\"6\">\n";
    for (const Item &item : items) {
        out += "          <item value=\"" + value(item.value) + "\" label=\"" + value(item.value) +
               "\" color=\"" + QColor(item.rgba[0], item.rgba[1], item.rgba[2]).name().toLatin1() +
               "\" alpha=\"" + QByteArray::number(item.rgba[3]) + "\"/>\n";
    }
    return out +
           "        </colorrampshader>\n      </rastershader>\n    </rasterrenderer>\n"
           "  </pipe>\n  <customproperties>\n    <Option type=\"Map\">\n"
           "      <Option type=\"QString\" name=\"tessel_name\" value=\"" +
           xmlText(name) + "\"/>\n    </Option>\n  </customproperties>\n</qgis>\n";
}

std::optional<int> channel(const QString &word)
{
    bool ok = false;
    const int v = word.trimmed().toInt(&ok);
    return ok && v >= 0 && v <= 255 ? std::optional(v) : std::nullopt;
}

} // namespace

// The header and the interpolation line are QGIS's alone; items are "value,R,G,B,A,label".
LineScore scoreQgisColorMapLine(QByteArrayView line)
{
    if (line == kColorMapHeader || line.startsWith("INTERPOLATION:")) {
        return {true, true, false};
    }
    if (line.startsWith('#')) {
        return {};
    }
    QByteArrayView w[7];
    const int n = splitAt(line, w, 7, ",");
    const bool fits = n == 6 && number(w[0]);
    return {fits, fits, !fits};
}

core::Result<Palette> readQgisColorMap(const QByteArray &bytes, const QString &label,
                                       const ReadOptions &)
{
    std::vector<Item> items;
    Ramp ramp = Ramp::Interpolated;
    QString name;
    TextLines lines(bytes);
    while (lines.next()) {
        const QString line = QString::fromUtf8(lines.line());
        const auto fail = [&](const QString &what) {
            return core::fail(lineError(label, lines.number(), what));
        };
        if (line.trimmed().isEmpty() || takeComment(lines.line(), name)) {
            continue;
        }
        if (line.contains(QLatin1String("INTERPOLATION"), Qt::CaseInsensitive)) {
            const std::optional<Ramp> type = rampType(line.section(QLatin1Char(':'), 1));
            if (line.count(QLatin1Char(':')) != 1 || !type) {
                return fail(
                    QStringLiteral("expected INTERPOLATION:INTERPOLATED, DISCRETE or EXACT"));
            }
            ramp = *type;
            continue;
        }
        // As QGIS reads an item: six fields, a label among them.
        const QStringList fields = line.split(QLatin1Char(','));
        const std::optional<double> v =
            fields.size() == 6 ? finiteNumber(fields[0].trimmed()) : std::nullopt;
        const bool infinite = fields.size() == 6 && fields[0].trimmed() == u"inf";
        Item item;
        item.value = infinite ? std::numeric_limits<double>::infinity() : v.value_or(0);
        for (int c = 0; c < 4 && fields.size() == 6; ++c) {
            const std::optional<int> read = channel(fields[c + 1]);
            item.rgba[c] = read.value_or(-1);
        }
        if ((!v && !infinite) || fields.value(5).isEmpty() ||
            std::any_of(item.rgba, item.rgba + 4, [](int c) { return c < 0; })) {
            return fail(QStringLiteral("expected \"value,red,green,blue,alpha,label\", a label "
                                       "included"));
        }
        items.push_back(item);
    }
    if (items.empty()) {
        return core::fail(label + QStringLiteral(": no colour map items"));
    }
    Palette palette = rampPalette(std::move(items), ramp, false);
    palette.name = name;
    return palette;
}

core::Result<QByteArray> writeQgisColorMap(const std::vector<Entry> &entries, const QString &name)
{
    return colorMapFile(entryItems(entries), Ramp::Interpolated, name);
}

core::Result<QByteArray> writeQgisColorMapFitted(const std::vector<FittedClass> &classes,
                                                 const QString &name)
{
    return colorMapFile(fittedItems(classes), Ramp::Discrete, name);
}

// A layer style of QGIS with a colour ramp shader in it.
int scoreQml(QByteArrayView bytes, QByteArrayView first)
{
    if (!first.startsWith('<') || !bytes.contains("<qgis") || !bytes.contains("colorrampshader")) {
        return 0;
    }
    return 3;
}

core::Result<Palette> readQml(const QByteArray &bytes, const QString &label, const ReadOptions &)
{
    QXmlStreamReader xml(bytes);
    std::vector<Item> items;
    std::optional<Ramp> ramp;
    bool clip = false;
    bool pseudocolor = false;
    QString name;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        const auto fail = [&](const QString &what) {
            return core::fail(lineError(label, int(xml.lineNumber()), what));
        };
        if (xml.name() == u"rasterrenderer") {
            pseudocolor = a.value(QLatin1String("type")) == u"singlebandpseudocolor";
        } else if (xml.name() == u"colorrampshader" && pseudocolor && !ramp) {
            ramp = rampType(a.value(QLatin1String("colorRampType")).toString());
            clip = a.value(QLatin1String("clip")) == u"1";
            if (!ramp) {
                return fail(QStringLiteral("unknown colorRampType \"%1\"")
                                .arg(a.value(QLatin1String("colorRampType"))));
            }
        } else if (xml.name() == u"item" && ramp && items.size() < 100000) {
            const QString text = a.value(QLatin1String("value")).toString();
            const std::optional<double> v = finiteNumber(text);
            const QColor colour(a.value(QLatin1String("color")).toString());
            const std::optional<int> alpha =
                a.hasAttribute(QLatin1String("alpha"))
                    ? channel(a.value(QLatin1String("alpha")).toString())
                    : 255;
            if ((!v && text != u"inf") || !colour.isValid() || !alpha) {
                return fail(QStringLiteral("bad item: value \"%1\", color \"%2\"")
                                .arg(text, a.value(QLatin1String("color"))));
            }
            items.push_back({v.value_or(std::numeric_limits<double>::infinity()),
                             {colour.red(), colour.green(), colour.blue(), *alpha}});
        } else if (xml.name() == u"Option" && a.value(QLatin1String("name")) == u"tessel_name") {
            name = a.value(QLatin1String("value")).toString();
        }
    }
    if (xml.hasError()) {
        return core::fail(lineError(label, int(xml.lineNumber()), xml.errorString()));
    }
    if (items.empty()) {
        return core::fail(label + QStringLiteral(": no single-band pseudocolor colour ramp "
                                                 "shader with items"));
    }
    Palette palette = rampPalette(std::move(items), *ramp, clip);
    palette.name = name;
    return palette;
}

core::Result<QByteArray> writeQml(const std::vector<Entry> &entries, const QString &name)
{
    if (const core::Status carried = carriedInXml(name); !carried) {
        return carried.failure();
    }
    return layerStyle(entryItems(entries), Ramp::Interpolated, name, entries.front().symbol,
                      entries.back().symbol);
}

core::Result<QByteArray> writeQmlFitted(const std::vector<FittedClass> &classes,
                                        const QString &name)
{
    if (const core::Status carried = carriedInXml(name); !carried) {
        return carried.failure();
    }
    return layerStyle(fittedItems(classes), Ramp::Discrete, name, classes.front().lo,
                      classes.back().hi);
}

} // namespace tessel
