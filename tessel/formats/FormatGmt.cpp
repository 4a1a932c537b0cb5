// GMT colour palette tables: slices "z0 colour z1 colour" drawn as GMT draws them, or
// categorical lines "key colour"; written as one constant slice per symbol.
#include "FormatIo.h"
#include "GmtTable.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

// A colour of the table's model in 8 bits a channel.
Rgb toByte(const ModelColor &c, bool hsv)
{
    return toRgb(hsv ? fromHsv(Hsv{c.a, c.b, c.c}) : Rgbf{c.a, c.b, c.c});
}

// As Tessel exports them: one constant slice from n to n + 1 per symbol, or skipped slices
// between whole symbols; or categorical keys that are all symbol numbers.
std::optional<ShadeTable> keyedTable(const GmtTable &t)
{
    ShadeTable table;
    for (const GmtSlice &s : t.slices) {
        const std::optional<int> z0 = wholeSymbol(s.z0);
        const std::optional<int> z1 = wholeSymbol(s.z1 - 1);
        if (!z0 || !z1 || (s.c0 && (*z1 != *z0 || !(*s.c0 == *s.c1)))) {
            return std::nullopt;
        }
        if (s.c0) {
            table.set(*z0, toByte(*s.c0, t.hsv));
        }
    }
    for (const GmtKey &k : t.keys) {
        const std::optional<int> symbol = wholeSymbol(k.z);
        if (!symbol) {
            return std::nullopt;
        }
        table.set(*symbol, toByte(k.color, t.hsv));
    }
    return table;
}

std::function<std::optional<Rgb>(double)> sliceColors(std::vector<GmtSlice> slices, bool hsv)
{
    return [slices = std::move(slices), hsv](double z) -> std::optional<Rgb> {
        auto it = std::upper_bound(slices.begin(), slices.end(), z,
                                   [](double v, const GmtSlice &s) { return v < s.z0; });
        if (it == slices.begin() || z > slices.back().z1) {
            return std::nullopt;
        }
        const GmtSlice &s = *(it - 1);
        if (!s.c0) {
            return std::nullopt;
        }
        const double f = s.z1 > s.z0 ? fraction(z, s.z0, s.z1) : 0;
        return toByte(
            {lerp(s.c0->a, s.c1->a, f), lerp(s.c0->b, s.c1->b, f), lerp(s.c0->c, s.c1->c, f)}, hsv);
    };
}

// GMT draws a value that is no key in its colour for no data: here, no colour.
std::function<std::optional<Rgb>(double)> keyColors(std::vector<GmtKey> keys, bool hsv)
{
    return [keys = std::move(keys), hsv](double z) -> std::optional<Rgb> {
        const double near = 1e-9 * std::max(1.0, std::abs(z));
        auto it = std::lower_bound(keys.begin(), keys.end(), z - near,
                                   [](const GmtKey &k, double v) { return k.z < v; });
        if (it == keys.end() || std::abs(it->z - z) > near) {
            return std::nullopt;
        }
        return toByte(it->color, hsv);
    };
}

// The z of a master table (# RANGE) in the units it stands for, as makecpt reads them: each
// side of a hard hinge at 0 stretched on its own, else the whole table at once.
std::optional<OwnZ> ownZ(const GmtTable &t, double zmin, double zmax)
{
    if (!t.range) {
        return std::nullopt;
    }
    const double a = t.range->first; // not a structured binding: C++17 lambdas cannot take one
    const double b = t.range->second;
    if (t.hinge == GmtTable::Hinge::Hard && zmin < 0 && zmax > 0 && a < 0 && b > 0) {
        return OwnZ{a, b, [=](double z) { return z < 0 ? zmin * (z / a) : zmax * (z / b); },
                    [=](double z) { return z < 0 ? a * (z / zmin) : b * (z / zmax); }};
    }
    return OwnZ{a, b, [=](double z) { return zmin + (z - a) / (b - a) * (zmax - zmin); },
                [=](double z) { return a + (z - zmin) / (zmax - zmin) * (b - a); }};
}

QByteArray slash(Rgb c)
{
    return QByteArray::number(c.red) + '/' + QByteArray::number(c.green) + '/' +
           QByteArray::number(c.blue);
}

} // namespace

