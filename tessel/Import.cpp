#include "Import.h"

#include "Formats.h"
#include "TextLines.h"
#include "core/ReadFile.h"

#include <QFileInfo>

#include <cmath>

namespace tessel {
namespace {

// Tessel's own file says so on its first line (after any comments).
bool isShd(QByteArrayView bytes)
{
    TextLines lines(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes);
    while (lines.next()) {
        if (!lines.line().isEmpty() && !lines.line().startsWith('#')) {
            return lines.line().startsWith("TESSEL SHADESET");
        }
    }
    return false;
}

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

// The symbols a palette gives: its keyed ones, or samples.
core::Result<ShadeTable> paletteTable(const Palette &palette, std::optional<int> asked,
                                      const QString &label)
{
    if (palette.keyed && !(palette.spreadWhenAsked && asked)) {
        return *palette.keyed;
    }
    const int symbols = asked.value_or(256);
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
    if (isShd(bytes)) {
        return parseShd(bytes, label);
    }
    if (bytes.trimmed().isEmpty()) {
        return core::fail(label + QStringLiteral(": the file is empty"));
    }
    const core::Result<const Format *> format = detectFormat(bytes, label);
    if (!format) {
        // A .shd file that is none says what is wrong with it.
        return label.endsWith(QLatin1String(".shd"), Qt::CaseInsensitive) ? parseShd(bytes, label)
                                                                          : format.failure();
    }
    const core::Result<Palette> palette = (*format)->read(bytes, label, options.read);
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

bool looksLikePalette(const QByteArray &bytes, const QString &label)
{
    return isShd(bytes) || bool(detectFormat(bytes, label));
}

core::Result<Shadeset> readShadesetFile(const QString &path, const ImportOptions &options)
{
    const core::Result<QByteArray> bytes = core::readFileBytes(path, kMaxPaletteBytes);
    return bytes ? parseShadeset(*bytes, path, options) : bytes.failure();
}

} // namespace tessel
