// GMT colour palette tables: slices "z0 colour z1 colour" drawn as GMT draws them, or
// categorical lines "key colour".
#include "ColorNames.h"
#include "Palette.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {
namespace {

// A colour in the table's own model: RGB channels from 0 to 1, or GMT's hue in degrees,
// saturation and value. Slices are straight lines in that model.
struct ModelColor
{
    double a = 0;
    double b = 0;
    double c = 0;
    bool operator==(const ModelColor &o) const { return a == o.a && b == o.b && c == o.c; }
};

// A colour of the table's model in 8 bits a channel.
Rgb toByte(const ModelColor &c, bool hsv)
{
    return toRgb(hsv ? fromHsv(Hsv{c.a, c.b, c.c}) : Rgbf{c.a, c.b, c.c});
}

struct Slice
{
    double z0 = 0;
    double z1 = 0;
    std::optional<ModelColor> c0; // both absent: a slice GMT skips
    std::optional<ModelColor> c1;
};

struct Key
{
    double z = 0;
    ModelColor color;
};

class GmtReader
{
    enum class Model
    {
        Rgb, // CMYK colours are turned into RGB
        Hsv
    };

public:
    explicit GmtReader(const QString &label) : m_label(label) {}

    core::Result<Palette> read(const QByteArray &bytes)
    {
        const QList<QByteArray> lines = bytes.split('\n');
        for (m_line = 1; m_line <= lines.size(); ++m_line) {
            if (!take(QString::fromUtf8(lines[m_line - 1]).trimmed())) {
                return core::fail(m_error);
            }
        }
        if (m_slices.empty() && m_keys.empty()) {
            return core::fail(m_label + QStringLiteral(": no colour slices"));
        }
        return finish();
    }

private:
    bool fail(const QString &what)
    {
        m_error = lineError(m_label, m_line, what);
        return false;
    }

    bool take(QString line)
    {
        if (line.startsWith(QLatin1Char('#'))) {
            comment(line.mid(1).trimmed());
            return true;
        }
        line = line.section(QLatin1Char(';'), 0, 0); // a label for the legend
        static const QRegularExpression kBlanks(QStringLiteral("\\s+"));
        QStringList words = line.split(kBlanks, Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            return true;
        }
        if (words[0] == QLatin1String("B") || words[0] == QLatin1String("F") ||
            words[0] == QLatin1String("N")) {
            // Colours below, above and for no data: none of them is inside the table.
            if (words.size() != 2) {
                return fail(QStringLiteral("expected \"%1 colour\"").arg(words[0]));
            }
            return words[1] == QLatin1String("-") || color(words[1]).has_value();
        }
        if (words.size() % 2 == 1 && QStringList{"L", "U", "B"}.contains(words.last())) {
            words.removeLast(); // which end of the slice to annotate
        }
        if (words.size() == 8) { // the old form: three numbers a colour
            const QChar join = m_model == Model::Hsv ? QLatin1Char('-') : QLatin1Char('/');
            words = {words[0], words.mid(1, 3).join(join), words[4], words.mid(5, 3).join(join)};
        }
        if (words.size() == 2) {
            return key(words);
        }
        if (words.size() == 4) {
            return slice(words);
        }
        return fail(QStringLiteral("expected \"z0 colour z1 colour\" or \"key colour\""));
    }

    void comment(const QString &text)
    {
        const QString key = text.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
        const QString value = text.section(QLatin1Char('='), 1).trimmed();
        if (key == QLatin1String("COLOR_MODEL")) {
            const QString model = value.toLower().remove(QLatin1Char('+'));
            m_model = model == QLatin1String("hsv") ? Model::Hsv : Model::Rgb;
        } else if (key == QLatin1String("NAME") && text.contains(QLatin1Char('='))) {
            m_name = value;
        }
        // HARD_HINGE, SOFT_HINGE, RANGE and CYCLIC matter only when GMT stretches a table
        // or wraps values outside it; a table read as it is needs none of them.
    }

