// NCL colour maps (.rgb, .gp, .ncmap), as NCL 6.6's read_colormap_file reads them: a list of
// colours, keyed by their place in it; written as "ncolors= N" and one "r g b" line each.
#include "FormatIo.h"
#include "core/Text.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

// NCL reads at most this many colours from a file.
constexpr int kMaxColors = 256;
constexpr int kMaxWords = 5;

// A number as NCL takes one here: digits and at most one point, nothing else (no sign, no
// exponent).
std::optional<double> nclNumber(QByteArrayView word)
{
    bool point = false;
    bool digit = false;
    for (const char c : word) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            return std::nullopt;
        }
    }
    return digit ? number(word) : std::nullopt;
}

// Blanks, tabs and commas separate the words of a line.
int nclWords(QByteArrayView line, QByteArrayView *out, int max)
{
    return splitAt(line, out, max, " \t,\r");
}

struct NclColor
{
    double c[3] = {};
    std::optional<double> alpha;
};

// A line whose first three words are numbers is a colour, and a fourth number its opacity;
// anything after is a comment. Every other line is passed over.
std::optional<NclColor> nclColor(QByteArrayView line)
{
    QByteArrayView w[kMaxWords];
    const int n = nclWords(line, w, kMaxWords);
    NclColor color;
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> v = i < n ? nclNumber(w[i]) : std::nullopt;
        if (!v) {
            return std::nullopt;
        }
        color.c[i] = *v;
    }
    color.alpha = n > 3 ? nclNumber(w[3]) : std::nullopt;
    return color;
}

// What NCL divides by: nothing for channels up to 1, else 255, or the largest channel where
// that is larger, with 256 and 65536 standing for the scales they end.
double divisor(double largest)
{
    if (largest <= 1) {
        return 1;
    }
    if (largest < 256) {
        return 255;
    }
    if (largest == 256) {
        return 256;
    }
    return largest == 65536 ? 65535 : largest;
}

} // namespace

// Evidence: the "ncolors" line, and colour lines of three numbers, alone or before a comment.
LineScore scoreNclLine(QByteArrayView line)
{
    if (line.startsWith('#')) { // no number begins so: a comment
        return {};
    }
    if (line.startsWith("ncolors")) {
        return {false, true, false};
    }
    const std::optional<NclColor> color = nclColor(line);
    QByteArrayView w[kMaxWords];
    const int n = nclWords(line, w, kMaxWords);
    return {color.has_value(), color && (n == 3 || !number(w[3])), false};
}

core::Result<Palette> readNcl(const QByteArray &bytes, const QString &label, const ReadOptions &)
{
    std::vector<NclColor> colors;
    double largest = -1;
    QString name;
    TextLines lines(bytes);
    while (lines.next() && colors.size() < std::size_t(kMaxColors)) {
        const QByteArrayView line = lines.line();
        if (line.startsWith("# NAME =")) {
            name = core::decodeName(line.sliced(8)).trimmed();
        } else if (const std::optional<NclColor> color = nclColor(line)) {
            largest = std::max({largest, color->c[0], color->c[1], color->c[2]});
            colors.push_back(*color);
        }
    }
    if (colors.empty()) {
        return core::fail(label + QStringLiteral(": no colours"));
    }
    const double scale = divisor(largest);
    std::vector<std::optional<Rgb>> list;
    ShadeTable table;
    for (const NclColor &c : colors) {
        // An opacity of nothing draws nothing.
        const bool seen = std::lround(255 * c.alpha.value_or(scale) / scale) > 0;
        list.push_back(seen ? std::optional(toRgb({c.c[0] / scale, c.c[1] / scale, c.c[2] / scale}))
                            : std::nullopt);
        if (list.back()) {
            table.set(int(list.size()), *list.back());
        }
    }
    Palette palette;
    palette.name = name;
    palette.keyed = std::move(table);
    palette.spreadWhenAsked = true;
    palette.zmin = 1;
    palette.zmax = double(list.size());
    // Spread over a plot's levels, NCL takes for level k of n the colour nearest to
    // (k - 1)(N - 1)/(n - 1), a half rounded up.
    palette.colorAt = [list = std::move(list)](double z) {
        const auto at = std::clamp<long>(long(std::floor(z - 1 + 0.5)), 0, long(list.size()) - 1);
        return list[std::size_t(at)];
    };
    return palette;
}

core::Result<QByteArray> writeNcl(const std::vector<Entry> &entries, const QString &name)
{
    // A colour map holds no "no colour", and its colours are numbered from 1.
    const int last = entries.back().symbol;
    if (entries.front().symbol != 1 || int(entries.size()) != last) {
        return core::fail(QStringLiteral("NCL colour maps have no \"no colour\", and symbols "
                                         "from 1 to %1 are not all defined")
                              .arg(last));
    }
    if (last > kMaxColors) {
        return core::fail(QStringLiteral("NCL reads at most %1 colours from a file, and the "
                                         "shadeset has %2 symbols")
                              .arg(kMaxColors)
                              .arg(last));
    }
    // NCL reads channels of 0 to 255 only where one of them is above 1: a darker table is
    // written in fractions of 1.
    const bool fractions = std::all_of(entries.begin(), entries.end(), [](const Entry &e) {
        return e.rgb.red <= 1 && e.rgb.green <= 1 && e.rgb.blue <= 1;
    });
    const auto channel = [&](int c) {
        return fractions ? QByteArray::number(c / 255.0, 'g', 9) : QByteArray::number(c);
    };
    QByteArray out =
        "ncolors= " + QByteArray::number(last) + "\n# NAME = " + name.toUtf8() + "\n# r g b\n";
    for (const Entry &e : entries) {
        out += channel(e.rgb.red) + ' ' + channel(e.rgb.green) + ' ' + channel(e.rgb.blue) + '\n';
    }
    return out;
}

} // namespace tessel
