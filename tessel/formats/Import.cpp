#include "Import.h"

#include "Formats.h"
#include "core/ReadFile.h"
#include "core/Text.h"
#include "tessel/table/TextLines.h"

#include <QFileInfo>

#include <cmath>
#include <functional>

namespace tessel {
namespace {

// Tessel's own file says so on its first line (after any comments).
bool isShd(QByteArrayView bytes)
{
    return firstLine(bytes).startsWith("TESSEL SHADESET");
}

// z of symbol k of n, from lo to hi, both ends included. The usual sum where it is finite,
// so every table samples as it always has; else a blend that cannot overflow.
double sampleZ(double lo, double hi, int k, int n)
{
    if (n == 1) {
        return lo;
    }
    const double z = lo + double(k - 1) * (hi - lo) / double(n - 1);
    if (std::isfinite(z)) {
        return z;
    }
    const double t = double(k - 1) / double(n - 1);
    return (1 - t) * lo + t * hi;
}

// The z just below `z`: where a slice that ends at `z` still gives its colour.
double below(double z)
{
    return std::nextafter(z, -HUGE_VAL);
}

// Where each symbol takes its colour: z of symbol k of n, or why none can be given. Where
// `lastBelow`, the last symbol's z is the top of a part: it takes the colour of the slice that
// ends there.
struct Placement
{
    std::function<double(int k)> z;
    bool lastBelow = false;
};

core::Result<Placement> placement(const Palette &palette, const ImportOptions &options, int n,
                                  const QString &label)
{
    const double zmin = palette.zmin;
    const double zmax = palette.zmax;
    if (options.hinge && options.cut) {
        return core::fail(label + QStringLiteral(": .importcut and .importhinge cannot both be "
                                                 "set; empty one of them"));
    }
    if (options.hinge) {
        const int s = *options.hinge;
        if (!palette.hinge) {
            return core::fail(label +
                              QStringLiteral(": the palette has no hinge for "
                                             ".importhinge (# HARD_HINGE or # SOFT_HINGE)"));
        }
        if (s > n) {
            return core::fail(QStringLiteral("%1: .importhinge %2 lies beyond the %3 symbols")
                                  .arg(label)
                                  .arg(s)
                                  .arg(n));
        }
        // As makecpt -Cpalette+hS -T1/N maps them: each side straight on its own. With the
        // hinge at the last symbol, the table is all the lower side, and that symbol the top
        // of its last slice.
        const double h = *palette.hinge;
        const bool topBelow = s == n && n > 1;
        return Placement{[=](int k) {
                             return k < s || topBelow ? sampleZ(zmin, h, k, s)
                                                      : sampleZ(h, zmax, k - s + 1, n - s + 1);
                         },
                         topBelow};
    }
    if (options.cut) {
        // In the palette's own units, or in shares of its range; sampled evenly in them.
        const OwnZ own =
            palette.own ? *palette.own
            : palette.cutAsShare
                ? OwnZ{0, 1, [=](double t) { return zmin + t * (zmax - zmin); },
                       [=](double z) { return fraction(z, zmin, zmax); }}
                : OwnZ{zmin, zmax, [](double z) { return z; }, [](double z) { return z; }};
        const double lo = options.cut->lo.value_or(own.zmin);
        const double hi = options.cut->hi.value_or(own.zmax);
        if (!(lo < hi) || lo < own.zmin || hi > own.zmax) {
            return core::fail(QStringLiteral("%1: the cut from %2 to %3 is not a part of the "
                                             "palette, which runs from %4 to %5")
                                  .arg(label)
                                  .arg(lo)
                                  .arg(hi)
                                  .arg(own.zmin)
                                  .arg(own.zmax));
        }
        // The part's last symbol is the top of the part: where a slice ends at ZHI, that
        // slice's colour, as the table makecpt -G writes ends with it.
        return Placement{[=](int k) { return own.toFile(sampleZ(lo, hi, k, n)); }, n > 1};
    }
    return Placement{[=](int k) { return sampleZ(zmin, zmax, k, n); }};
}

// The symbols a palette gives: its keyed ones, or samples; and for a palette of data values,
// the value each symbol stands for, in the palette's own units.
core::Result<Shadeset> paletteTable(const Palette &palette, const ImportOptions &options,
                                    const QString &label)
{
    const bool placed = options.cut || options.hinge;
    if (palette.keyed && !placed && !(palette.spreadWhenAsked && options.symbols)) {
        return Shadeset{{}, *palette.keyed, {}, {}};
    }
    const int symbols = options.symbols.value_or(256);
    const core::Result<Placement> z = placement(palette, options, symbols, label);
    if (!z) {
        return z.failure();
    }
    Shadeset out;
    ShadeTable &table = out.table;
    for (int k = 1; k <= symbols; ++k) {
        const double nominal = z->z(k);
        const double at = k == symbols && z->lastBelow ? below(nominal) : nominal;
        if (palette.valued) {
            out.values.push_back(palette.own ? palette.own->fromFile(nominal) : nominal);
        }
        if (!std::isfinite(at)) {
            return core::fail(QStringLiteral("%1: the z range from %2 to %3 cannot be sampled")
                                  .arg(label)
                                  .arg(palette.zmin)
                                  .arg(palette.zmax));
        }
        if (const std::optional<Rgb> rgb = palette.colorAt(at)) {
            table.set(k, *rgb);
        }
    }
    if (palette.valued && palette.hinge) {
        out.hinge = palette.own ? palette.own->fromFile(*palette.hinge) : *palette.hinge;
    }
    return out;
}

} // namespace

core::Result<Shadeset> parseShadeset(const QByteArray &file, const QString &label,
                                     const ImportOptions &options)
{
    const QByteArray bytes = core::utf8Text(file);
    if (isShd(bytes)) {
        return parseShd(bytes, label);
    }
    if (QByteArrayView(bytes).trimmed().isEmpty()) {
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
    core::Result<Shadeset> read = paletteTable(*palette, options, label);
    if (!read) {
        return read.failure();
    }
    if (read->table.isEmpty()) {
        return core::fail(label + QStringLiteral(": the palette gives no colour to any symbol"));
    }
    read->name = palette->name.isEmpty() ? QFileInfo(label).completeBaseName() : palette->name;
    return read;
}

bool looksLikePalette(const QByteArray &file, const QString &label)
{
    const QByteArray bytes = core::utf8Text(file);
    return isShd(bytes) || bool(detectFormat(bytes, label));
}

core::Result<Shadeset> readShadesetFile(const QString &path, const ImportOptions &options)
{
    const core::Result<QByteArray> bytes = core::readFileBytes(path, kMaxPaletteBytes);
    return bytes ? parseShadeset(*bytes, path, options) : bytes.failure();
}

} // namespace tessel