    std::optional<double> z(const QString &word)
    {
        const std::optional<double> value = finiteNumber(word);
        if (!value) {
            fail(QStringLiteral("bad z value \"%1\"").arg(word));
        }
        return value;
    }

    bool key(const QStringList &words)
    {
        const std::optional<double> at = z(words[0]);
        const std::optional<ModelColor> c = at ? color(words[1]) : std::nullopt;
        if (!c) {
            return false;
        }
        if (!m_slices.empty()) {
            return fail(QStringLiteral("a categorical line among slices"));
        }
        m_keys.push_back({*at, *c});
        return true;
    }

    bool slice(const QStringList &words)
    {
        const std::optional<double> z0 = z(words[0]);
        const std::optional<double> z1 = z0 ? z(words[2]) : std::nullopt;
        if (!z1) {
            return false;
        }
        if (*z1 < *z0) {
            return fail(QStringLiteral("z1 %1 is below z0 %2").arg(words[2], words[0]));
        }
        if (!m_keys.empty()) {
            return fail(QStringLiteral("a slice among categorical lines"));
        }
        if (!m_slices.empty() &&
            std::abs(*z0 - m_slices.back().z1) > 1e-9 * std::max(1.0, std::abs(*z0))) {
            return fail(QStringLiteral("the slice starts at %1, where the one before ends at %2")
                            .arg(words[0])
                            .arg(m_slices.back().z1));
        }
        Slice s{*z0, *z1, std::nullopt, std::nullopt};
        const bool skipped = words[1] == QLatin1String("-");
        if (skipped != (words[3] == QLatin1String("-"))) {
            return fail(QStringLiteral("a slice skipped at one end only"));
        }
        if (!skipped) {
            s.c0 = color(words[1]);
            s.c1 = s.c0 ? color(words[3]) : std::nullopt;
            if (!s.c1) {
                return false;
            }
        }
        m_slices.push_back(s);
        return true;
    }

    // r/g/b, c/m/y/k, h-s-v, #rrggbb, a grey level or a name; "@transparency" is ignored.
    std::optional<ModelColor> color(const QString &word)
    {
        const QString text = word.section(QLatin1Char('@'), 0, 0);
        const bool hsv = !text.contains(QLatin1Char('/')) && text.count(QLatin1Char('-')) == 2;
        const QStringList pieces = text.split(hsv ? QLatin1Char('-') : QLatin1Char('/'));
        std::vector<double> n;
        for (const QString &piece : pieces) {
            if (const std::optional<double> v = finiteNumber(piece)) {
                n.push_back(*v);
            }
        }
        const auto within = [&](std::initializer_list<double> max) {
            return std::equal(n.begin(), n.end(), max.begin(),
                              [](double v, double m) { return v >= 0 && v <= m; });
        };
        const auto bad = [&](const char *why) {
            fail(QStringLiteral("%1 colour \"%2\"").arg(QLatin1String(why), word));
            return std::nullopt;
        };
        Rgbf rgb;
        if (n.size() != std::size_t(pieces.size()) || text.startsWith(QLatin1Char('#'))) {
            const std::optional<Rgb> named = lookupColor(text);
            if (!named) {
                return bad("unknown");
            }
            rgb = fromRgb(*named);
        } else if (hsv && n.size() == 3) {
            return within({360, 1, 1}) ? inModel(Hsv{n[0], n[1], n[2]}) : bad("out-of-range");
        } else if (n.size() == 3 && within({255, 255, 255})) {
            rgb = {n[0] / 255, n[1] / 255, n[2] / 255};
        } else if (n.size() == 1 && within({255})) {
            rgb = {n[0] / 255, n[0] / 255, n[0] / 255};
        } else if (n.size() == 4 && within({100, 100, 100, 100})) {
            const double k = 1 - n[3] / 100;
            rgb = {(1 - n[0] / 100) * k, (1 - n[1] / 100) * k, (1 - n[2] / 100) * k};
        } else {
            return bad(n.size() == 1 || n.size() == 3 || n.size() == 4 ? "out-of-range" : "bad");
        }
        return m_model == Model::Hsv ? inModel(toHsv(rgb)) : ModelColor{rgb.r, rgb.g, rgb.b};
    }

