#include "Import.h"

#include "core/ReadFile.h"

#include <QFileInfo>
#include <QList>

#include <cmath>

namespace tessel {
namespace {

enum class Kind
{
    Shd,
    Gmt,
    Gdal,
    Qgis,
    Paraview,
};

bool isNumber(const QByteArray &word)
{
    bool ok = false;
    word.toDouble(&ok);
    return ok;
}

// A text palette is a gdaldem file when it says so (an nv line, a percentage, commas or
// colons between numbers) or when every line is four or five plain numbers; else GMT's.
Kind textKind(const QList<QByteArray> &lines)
{
    bool allPlainNumbers = true;
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words[0] == "nv" || words[0].endsWith('%') || line.contains(',') ||
            line.contains(':')) {
            return Kind::Gdal;
        }
        if (words.size() < 4 || words.size() > 5 ||
            !std::all_of(words.begin(), words.end(), isNumber)) {
            allPlainNumbers = false;
        }
    }
    return allPlainNumbers ? Kind::Gdal : Kind::Gmt;
}

Kind kind(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray &raw : lines) {
        QByteArray line = raw.trimmed();
        if (line.startsWith("\xEF\xBB\xBF")) { // a byte order mark
            line = line.mid(3);
        }
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith("TESSEL SHADESET")) {
            return Kind::Shd;
        }
        if (line.startsWith('<')) {
            return Kind::Qgis;
        }
        if (line.startsWith('[') || line.startsWith('{')) {
            return Kind::Paraview;
        }
        return textKind(lines);
    }
    return Kind::Shd; // nothing but comments: the .shd reader says what is missing
}

core::Result<Palette> readPalette(Kind kind, const QByteArray &bytes, const QString &label,
                                  const QString &choice)
{
    switch (kind) {
    case Kind::Gmt:
        return readGmtPalette(bytes, label);
    case Kind::Gdal:
        return readGdalColors(bytes, label);
    case Kind::Qgis:
        return readQgisStyle(bytes, label, choice);
    case Kind::Paraview:
        return readParaviewPresets(bytes, label, choice);
    case Kind::Shd:
        break;
    }
    return core::fail(label + QStringLiteral(": not a palette"));
}

} // namespace

QString lineError(const QString &label, int line, const QString &what)
{
    return QStringLiteral("%1 line %2: %3").arg(label).arg(line).arg(what);
}

std::optional<double> finiteNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> wholeSymbol(double value)
{
    const double rounded = std::round(value);
    if (std::abs(value - rounded) > 1e-6 || !(rounded >= 1 && rounded <= ShadeTable::kMaxSymbol)) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

double fraction(double z, double lo, double hi)
{
    const double width = hi - lo;
    if (std::isfinite(width)) {
        return (z - lo) / width;
    }
    return (z / 2 - lo / 2) / (hi / 2 - lo / 2); // halved, every difference is finite
}

namespace {

// z of symbol k of n, from zmin to zmax, both ends included. The usual sum where it is
// finite, so every table samples as it always has; else a blend that cannot overflow.
double sampleZ(const Palette &palette, int k, int n)
{
    if (n == 1) {
        return palette.zmin;
    }
    const double z = palette.zmin + double(k - 1) * (palette.zmax - palette.zmin) / double(n - 1);
    if (std::isfinite(z)) {
        return z;
    }
    const double t = double(k - 1) / double(n - 1);
    return (1 - t) * palette.zmin + t * palette.zmax;
}

// The symbols a palette gives: its keyed ones, or `symbols` samples.
core::Result<ShadeTable> paletteTable(const Palette &palette, int symbols, const QString &label)
{
    if (palette.keyed) {
        return *palette.keyed;
    }
    ShadeTable table;
    for (int k = 1; k <= symbols; ++k) {
        const double z = sampleZ(palette, k, symbols);
        if (!std::isfinite(z)) {
            return core::fail(QStringLiteral("%1: the z range from %2 to %3 cannot be sampled")
                                  .arg(label)
                                  .arg(palette.zmin)
                                  .arg(palette.zmax));
        }
        if (const std::optional<Rgb> rgb = palette.colorAt(z)) {
            table.set(k, *rgb);
        }
    }
    return table;
}

} // namespace

core::Result<Shadeset> parseShadeset(const QByteArray &bytes, const QString &label,
                                     const ImportOptions &options)
{
    if (bytes.contains('\0')) {
        return core::fail(label + QStringLiteral(": not a shadeset or palette Tessel reads"));
    }
    const Kind type = kind(bytes);
    if (type == Kind::Shd) {
        return parseShd(bytes, label);
    }
    const core::Result<Palette> palette = readPalette(type, bytes, label, options.choice);
    if (!palette) {
        return palette.failure();
    }
    core::Result<ShadeTable> table = paletteTable(*palette, options.symbols, label);
    if (!table) {
        return table.failure();
    }
    if (table->isEmpty()) {
        return core::fail(label + QStringLiteral(": the palette gives no colour to any symbol"));
    }
    const QString name =
        palette->name.isEmpty() ? QFileInfo(label).completeBaseName() : palette->name;
    return Shadeset{name, std::move(*table)};
}

core::Result<Shadeset> readShadesetFile(const QString &path, const ImportOptions &options)
{
    const core::Result<QByteArray> bytes = core::readFileBytes(path, kMaxPaletteBytes);
    return bytes ? parseShadeset(*bytes, path, options) : bytes.failure();
}

} // namespace tessel
