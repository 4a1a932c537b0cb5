// MapLibre style layers: a color-relief layer's colour, an "interpolate" (linear) or "step"
// expression over the elevation, with colours in any CSS form the style spec takes, blended
// in straight RGBA as MapLibre blends them; written as a layer with a stop a symbol, or with
// a grid fitted, as steps at the classes' bounds.
#include "FormatIo.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr const char *kPaint = "color-relief-color";

struct Stop
{
    double z = 0;
    double rgba[4] = {0, 0, 0, 1};
};

// A CSS number, or a percentage of `whole`.
std::optional<double> cssNumber(QString word, double whole)
{
    word = word.trimmed();
    const bool percent = word.endsWith(QLatin1Char('%'));
    const std::optional<double> v = finiteNumber(percent ? word.chopped(1) : word);
    return v ? std::optional(percent ? *v * whole / 100 : *v) : std::nullopt;
}

// A colour as CSS writes one: a name, #rgb, #rgba, #rrggbb, #rrggbbaa, rgb(), rgba(), hsl()
// or hsla(), with commas or blanks; channels from 0 to 1, alpha last.
std::optional<std::array<double, 4>> cssColour(const QString &text)
{
    const QString css = text.trimmed().toLower();
    static const QRegularExpression kFunction(QStringLiteral("^(rgba?|hsla?)\\(([^)]*)\\)$"));
    const QRegularExpressionMatch call = kFunction.match(css);
    if (!call.hasMatch()) {
        if (css == u"transparent") {
            return std::array<double, 4>{0, 0, 0, 0};
        }
        const bool hex = css.startsWith(QLatin1Char('#'));
        QString digits = hex ? css.mid(1) : QString();
        if (digits.size() == 4) { // #rgba, each digit twice
            digits = QString(digits).replace(QRegularExpression(QStringLiteral("(.)")),
                                             QStringLiteral("\\1\\1"));
        }
        if (hex && digits.size() == 8) { // alpha last, as CSS has it
            const QColor c(QLatin1Char('#') + digits.right(digits.size() / 4) +
                           digits.left(digits.size() * 3 / 4));
            return c.isValid() ? std::optional(std::array<double, 4>{c.redF(), c.greenF(),
                                                                     c.blueF(), c.alphaF()})
                               : std::nullopt;
        }
        const QColor c = QColor::fromString(css);
        return c.isValid() && (!hex || digits.size() == 3 || digits.size() == 6)
                   ? std::optional(std::array<double, 4>{c.redF(), c.greenF(), c.blueF(), 1})
                   : std::nullopt;
    }
    const QStringList args =
        call.captured(2).split(QRegularExpression(QStringLiteral("[\\s,/]+")), Qt::SkipEmptyParts);
    if (args.size() != 3 && args.size() != 4) {
        return std::nullopt;
    }
    const bool hsl = call.captured(1).startsWith(QLatin1Char('h'));
    std::array<double, 4> out{0, 0, 0, 1};
    for (int i = 0; i < args.size(); ++i) {
        QString word = args[i];
        const double whole = i == 3 ? 1 : hsl ? (i == 0 ? 360 : 100) : 255;
        const std::optional<double> v =
            cssNumber(word.remove(QStringLiteral("deg")), i < 3 && !hsl ? 255 : whole);
        if (!v) {
            return std::nullopt;
        }
        out[std::size_t(i)] = i == 3 ? std::clamp(*v, 0.0, 1.0) : *v;
    }
    if (hsl) {
        const QColor c = QColor::fromHslF(float(std::fmod(std::fmod(out[0], 360) + 360, 360) / 360),
                                          float(std::clamp(out[1] / 100, 0.0, 1.0)),
                                          float(std::clamp(out[2] / 100, 0.0, 1.0)));
        return std::array<double, 4>{c.redF(), c.greenF(), c.blueF(), out[3]};
    }
    for (std::size_t i = 0; i < 3; ++i) {
        out[i] = std::clamp(std::round(out[i]), 0.0, 255.0) / 255;
    }
    return out;
}

std::optional<Rgb> colourOf(const double *rgba)
{
    return std::lround(255 * rgba[3]) == 0 ? std::nullopt
                                           : std::optional(toRgb({rgba[0], rgba[1], rgba[2]}));
}

// The expression of a layer's colour: the layer itself, the first color-relief layer of a
// style, or a bare expression.
QJsonValue expressionIn(const QJsonDocument &doc)
{
    if (doc.isArray()) {
        return doc.array();
    }
    const QJsonObject object = doc.object();
    if (object.contains(QLatin1String("layers"))) {
        for (const QJsonValue &layer : object.value(QLatin1String("layers")).toArray()) {
            const QJsonValue paint = layer.toObject().value(QLatin1String("paint"));
            if (paint.toObject().contains(QLatin1String(kPaint))) {
                return paint.toObject().value(QLatin1String(kPaint));
            }
        }
        return {};
    }
    return object.value(QLatin1String("paint")).toObject().value(QLatin1String(kPaint));
}

QByteArray colourText(Rgb c, int alpha)
{
    return alpha == 0 ? "\"rgba(" + QByteArray::number(c.red) + ", " + QByteArray::number(c.green) +
                            ", " + QByteArray::number(c.blue) + ", 0)\""
                      : '"' + QColor(c.red, c.green, c.blue).name().toLatin1() + '"';
}

QByteArray layer(const QString &name, const QByteArray &expression)
{
    const QByteArray id = QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact);
    return "{\n  \"id\": " + id.mid(1, id.size() - 2) +
           ",\n  \"type\": \"color-relief\",\n  \"source\": \"dem\",\n  \"paint\": {\n    \"" +
           kPaint + "\": " + expression + "\n  }\n}\n";
}

} // namespace

