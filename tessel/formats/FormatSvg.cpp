// SVG gradients, the form the cpt-city archive hands out palettes in: the first
// linearGradient (or the one whose id is chosen), coloured as QGIS's cpt-city reader colours
// it; written as a gradient that QGIS and web browsers draw symbol for symbol.
#include "FormatIo.h"

#include <QColor>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <map>

namespace tessel {
namespace {

constexpr char kSvgNamespace[] = "http://www.w3.org/2000/svg";
// Tessel's own attributes on a gradient it writes: the symbols it spans.
constexpr char kTesselNamespace[] = "http://tessel.invalid/shadeset";

struct Gradient
{
    QString first; // tessel:first and tessel:last, when Tessel wrote it
    QString last;
    std::vector<GradientStop> stops; // in the file's order
};

// "#rgb", "#rrggbb", "rgb(r, g, b)" (numbers or percentages) or a colour keyword; black when
// empty, as SVG has it.
std::optional<Rgbf> parseColor(QString text)
{
    text = text.trimmed();
    if (text.isEmpty()) {
        return Rgbf{};
    }
    if (text.startsWith(QLatin1String("rgb("), Qt::CaseInsensitive) && text.endsWith(u')')) {
        const QStringList parts = text.mid(4).chopped(1).split(u',');
        double c[3];
        for (int i = 0; i < 3 && parts.size() == 3; ++i) {
            const QString part = parts[i].trimmed();
            const bool percent = part.endsWith(u'%');
            const std::optional<double> v = finiteNumber(percent ? part.chopped(1) : part);
            if (!v) {
                return std::nullopt;
            }
            c[i] = std::clamp(percent ? *v / 100 : *v / 255, 0.0, 1.0);
        }
        return parts.size() == 3 ? std::optional(Rgbf{c[0], c[1], c[2]}) : std::nullopt;
    }
    const QColor named = QColor::fromString(text);
    return named.isValid() && named.alpha() == 255
               ? std::optional(Rgbf{named.redF(), named.greenF(), named.blueF()})
               : std::nullopt;
}

// A stop's properties, from its attributes and, over them, its style.
QString property(const QXmlStreamAttributes &attributes, const char *name)
{
    QString value = attributes.value(QLatin1String(name)).toString();
    for (const QStringView declaration : attributes.value(QLatin1String("style")).split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon > 0 && declaration.first(colon).trimmed() == QLatin1String(name)) {
            value = declaration.sliced(colon + 1).trimmed().toString();
        }
    }
    return value;
}

core::Status readStop(const QXmlStreamAttributes &attributes, GradientStop &stop)
{
    QString offset = property(attributes, "offset");
    const bool percent = offset.endsWith(u'%');
    const std::optional<double> at = finiteNumber(percent ? offset.chopped(1) : offset);
    if (!at) {
        return core::fail(QStringLiteral("bad offset \"%1\"").arg(offset));
    }
    stop.offset = std::clamp(percent ? *at / 100 : *at, 0.0, 1.0);
    const QString color = property(attributes, "stop-color");
    const std::optional<Rgbf> rgb = parseColor(color);
    if (!rgb) {
        return core::fail(QStringLiteral("unknown colour \"%1\"").arg(color));
    }
    stop.rgb = *rgb;
    const QString opacity = property(attributes, "stop-opacity");
    const std::optional<double> alpha = opacity.isEmpty() ? 1.0 : finiteNumber(opacity);
    if (!alpha) {
        return core::fail(QStringLiteral("bad stop-opacity \"%1\"").arg(opacity));
    }
    stop.alpha = std::floor(std::clamp(*alpha, 0.0, 1.0) * 255); // QGIS cuts the fraction
    return {};
}

bool same(const GradientStop &a, const GradientStop &b)
{
    return toRgb(a.rgb) == toRgb(b.rgb) && a.alpha == b.alpha;
}

// The stops as QGIS's cpt-city reader takes them. It keeps, at each offset, the first stop
// and the last. Where a later offset has two colours and the first continues the colour
// before, the gradient is a set of steps; where it does not, both colours stand at that
// offset (a hard step); else the first colour stands. The ends of the gradient pad it.
std::pair<std::vector<GradientStop>, bool> asQgisDraws(const std::vector<GradientStop> &file)
{
    std::map<double, std::pair<GradientStop, GradientStop>> at;
    for (const GradientStop &stop : file) {
        const auto [it, added] = at.try_emplace(stop.offset, stop, stop);
        it->second.second = stop;
    }
    bool discrete = false;
    bool multi = false;
    for (auto it = std::next(at.begin()); it != at.end() && !discrete && !multi; ++it) {
        if (!same(it->second.first, it->second.second)) {
            (same(it->second.first, std::prev(it)->second.second) ? discrete : multi) = true;
        }
    }
    std::vector<GradientStop> stops;
    for (const auto &[offset, pair] : at) {
        stops.push_back(discrete ? pair.second : pair.first);
        if (multi && offset != 0 && offset != 1) {
            stops.push_back(pair.second);
        }
    }
    if (stops.front().offset > 0) {
        stops.insert(stops.begin(), GradientStop{0, stops.front().rgb, stops.front().alpha});
    }
    if (stops.back().offset < 1) {
        stops.push_back(GradientStop{1, stops.back().rgb, stops.back().alpha});
    }
    return {stops, discrete};
}

} // namespace