// Evidence: B/F/N lines, model and hinge comments, colours that are not plain numbers (r/g/b,
// h-s-v, names gdaldem does not know, "-"), and lines of two or eight numbers. A "nv" line, a
// percentage, commas or colons between values, or five numbers on a line are gdaldem's and rule GMT
// out.
LineScore scoreGmtLine(QByteArrayView line)
{
    if (line.startsWith('#')) {
        return {false, isGmtComment(line), false};
    }
    const qsizetype label = line.indexOf(';');
    line = label < 0 ? line : line.first(label);
    QByteArrayView words[10];
    const int n = byteWords(line, words, 10);
    int plain = 0;
    for (int i = 0; i < n; ++i) {
        plain += number(words[i]).has_value();
    }
    if (n > 0 && (words[0].compare("nv", Qt::CaseInsensitive) == 0 || words[0].endsWith('%') ||
                  line.contains(',') || line.contains(':') || (plain == 5 && n == 5))) {
        return {false, false, true};
    }
    const bool annotated =
        n % 2 == 1 && (words[n - 1] == "L" || words[n - 1] == "U" || words[n - 1] == "B");
    const int shape = annotated ? n - 1 : n;
    const auto isZ = [&](int i) { return number(words[i]).has_value(); };
    const bool bfn = n > 0 && (words[0] == "B" || words[0] == "F" || words[0] == "N");
    const bool fits = (shape == 2 && (bfn || isZ(0))) || (shape == 4 && isZ(0) && isZ(2)) ||
                      (shape == 8 && plain == 8);
    // "value name" is no sign of GMT where gdaldem and GRASS know the name: their lines
    // take the same form.
    const bool ruleLine = shape == 2 && !bfn && label < 0 && isRuleColorName(words[1]);
    return {fits,
            fits && !ruleLine && (bfn || plain < shape || shape == 8 || (shape == 2 && plain == 2)),
            false};
}

core::Result<Palette> readGmt(const QByteArray &bytes, const QString &label, const ReadOptions &)
{
    core::Result<GmtTable> table = readGmtTable(bytes, label);
    if (!table) {
        return table.failure();
    }
    Palette palette;
    palette.name = table->name;
    palette.keyed = keyedTable(*table);
    palette.valued = true;
    if (table->hinge != GmtTable::Hinge::None) {
        palette.hinge = 0.0;
    }
    if (!table->slices.empty()) {
        palette.zmin = table->slices.front().z0;
        palette.zmax = table->slices.back().z1;
        palette.own = ownZ(*table, palette.zmin, palette.zmax);
        palette.colorAt = sliceColors(std::move(table->slices), table->hsv);
        return palette;
    }
    std::vector<GmtKey> keys = std::move(table->keys);
    std::sort(keys.begin(), keys.end(), [](const GmtKey &a, const GmtKey &b) { return a.z < b.z; });
    palette.zmin = keys.front().z;
    palette.zmax = keys.back().z;
    palette.colorAt = keyColors(std::move(keys), table->hsv);
    return palette;
}

core::Result<QByteArray> writeGmt(const std::vector<Entry> &entries, const QString &name)
{
    // One constant slice per symbol, from n to n + 1. GMT refuses gaps between slices, so a
    // run of undefined symbols becomes one slice that GMT skips ("-").
    QByteArray out = "# NAME = " + name.toUtf8() +
                     "\n# A Tessel shadeset as a GMT colour palette table\n# COLOR_MODEL = RGB\n";
    int next = entries.front().symbol;
    for (const Entry &e : entries) {
        const QByteArray symbol = QByteArray::number(e.symbol);
        if (e.symbol > next) {
            out += QByteArray::number(next) + "\t-\t" + symbol + "\t-\n";
        }
        out += symbol + '\t' + slash(e.rgb) + '\t' + QByteArray::number(e.symbol + 1) + '\t' +
               slash(e.rgb) + '\n';
        next = e.symbol + 1;
    }
    return out + "B\t" + slash(entries.front().rgb) + "\nF\t" + slash(entries.back().rgb) +
           "\nN\t128/128/128\n";
}

core::Result<QByteArray> writeGmtFitted(const std::vector<FittedClass> &fitted, const QString &name)
{
    // A constant slice per class over its values; GMT skips an undefined one ("-"), and takes
    // the first and last colours for the values below and above.
    const std::vector<FittedClass> classes = heldClasses(fitted);
    QByteArray out = "# NAME = " + name.toUtf8() +
                     "\n# A Tessel shadeset fitted to a grid's values, as a GMT colour palette "
                     "table\n# COLOR_MODEL = RGB\n";
    const auto colour = [](const std::optional<Rgb> &c) { return c ? slash(*c) : "-"; };
    for (const FittedClass &c : classes) {
        out +=
            exact(c.lo) + '\t' + colour(c.rgb) + '\t' + exact(c.hi) + '\t' + colour(c.rgb) + '\n';
    }
    return out + "B\t" + colour(classes.front().rgb) + "\nF\t" + colour(classes.back().rgb) +
           "\nN\t128/128/128\n";
}

} // namespace tessel