// JSON with a color-relief colour, or an interpolate or step expression; never a ParaView
// preset.
int scoreMaplibre(QByteArrayView bytes, QByteArrayView first)
{
    if ((!first.startsWith('[') && !first.startsWith('{')) || bytes.contains("\"RGBPoints\"")) {
        return 0;
    }
    return bytes.contains(kPaint)                                            ? 3
           : bytes.contains("\"interpolate\"") || bytes.contains("\"step\"") ? 2
                                                                             : 0;
}

core::Result<Palette> readMaplibre(const QByteArray &bytes, const QString &label,
                                   const ReadOptions &)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return core::fail(label + QStringLiteral(": not JSON: ") + error.errorString());
    }
    const QJsonArray e = expressionIn(doc).toArray();
    const QString op = e.at(0).toString();
    const bool step = op == u"step";
    if (!step && (op != u"interpolate" || e.at(1).toArray().at(0).toString() != u"linear")) {
        return core::fail(label + QStringLiteral(": expected a color-relief colour of "
                                                 "[\"interpolate\", [\"linear\"], ...] or "
                                                 "[\"step\", ...]"));
    }
    // interpolate: ["linear"], input, z, colour, ...; step: input, colour, z, colour, ...
    std::vector<Stop> stops;
    const int count = int(e.size());
    if (count < 5 || (count - 3) % 2 != 0) {
        return core::fail(label + QStringLiteral(": %1 takes its stops in pairs").arg(op));
    }
    for (int i = step ? 1 : 3; i < count; i += 2) {
        const bool first = step && i == 1; // a step's colour below its first bound
        const QJsonValue z = first ? QJsonValue() : e.at(i);
        const QJsonValue c = e.at(i + 1);
        const std::optional<std::array<double, 4>> colour = cssColour(c.toString());
        if ((!first && !z.isDouble()) || !c.isString() || !colour) {
            return core::fail(label +
                              QStringLiteral(": %1: bad stop %2").arg(op).arg(stops.size() + 1));
        }
        Stop s;
        s.z = first ? -std::numeric_limits<double>::infinity() : z.toDouble();
        std::copy(colour->begin(), colour->end(), s.rgba);
        if (!stops.empty() && !(s.z > stops.back().z)) {
            return core::fail(label + QStringLiteral(": %1: the stops must rise, and %2 follows %3")
                                          .arg(op)
                                          .arg(s.z)
                                          .arg(stops.back().z));
        }
        stops.push_back(s);
    }
    Palette palette;
    palette.name = doc.object().value(QLatin1String("id")).toString();
    palette.valued = true;
    if (!step) {
        std::vector<Rule> rules;
        for (const Stop &s : stops) {
            Rule r;
            r.value = s.z;
            r.rgb = {s.rgba[0], s.rgba[1], s.rgba[2]};
            r.alpha = s.rgba[3];
            rules.push_back(r);
        }
        palette.keyed = keyedRules(rules);
    }
    // A step's classes run from its first bound, one class's width below it, to its last,
    // one class's width above.
    const double lo = step ? stops[1].z : stops.front().z;
    const double hi = stops.back().z;
    const double width = stops.size() > 2 ? (hi - lo) / double(stops.size() - 2) : 1;
    palette.zmin = step ? lo - width : lo;
    palette.zmax = step ? hi + width : hi;
    palette.colorAt = [stops, step](double z) -> std::optional<Rgb> {
        const auto above = std::upper_bound(stops.begin(), stops.end(), z,
                                            [](double v, const Stop &s) { return v < s.z; });
        if (step || above == stops.end() || above == stops.begin()) {
            return colourOf((above == stops.begin() ? above : above - 1)->rgba);
        }
        const Stop &a = *(above - 1);
        const double t = (z - a.z) / (above->z - a.z);
        double mixed[4];
        for (int c = 0; c < 4; ++c) {
            mixed[c] = a.rgba[c] + t * (above->rgba[c] - a.rgba[c]);
        }
        return colourOf(mixed);
    };
    return palette;
}

core::Result<QByteArray> writeMaplibre(const std::vector<Entry> &entries, const QString &name)
{
    // A stop at each symbol's own value; a run of undefined ones bounded by stops of no
    // opacity in the colour below.
    std::vector<SymbolStop> symbols = symbolStops(entries);
    // interpolate needs two stops: a table of one symbol is one colour from it to the next.
    if (symbols.size() == 1) {
        symbols.push_back({symbols[0].symbol + 1, symbols[0].rgb, 255});
    }
    QByteArray stops;
    for (const SymbolStop &s : symbols) {
        stops += ",\n      " + QByteArray::number(s.symbol) + ", " + colourText(s.rgb, s.alpha);
    }
    return layer(name,
                 "[\n      \"interpolate\", [\"linear\"], [\"elevation\"]" + stops + "\n    ]");
}

core::Result<QByteArray> writeMaplibreFitted(const std::vector<FittedClass> &fitted,
                                             const QString &name)
{
    // A step at each class's lowest value: MapLibre gives a value the colour of the last
    // step at or below it, as Tessel's classes do; the first class everything below.
    const std::vector<FittedClass> classes = heldClasses(fitted);
    const std::vector<Rgb> colours = coloursOrBelow(classes);
    QByteArray out =
        "[\n      \"step\", [\"elevation\"], " + colourText(colours[0], classes[0].rgb ? 255 : 0);
    for (std::size_t i = 1; i < classes.size(); ++i) {
        out += ",\n      " + exact(classes[i].lo) + ", " +
               colourText(colours[i], classes[i].rgb ? 255 : 0);
    }
    return layer(name, out + "\n    ]");
}

} // namespace tessel