// XML that is SVG or holds a linearGradient.
int scoreSvg(QByteArrayView bytes, QByteArrayView first)
{
    if (!first.startsWith('<')) {
        return 0;
    }
    return 1 + int(bytes.contains("<svg") || bytes.contains("linearGradient"));
}

core::Result<Palette> readSvg(const QByteArray &bytes, const QString &label,
                              const ReadOptions &options)
{
    const QString &choice = options.choice;
    QXmlStreamReader xml(bytes);
    Palette palette;
    std::optional<Gradient> gradient;
    QString gradientId;
    int depth = 0;      // of the element being read
    int inGradient = 0; // the depth of the gradient taken while in it, else 0
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth-- == inGradient) {
                inGradient = 0; // the gradient taken is read whole
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        ++depth;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"title" && depth == 2 && palette.name.isEmpty()) {
            palette.name = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            --depth; // its end is read
        } else if (xml.name() == u"linearGradient" && !gradient &&
                   (choice.isEmpty() || a.value(QLatin1String("id")) == choice)) {
            const QLatin1String tessel(kTesselNamespace);
            gradient = Gradient{a.value(tessel, QLatin1String("first")).toString(),
                                a.value(tessel, QLatin1String("last")).toString(),
                                {}};
            gradientId = a.value(QLatin1String("id")).toString();
            inGradient = depth;
        } else if (xml.name() == u"stop" && inGradient > 0 && depth == inGradient + 1) {
            GradientStop stop;
            if (const core::Status read = readStop(a, stop); !read) {
                return core::fail(lineError(label, int(xml.lineNumber()), read.error()));
            }
            gradient->stops.push_back(stop);
        }
    }
    if (xml.hasError()) {
        return core::fail(lineError(label, int(xml.lineNumber()), xml.errorString()));
    }
    if (!gradient) {
        return core::fail(
            label + QStringLiteral(": ") +
            (choice.isEmpty()
                 ? QStringLiteral("no linearGradient")
                 : QStringLiteral("no linearGradient with the id \"%1\"").arg(choice)));
    }
    if (gradient->stops.empty()) {
        return core::fail(
            QStringLiteral("%1: linearGradient \"%2\" has no stops").arg(label, gradientId));
    }
    auto [stops, discrete] = asQgisDraws(gradient->stops);
    palette.keyed = keyedStops(gradient->first, gradient->last, stops);
    palette.zmin = 0;
    palette.zmax = 1;
    palette.colorAt = gradientColors(std::move(stops), discrete);
    return palette;
}

core::Result<QByteArray> writeSvg(const std::vector<Entry> &entries, const QString &name)
{
    if (const core::Status carried = carriedInXml(name); !carried) {
        return carried.failure();
    }
    std::vector<GradientStop> stops = entryStops(entries);
    if (stops.size() == 1) { // a gradient has two ends
        stops.push_back({1, stops.front().rgb, stops.front().alpha});
    }
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QLatin1String(kSvgNamespace));
    xml.writeNamespace(QLatin1String(kTesselNamespace), QStringLiteral("tessel"));
    xml.writeStartElement(QLatin1String(kSvgNamespace), QStringLiteral("svg"));
    for (const auto &[key, value] : {std::pair{"version", "1.1"},
                                     {"width", "300"},
                                     {"height", "45"},
                                     {"viewBox", "0 0 300 45"}}) {
        xml.writeAttribute(QLatin1String(key), QLatin1String(value));
    }
    xml.writeTextElement(QLatin1String(kSvgNamespace), QStringLiteral("title"), name);
    xml.writeStartElement(QLatin1String(kSvgNamespace), QStringLiteral("linearGradient"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("shadeset"));
    xml.writeAttribute(QLatin1String(kTesselNamespace), QStringLiteral("first"),
                       QString::number(entries.front().symbol));
    xml.writeAttribute(QLatin1String(kTesselNamespace), QStringLiteral("last"),
                       QString::number(entries.back().symbol));
    // Each stop at its symbol's place, to full precision.
    for (const GradientStop &stop : stops) {
        xml.writeEmptyElement(QLatin1String(kSvgNamespace), QStringLiteral("stop"));
        xml.writeAttribute(QStringLiteral("offset"), QString::number(stop.offset, 'g', 17));
        const Rgb c = toRgb(stop.rgb);
        xml.writeAttribute(QStringLiteral("stop-color"),
                           QColor(c.red, c.green, c.blue).name(QColor::HexRgb));
        if (stop.alpha < 255) {
            xml.writeAttribute(QStringLiteral("stop-opacity"), QStringLiteral("0"));
        }
    }
    xml.writeEndElement();
    xml.writeEmptyElement(QLatin1String(kSvgNamespace), QStringLiteral("rect"));
    xml.writeAttribute(QStringLiteral("width"), QStringLiteral("300"));
    xml.writeAttribute(QStringLiteral("height"), QStringLiteral("45"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("url(#shadeset)"));
    xml.writeEndDocument();
    return out;
}

} // namespace tessel
