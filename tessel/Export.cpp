#include "Export.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>

#include <vector>

namespace tessel {
namespace {

struct Entry
{
    int symbol;
    Rgb rgb;
};

std::vector<Entry> definedSymbols(const ShadeTable &table)
{
    std::vector<Entry> entries;
    for (int symbol = 1; symbol <= table.total(); ++symbol) {
        if (const auto rgb = table.color(symbol)) {
            entries.push_back({symbol, *rgb});
        }
    }
    return entries;
}

QByteArray number(int n)
{
    return QByteArray::number(n);
}

QByteArray slash(Rgb c)
{
    return number(c.red) + '/' + number(c.green) + '/' + number(c.blue);
}

QString commas(Rgb c, int alpha)
{
    return QStringLiteral("%1,%2,%3,%4").arg(c.red).arg(c.green).arg(c.blue).arg(alpha);
}

// Where `symbol` lies between the first and the last, from 0 to 1.
double offset(int symbol, const std::vector<Entry> &entries)
{
    const int first = entries.front().symbol;
    const int last = entries.back().symbol;
    return last == first ? 0.0 : double(symbol - first) / double(last - first);
}

QByteArray nameComment(const QString &name)
{
    return "# NAME = " + name.toUtf8() + '\n';
}

QByteArray cpt(const std::vector<Entry> &entries, const QString &name)
{
    // One constant slice per symbol, from n to n + 1. GMT refuses gaps between slices, so a
    // run of undefined symbols becomes one slice that GMT skips ("-").
    QByteArray out = nameComment(name) + "# A Tessel shadeset as a GMT colour palette table\n"
                                         "# COLOR_MODEL = RGB\n";
    int next = entries.front().symbol;
    for (const Entry &e : entries) {
        if (e.symbol > next) {
            out += number(next) + "\t-\t" + number(e.symbol) + "\t-\n";
        }
        out += number(e.symbol) + '\t' + slash(e.rgb) + '\t' + number(e.symbol + 1) + '\t' +
               slash(e.rgb) + '\n';
        next = e.symbol + 1;
    }
    return out + "B\t" + slash(entries.front().rgb) + "\nF\t" + slash(entries.back().rgb) +
           "\nN\t128/128/128\n";
}

QByteArray gdal(const std::vector<Entry> &entries, const QString &name)
{
    // gdaldem blends between entries, so a run of undefined symbols is bounded by entries of
    // no opacity, in the colour of the symbol below: with -alpha it is transparent, without
    // it that colour, never a blend that belongs to no symbol.
    const auto line = [](int value, Rgb c, int alpha) {
        return number(value) + ' ' + number(c.red) + ' ' + number(c.green) + ' ' + number(c.blue) +
               ' ' + number(alpha) + '\n';
    };
    QByteArray out = nameComment(name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry &e = entries[i];
        if (i > 0 && e.symbol > entries[i - 1].symbol + 1) {
            const Entry &below = entries[i - 1];
            out += line(below.symbol + 1, below.rgb, 0);
            if (e.symbol - 1 > below.symbol + 1) {
                out += line(e.symbol - 1, below.rgb, 0);
            }
        }
        out += line(e.symbol, e.rgb, 255);
    }
    return out + "nv 0 0 0 0\n";
}

QByteArray qgis(const std::vector<Entry> &entries, const QString &name)
{
    // Stops at each symbol's place, to full precision; a run of undefined symbols is bounded
    // by transparent stops.
    QStringList stops;
    const auto stop = [&](int symbol, Rgb c, int alpha) {
        stops.append(QString::number(offset(symbol, entries), 'g', 17) + QLatin1Char(';') +
                     commas(c, alpha));
    };
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const Entry &below = entries[i - 1];
        if (entries[i].symbol > below.symbol + 1) {
            stop(below.symbol + 1, below.rgb, 0);
            if (entries[i].symbol - 1 > below.symbol + 1) {
                stop(entries[i].symbol - 1, below.rgb, 0);
            }
        }
        if (i + 1 < entries.size()) {
            stop(entries[i].symbol, entries[i].rgb, 255);
        }
    }
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
    // QGIS keeps "info_" properties with the ramp; Tessel reads its symbol numbers from them.
    const std::pair<QString, QString> props[] = {
        {QStringLiteral("color1"), commas(entries.front().rgb, 255)},
        {QStringLiteral("color2"), commas(entries.back().rgb, 255)},
        {QStringLiteral("discrete"), QStringLiteral("0")},
        {QStringLiteral("rampType"), QStringLiteral("gradient")},
        {QStringLiteral("stops"), stops.join(QLatin1Char(':'))},
        {QStringLiteral("info_tessel_first"), QString::number(entries.front().symbol)},
        {QStringLiteral("info_tessel_last"), QString::number(entries.back().symbol)},
    };
    for (const auto &[key, value] : props) {
        xml.writeEmptyElement(QStringLiteral("prop"));
        xml.writeAttribute(QStringLiteral("k"), key);
        xml.writeAttribute(QStringLiteral("v"), value);
    }
    xml.writeEndDocument();
    return out;
}

QByteArray paraview(const std::vector<Entry> &entries, const QString &name)
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

// Why `name` cannot be written in `format`, or empty. JSON escapes everything; a comment
// line cannot hold a line break; XML 1.0 has no way at all to write most control characters.
QString nameProblem(ExportFormat format, const QString &name)
{
    for (const QChar c : name) {
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        const bool notXml = (c.unicode() < 0x20 && c != QLatin1Char('\t') && !lineBreak) ||
                            c.isSurrogate() || c.unicode() >= 0xfffe;
        if ((format == ExportFormat::Qgis && (notXml || lineBreak)) ||
            ((format == ExportFormat::Cpt || format == ExportFormat::Gdal) && lineBreak)) {
            return QStringLiteral("the name holds U+%1, which this format cannot carry")
                .arg(
                    QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        }
    }
    return QString();
}

} // namespace

std::optional<ExportFormat> parseExportFormat(const QString &name)
{
    const QString key = name.toLower();
    if (key == QLatin1String("cpt")) {
        return ExportFormat::Cpt;
    }
    if (key == QLatin1String("gdal")) {
        return ExportFormat::Gdal;
    }
    if (key == QLatin1String("qgis")) {
        return ExportFormat::Qgis;
    }
    if (key == QLatin1String("paraview")) {
        return ExportFormat::Paraview;
    }
    return std::nullopt;
}

QString exportExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Cpt:
        return QStringLiteral("cpt");
    case ExportFormat::Gdal:
        return QStringLiteral("txt");
    case ExportFormat::Qgis:
        return QStringLiteral("xml");
    case ExportFormat::Paraview:
        return QStringLiteral("json");
    }
    return QString();
}

core::Result<QByteArray> exportTable(ExportFormat format, const ShadeTable &table,
                                     const QString &name)
{
    const std::vector<Entry> entries = definedSymbols(table);
    if (entries.empty()) {
        return core::fail(QStringLiteral("the current shadeset is empty"));
    }
    const QString problem = nameProblem(format, name);
    if (!problem.isEmpty()) {
        return core::fail(problem);
    }
    switch (format) {
    case ExportFormat::Cpt:
        return cpt(entries, name);
    case ExportFormat::Gdal:
        return gdal(entries, name);
    case ExportFormat::Qgis:
        return qgis(entries, name);
    case ExportFormat::Paraview:
        return paraview(entries, name);
    }
    return core::fail(QStringLiteral("unknown format"));
}

} // namespace tessel
