#include "Export.h"

#include "core/SaveFile.h"

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

QByteArray slash(Rgb c)
{
    return QByteArray::number(c.red) + '/' + QByteArray::number(c.green) + '/' +
           QByteArray::number(c.blue);
}

QString commas(Rgb c)
{
    return QStringLiteral("%1,%2,%3,255").arg(c.red).arg(c.green).arg(c.blue);
}

// Even offsets from 0 to 1 over the entries; one entry sits at 0.
double offset(std::size_t i, std::size_t count)
{
    return count < 2 ? 0.0 : static_cast<double>(i) / static_cast<double>(count - 1);
}

QByteArray cpt(const std::vector<Entry> &entries)
{
    // One constant slice per symbol, from n to n + 1. GMT refuses gaps between slices, so
    // a run of undefined symbols becomes one slice that GMT skips ("-").
    QByteArray out = "# Tessel shadeset as a GMT colour palette table\n# COLOR_MODEL = RGB\n";
    int next = entries.front().symbol;
    for (const Entry &e : entries) {
        if (e.symbol > next) {
            out += QByteArray::number(next) + "\t-\t" + QByteArray::number(e.symbol) + "\t-\n";
        }
        out += QByteArray::number(e.symbol) + '\t' + slash(e.rgb) + '\t' +
               QByteArray::number(e.symbol + 1) + '\t' + slash(e.rgb) + '\n';
        next = e.symbol + 1;
    }
    out += "B\t" + slash(entries.front().rgb) + "\nF\t" + slash(entries.back().rgb) +
           "\nN\t128/128/128\n";
    return out;
}

QByteArray gdal(const std::vector<Entry> &entries)
{
    QByteArray out;
    for (const Entry &e : entries) {
        out += QByteArray::number(e.symbol) + ' ' + QByteArray::number(e.rgb.red) + ' ' +
               QByteArray::number(e.rgb.green) + ' ' + QByteArray::number(e.rgb.blue) + '\n';
    }
    out += "nv 0 0 0 0\n";
    return out;
}

QByteArray qgis(const std::vector<Entry> &entries, const QString &name)
{
    QStringList stops;
    for (std::size_t i = 1; i + 1 < entries.size(); ++i) {
        stops.append(QString::number(offset(i, entries.size()), 'g', 10) + QLatin1Char(';') +
                     commas(entries[i].rgb));
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
    const std::pair<QString, QString> props[] = {
        {QStringLiteral("color1"), commas(entries.front().rgb)},
        {QStringLiteral("color2"), commas(entries.back().rgb)},
        {QStringLiteral("discrete"), QStringLiteral("0")},
        {QStringLiteral("rampType"), QStringLiteral("gradient")},
        {QStringLiteral("stops"), stops.join(QLatin1Char(':'))},
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
    const auto channel = [](std::uint8_t v) { return QByteArray::number(v / 255.0, 'g', 6); };
    QByteArray points;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Rgb c = entries[i].rgb;
        points += (i ? ",\n      " : "      ") +
                  QByteArray::number(offset(i, entries.size()), 'g', 15) + ", " + channel(c.red) +
                  ", " + channel(c.green) + ", " + channel(c.blue);
    }
    // A single symbol still needs two points to span 0 to 1.
    if (entries.size() == 1) {
        const Rgb c = entries.front().rgb;
        points +=
            ",\n      1, " + channel(c.red) + ", " + channel(c.green) + ", " + channel(c.blue);
    }
    QByteArray jsonName = name.toUtf8();
    jsonName.replace('\\', "\\\\").replace('"', "\\\"");
    return "[\n  {\n    \"ColorSpace\": \"RGB\",\n    \"Name\": \"" + jsonName +
           "\",\n    \"NanColor\": [0.5, 0.5, 0.5],\n    \"RGBPoints\": [\n" + points +
           "\n    ]\n  }\n]\n";
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

QByteArray exportTable(ExportFormat format, const ShadeTable &table, const QString &name)
{
    const std::vector<Entry> entries = definedSymbols(table);
    if (entries.empty()) {
        return QByteArray();
    }
    switch (format) {
    case ExportFormat::Cpt:
        return cpt(entries);
    case ExportFormat::Gdal:
        return gdal(entries);
    case ExportFormat::Qgis:
        return qgis(entries, name);
    case ExportFormat::Paraview:
        return paraview(entries, name);
    }
    return QByteArray();
}

QString writeExport(const QString &path, ExportFormat format, const ShadeTable &table,
                    const QString &name)
{
    return core::saveFile(path, exportTable(format, table, name));
}

} // namespace tessel
