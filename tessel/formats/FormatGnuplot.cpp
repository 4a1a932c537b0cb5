// gnuplot palettes (set palette file 'p.gpf' using 1:2:3:4): "position r g b" lines,
// channels from 0 to 1, blended as gnuplot 5.4 blends them; written with one line a symbol.
#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

// What Tessel writes in its exports: a file that says so is gnuplot's whatever its name.
constexpr QByteArrayView kOwnComment = "# A Tessel shadeset as a gnuplot palette";

int words(QByteArrayView line, QByteArrayView *out, int max)
{
    return splitAt(line, out, max, " \t\r");
}

QByteArray channel(std::uint8_t value)
{
    return value == 0 ? QByteArray("0") : value == 255 ? QByteArray("1") : exact(value / 255.0);
}

} // namespace

// Four plain numbers, as gdaldem's and GRASS's lines may be: a fit, never evidence, so that
// the extension decides. Anything else but a comment rules gnuplot out.
LineScore scoreGnuplotLine(QByteArrayView line)
{
    if (line.startsWith('#')) {
        return {false, line == kOwnComment, false};
    }
    QByteArrayView w[5];
    const int n = words(line, w, 5);
    const bool fits = n == 4 && std::all_of(w, w + 4, [](QByteArrayView word) {
                          return finiteNumber(word).has_value();
                      });
    return {fits, false, !fits && n > 0};
}

core::Result<Palette> readGnuplot(const QByteArray &bytes, const QString &label,
                                  const ReadOptions &)
{
    Palette palette;
    std::vector<Rule> rows;
    TextLines lines(bytes);
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        if (takeComment(line, palette.name)) {
            continue;
        }
        QByteArrayView w[5];
        const int n = words(line, w, 5);
        if (n == 0) {
            continue;
        }
        const auto fail = [&](const QString &what) {
            return core::fail(lineError(label, lines.number(), what));
        };
        double v[4] = {};
        for (int i = 0; i < 4; ++i) {
            const std::optional<double> read = i < n ? finiteNumber(w[i]) : std::nullopt;
            if (!read) {
                return fail(QStringLiteral("expected \"position red green blue\""));
            }
            v[i] = *read;
        }
        // gnuplot takes the rows as they come, and refuses a palette that turns back.
        if (!rows.empty() && v[0] < rows.back().value) {
            return fail(QStringLiteral("the positions go down (%1 after %2): gnuplot refuses a "
                                       "palette whose gradient is not monotonic")
                            .arg(v[0])
                            .arg(rows.back().value));
        }
        Rule row;
        row.value = v[0];
        row.line = lines.number();
        // Channels are cut to 0 to 1 as they are read.
        row.rgb = {std::clamp(v[1], 0.0, 1.0), std::clamp(v[2], 0.0, 1.0),
                   std::clamp(v[3], 0.0, 1.0)};
        rows.push_back(row);
    }
    if (rows.size() < 2 || rows.back().value <= rows.front().value) {
        return core::fail(label + QStringLiteral(": a gnuplot palette needs two positions or more, "
                                                 "the last above the first"));
    }
    palette.keyed = keyedHalfSteps(rows);
    palette.zmin = rows.front().value;
    palette.zmax = rows.back().value;
    // At a position that several rows share, the first of them; above it, from the last.
    palette.colorAt = [rows](double z) -> std::optional<Rgb> {
        const auto at = std::lower_bound(rows.begin(), rows.end(), z,
                                         [](const Rule &r, double v) { return r.value < v; });
        if (at == rows.begin() || at == rows.end()) {
            return toRgb(at == rows.end() ? rows.back().rgb : rows.front().rgb);
        }
        const Rule &lo = *(at - 1);
        return toRgb(mixRgb(lo.rgb, at->rgb, (z - lo.value) / (at->value - lo.value)));
    };
    return palette;
}

core::Result<QByteArray> writeGnuplot(const std::vector<Entry> &entries, const QString &name)
{
    // gnuplot sets the positions out from 0 to 1 itself, so each symbol stands at its own
    // number. It has no "no colour": a run of undefined symbols takes the colour of the one
    // below, to a row half a symbol before the next defined one.
    const auto row = [](const QByteArray &position, Rgb c) {
        return position + ' ' + channel(c.red) + ' ' + channel(c.green) + ' ' + channel(c.blue) +
               '\n';
    };
    QByteArray out = "# NAME = " + name.toUtf8() + '\n' + kOwnComment.toByteArray() + '\n';
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries[i].symbol > entries[i - 1].symbol + 1) {
            out += row(QByteArray::number(entries[i].symbol - 1) + ".5", entries[i - 1].rgb);
        }
        out += row(QByteArray::number(entries[i].symbol), entries[i].rgb);
    }
    // gnuplot needs two positions: a table of one symbol is that colour over half a symbol.
    if (entries.size() == 1) {
        out += row(QByteArray::number(entries[0].symbol) + ".5", entries[0].rgb);
    }
    return out;
}

} // namespace tessel