    std::optional<ModelColor> inModel(const Hsv &hsv) const
    {
        if (m_model == Model::Hsv) {
            return ModelColor{hsv.h, hsv.s, hsv.v};
        }
        const Rgbf rgb = fromHsv(hsv);
        return ModelColor{rgb.r, rgb.g, rgb.b};
    }

    Palette finish()
    {
        Palette palette;
        palette.name = m_name;
        palette.keyed = keyedTable();
        const auto rgb = [hsv = m_model == Model::Hsv](const ModelColor &c) {
            return toByte(c, hsv);
        };
        if (!m_slices.empty()) {
            palette.zmin = m_slices.front().z0;
            palette.zmax = m_slices.back().z1;
            palette.colorAt = [slices = m_slices, rgb](double z) -> std::optional<Rgb> {
                auto it = std::upper_bound(slices.begin(), slices.end(), z,
                                           [](double v, const Slice &s) { return v < s.z0; });
                if (it == slices.begin() || z > slices.back().z1) {
                    return std::nullopt;
                }
                const Slice &s = *(it - 1);
                if (!s.c0) {
                    return std::nullopt;
                }
                const double f = s.z1 > s.z0 ? fraction(z, s.z0, s.z1) : 0;
                return rgb({lerp(s.c0->a, s.c1->a, f), lerp(s.c0->b, s.c1->b, f),
                            lerp(s.c0->c, s.c1->c, f)});
            };
            return palette;
        }
        std::vector<Key> keys = m_keys;
        std::sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) { return a.z < b.z; });
        palette.zmin = keys.front().z;
        palette.zmax = keys.back().z;
        // GMT draws a value that is no key in its colour for no data: here, no colour.
        palette.colorAt = [keys, rgb](double z) -> std::optional<Rgb> {
            auto it =
                std::lower_bound(keys.begin(), keys.end(), z - 1e-9 * std::max(1.0, std::abs(z)),
                                 [](const Key &k, double v) { return k.z < v; });
            if (it == keys.end() || std::abs(it->z - z) > 1e-9 * std::max(1.0, std::abs(z))) {
                return std::nullopt;
            }
            return rgb(it->color);
        };
        return palette;
    }

    // As Tessel exports them: one constant slice from n to n + 1 per symbol, or skipped
    // slices between whole symbols; or categorical keys that are all symbol numbers.
    std::optional<ShadeTable> keyedTable() const
    {
        const auto rgb = [hsv = m_model == Model::Hsv](const ModelColor &c) {
            return toByte(c, hsv);
        };
        ShadeTable table;
        for (const Slice &s : m_slices) {
            const std::optional<int> z0 = wholeSymbol(s.z0);
            const std::optional<int> z1 = wholeSymbol(s.z1 - 1);
            if (!z0 || !z1 || (s.c0 && (*z1 != *z0 || !(*s.c0 == *s.c1)))) {
                return std::nullopt;
            }
            if (s.c0) {
                table.set(*z0, rgb(*s.c0));
            }
        }
        for (const Key &k : m_keys) {
            const std::optional<int> symbol = wholeSymbol(k.z);
            if (!symbol) {
                return std::nullopt;
            }
            table.set(*symbol, rgb(k.color));
        }
        return table;
    }

    QString m_label;
    QString m_error;
    QString m_name;
    int m_line = 0;
    Model m_model = Model::Rgb;
    std::vector<Slice> m_slices;
    std::vector<Key> m_keys;
};

} // namespace

core::Result<Palette> readGmtPalette(const QByteArray &text, const QString &label)
{
    return GmtReader(label).read(text);
}

} // namespace tessel
