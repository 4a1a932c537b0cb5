#include "Settings.h"

#include "CommandLine.h"
#include "tessel/colour/Perceptual.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

std::optional<double> finite(const QString &word)
{
    bool ok = false;
    const double value = word.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

std::optional<int> symbols(const QString &value)
{
    const std::optional<long long> n = parseInteger(value);
    return n && ShadeTable::isSymbol(*n) ? std::optional(int(*n)) : std::nullopt;
}

std::optional<DataRange> dataRange(const QString &value)
{
    const QStringList words = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const std::optional<double> lo = words.size() == 2 ? finite(words[0]) : std::nullopt;
    const std::optional<double> hi = lo ? finite(words[1]) : std::nullopt;
    return hi && *lo < *hi && std::isfinite(*hi - *lo) ? std::optional(DataRange{*lo, *hi})
                                                       : std::nullopt;
}

// "ZLO ZHI", each a number or "-" for the palette's own end; two numbers in order.
std::optional<Cut> cut(const QString &value)
{
    const QStringList words = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() != 2) {
        return std::nullopt;
    }
    Cut c;
    for (int i = 0; i < 2; ++i) {
        if (words[i] != QLatin1String("-")) {
            const std::optional<double> z = finite(words[i]);
            if (!z) {
                return std::nullopt;
            }
            (i == 0 ? c.lo : c.hi) = z;
        }
    }
    return c.lo && c.hi && !(*c.lo < *c.hi) ? std::nullopt : std::optional(c);
}

std::optional<double> azimuth(const QString &value)
{
    const std::optional<double> a = finite(value.trimmed());
    return a && *a >= 0 && *a <= 360 ? a : std::nullopt;
}

struct Setting
{
    const char *name;
    const char *accepts;                 // in "NAME must be ACCEPTS, not VALUE"
    bool (*check)(const QString &value); // none: any value
};

const Setting kSettings[] = {
    {".rampspace", "rgb, lab or oklab", [](const QString &v) { return bool(rampSpace(v)); }},
    {".importsymbols", "a whole number from 1 to 32767",
     [](const QString &v) { return symbols(v).has_value(); }},
    {".importdata", "two numbers, ZMIN ZMAX, the first below the second",
     [](const QString &v) { return dataRange(v).has_value(); }},
    {".importcut", "ZLO ZHI, each a number or - for the palette's own end, ZLO below ZHI",
     [](const QString &v) { return cut(v).has_value(); }},
    {".importhinge", "a symbol number from 1 to 32767",
     [](const QString &v) { return symbols(v).has_value(); }},
    {".importramp", "", nullptr},
    {".startpath", "", nullptr},
    {".gridvariable", "", nullptr},
    {".gridband", "a whole number from 1 to 32767",
     [](const QString &v) { return symbols(v).has_value(); }},
    {".gridclasses", "linear or equalized",
     [](const QString &v) {
         return v == QLatin1String("linear") || v == QLatin1String("equalized");
     }},
    {".gridrange", "ZLO ZHI, ZLO below ZHI, or data",
     [](const QString &v) { return v == QLatin1String("data") || dataRange(v).has_value(); }},
    {".gridshade", "off, or the azimuth of the light in degrees from 0 to 360",
     [](const QString &v) { return v == QLatin1String("off") || azimuth(v).has_value(); }},
};

// How many single characters must change to turn `a` into `b` (Levenshtein), case-blind.
int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(std::size_t(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j) {
        row[j] = int(j);
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i) + 1;
        for (qsizetype j = 0; j < b.size(); ++j) {
            const int above = row[std::size_t(j) + 1];
            const bool same = a[i].toLower() == b[j].toLower();
            row[std::size_t(j) + 1] =
                std::min({above + 1, row[std::size_t(j)] + 1, diagonal + !same});
            diagonal = above;
        }
    }
    return row.back();
}

} // namespace

core::Status checkSetting(const QString &name, const QString &value)
{
    const Setting *nearest = nullptr;
    for (const Setting &setting : kSettings) {
        if (name == QLatin1String(setting.name)) {
            // Empty gives a variable back its default.
            if (setting.check && !value.isEmpty() && !setting.check(value)) {
                return core::fail(QStringLiteral("%1 must be %2, not \"%3\"")
                                      .arg(name, QLatin1String(setting.accepts), value));
            }
            return {};
        }
        if (!nearest || editDistance(name, QLatin1String(setting.name)) <
                            editDistance(name, QLatin1String(nearest->name))) {
            nearest = &setting;
        }
    }
    // The names of Tessel's own start with a full stop: one misspelt would be set and read by
    // nothing, so it is refused here.
    if (name.startsWith(QLatin1Char('.'))) {
        return core::fail(QStringLiteral("unknown variable %1 (did you mean %2?)")
                              .arg(name, QLatin1String(nearest->name)));
    }
    return {};
}

ImportOptions importOptions(const QHash<QString, QString> &variables)
{
    ImportOptions options;
    options.read.choice = variables.value(QStringLiteral(".importramp"));
    options.read.data = dataRange(variables.value(QStringLiteral(".importdata")));
    options.symbols = symbols(variables.value(QStringLiteral(".importsymbols")));
    options.cut = cut(variables.value(QStringLiteral(".importcut")));
    options.hinge = symbols(variables.value(QStringLiteral(".importhinge")));
    return options;
}

GridOptions gridOptions(const QHash<QString, QString> &variables)
{
    GridOptions options;
    options.variable = variables.value(QStringLiteral(".gridvariable"));
    options.band = symbols(variables.value(QStringLiteral(".gridband"))).value_or(1);
    options.equalized = variables.value(QStringLiteral(".gridclasses")) == u"equalized";
    const QString range = variables.value(QStringLiteral(".gridrange"));
    if (range == QLatin1String("data")) {
        options.range = GridOptions::Range::Data;
    } else if (const std::optional<DataRange> given = dataRange(range)) {
        options.range = GridOptions::Range::Given;
        options.lo = given->zmin;
        options.hi = given->zmax;
    }
    options.azimuth = azimuth(variables.value(QStringLiteral(".gridshade")));
    return options;
}

} // namespace tessel
