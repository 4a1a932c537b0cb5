// gdaldem color-relief files: "value r g b [a]" lines, blended between entries as gdaldem
// blends them.
#include "ColorNames.h"
#include "Palette.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

struct Entry
{
    double value = 0;
    Rgbf rgb;
    double alpha = 1;
};

// The names gdaldem knows, in the colours they have there.
std::optional<Rgb> gdalColor(const QString &name)
{
    static const QStringList kNames = {"white",   "black",   "red",    "green",  "blue",  "yellow",
                                       "magenta", "fuchsia", "cyan",   "aqua",   "grey",  "gray",
                                       "orange",  "brown",   "purple", "violet", "indigo"};
    const QString key = name.toLower();
    if (!kNames.contains(key)) {
        return std::nullopt;
    }
    if (key == QLatin1String("fuchsia")) {
        return lookupColor(QStringLiteral("magenta"));
    }
    return lookupColor(key == QLatin1String("aqua") ? QStringLiteral("cyan") : key);
}

// As Tessel exports them: whole symbols one after another, where a run of undefined ones
// is bounded by entries of no opacity.
std::optional<ShadeTable> keyedTable(const std::vector<Entry> &entries, bool percent)
{
    ShadeTable table;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::optional<int> symbol = wholeSymbol(entries[i].value);
        const bool contiguous = i == 0 || entries[i].value == entries[i - 1].value + 1 ||
                                (entries[i].alpha == 0 && entries[i - 1].alpha == 0 &&
                                 entries[i].value > entries[i - 1].value);
        if (percent || !symbol || !contiguous) {
            return std::nullopt;
        }
        if (entries[i].alpha > 0) {
            table.set(*symbol, toRgb(entries[i].rgb));
        }
    }
    return table;
}

} // namespace

core::Result<Palette> readGdalColors(const QByteArray &text, const QString &label)
{
    Palette palette;
    std::vector<Entry> entries;
    bool percent = false;
    const QList<QByteArray> lines = text.split('\n');
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = QString::fromUtf8(lines[number - 1]).trimmed();
        if (line.startsWith(QLatin1Char('#'))) {
            if (line.mid(1).trimmed().startsWith(QLatin1String("NAME ="))) {
                palette.name = line.section(QLatin1Char('='), 1).trimmed();
            }
            continue;
        }
        static const QRegularExpression kSeparators(QStringLiteral("[\\s,:]+"));
        const QStringList words = line.split(kSeparators, Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].toLower() == QLatin1String("nv")) {
            continue; // the colour for no data lies outside the table
        }
        const bool isPercent = words[0].endsWith(QLatin1Char('%'));
        const std::optional<double> value =
            finiteNumber(isPercent ? words[0].chopped(1) : words[0]);
        if (!value) {
            return core::fail(
                lineError(label, number, QStringLiteral("bad value \"%1\"").arg(words[0])));
        }
        if (!entries.empty() && isPercent != percent) {
            return core::fail(
                lineError(label, number, QStringLiteral("percentages mixed with values")));
        }
        percent = isPercent;
        Entry entry{*value, {}, 1};
        if (words.size() == 2) {
            const std::optional<Rgb> named = gdalColor(words[1]);
            if (!named) {
                return core::fail(lineError(label, number,
                                            QStringLiteral("unknown colour \"%1\"").arg(words[1])));
            }
            entry.rgb = fromRgb(*named);
        } else if (words.size() == 4 || words.size() == 5) {
            double channel[4] = {0, 0, 0, 255};
            for (int c = 1; c < words.size(); ++c) {
                const std::optional<double> v = finiteNumber(words[c]);
                if (!v || *v < 0 || *v > 255) {
                    return core::fail(lineError(
                        label, number, QStringLiteral("bad colour channel \"%1\"").arg(words[c])));
                }
                channel[c - 1] = *v;
            }
            entry.rgb = {channel[0] / 255, channel[1] / 255, channel[2] / 255};
            entry.alpha = channel[3] / 255;
        } else {
            return core::fail(lineError(
                label, number, QStringLiteral("expected \"value red green blue [alpha]\"")));
        }
        entries.push_back(entry);
    }
    if (entries.empty()) {
        return core::fail(label + QStringLiteral(": no colour entries"));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.value < b.value; });
    palette.keyed = keyedTable(entries, percent);
    palette.zmin = entries.front().value;
    palette.zmax = entries.back().value;
    palette.colorAt = [entries](double z) -> std::optional<Rgb> {
        auto above = std::upper_bound(entries.begin(), entries.end(), z,
                                      [](double v, const Entry &e) { return v < e.value; });
        const Entry &hi = above == entries.end() ? entries.back() : *above;
        const Entry &lo = above == entries.begin() ? entries.front() : *(above - 1);
        const double s =
            hi.value > lo.value ? std::clamp(fraction(z, lo.value, hi.value), 0.0, 1.0) : 1;
        // A blend that leaves no opacity at all is no colour.
        if (std::lround(255 * lerp(lo.alpha, hi.alpha, s)) == 0) {
            return std::nullopt;
        }
        return toRgb(mixRgb(lo.rgb, hi.rgb, s));
    };
    return palette;
}

} // namespace tessel
