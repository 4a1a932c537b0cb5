// The lines of a GMT colour palette table: slices, keys, B/F/N lines, comments and colours
// in every form GMT writes them, read from the bytes one line at a time.
#include "GmtTable.h"

#include "FormatIo.h"
#include "Palette.h"
#include "core/Text.h"
#include "tessel/colour/ColorSpaces.h"
#include "tessel/table/ColorNames.h"
#include "tessel/table/TextLines.h"

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr int kMaxWords = 10;

// Whether a comment (without its "#") sets `key`: "KEY = value", in any case.
std::optional<QByteArrayView> commentValue(QByteArrayView comment, QByteArrayView key)
{
    comment = comment.trimmed();
    if (comment.size() < key.size() || qstrnicmp(comment.data(), key.data(), key.size()) != 0) {
        return std::nullopt;
    }
    const QByteArrayView rest = comment.sliced(key.size()).trimmed();
    return rest.startsWith('=') ? std::optional(rest.sliced(1).trimmed()) : std::nullopt;
}

// The names GMT knows beyond the classic X11 ones, in GMT's colours: makecpt writes them.
std::optional<Rgb> gmtColor(QByteArrayView name)
{
    static const NamedColor kNames[] = {
        {"darkblue", {0, 0, 139}},        {"darkbrown", {120, 60, 30}},
        {"darkcyan", {0, 139, 139}},      {"darkgray", {169, 169, 169}},
        {"darkgrey", {169, 169, 169}},    {"darkmagenta", {139, 0, 139}},
        {"darkred", {139, 0, 0}},         {"darkyellow", {128, 128, 0}},
        {"lightbrown", {235, 190, 85}},   {"lightmagenta", {255, 128, 255}},
        {"lightorange", {255, 192, 128}}, {"lightred", {255, 128, 128}},
        {"navyblue", {0, 0, 128}},        {"palevioletred", {219, 112, 147}},
    };
    if (const std::optional<Rgb> rgb = namedColor(name, kNames, std::size(kNames))) {
        return rgb;
    }
    return lookupColor(QString::fromUtf8(name));
}

class Reader
{
public:
    explicit Reader(const QString &label) : m_label(label) {}

    core::Result<GmtTable> read(const QByteArray &bytes)
    {
        TextLines lines(bytes);
        while (lines.next()) {
            if (const core::Status taken = take(lines.line()); !taken) {
                return core::fail(lineError(m_label, lines.number(), taken.error()));
            }
            if (lines.line().isEmpty() || lines.line().startsWith('#')) {
                lines.skipRepeats(); // a comment said again says nothing new
            }
        }
        if (m_table.slices.empty() && m_table.keys.empty()) {
            return core::fail(m_label + QStringLiteral(": no colour slices"));
        }
        return std::move(m_table);
    }

private:
    core::Status take(QByteArrayView line)
    {
        if (line.startsWith('#')) {
            comment(line.sliced(1));
            return {};
        }
        const qsizetype label = line.indexOf(';'); // a label for the legend
        QByteArrayView words[kMaxWords];
        int n = byteWords(label < 0 ? line : line.first(label), words, kMaxWords);
        if (n == 0) {
            return {};
        }
        if (words[0] == "B" || words[0] == "F" || words[0] == "N") {
            // Colours below, above and for no data: none of them is inside the table.
            if (n != 2) {
                return core::fail(
                    QStringLiteral("expected \"%1 colour\"").arg(QLatin1String(words[0])));
            }
            const core::Result<ModelColor> c = color(words[1]);
            return words[1] == "-" || c ? core::Status() : c.failure();
        }
        if (n % 2 == 1 && (words[n - 1] == "L" || words[n - 1] == "U" || words[n - 1] == "B")) {
            --n; // which end of the slice to annotate
        }
        if (n == 8) { // the old form: three numbers a colour
            const char join = m_table.hsv ? '-' : '/';
            const auto joined = [&](int from) {
                return words[from].toByteArray() + join + words[from + 1].toByteArray() + join +
                       words[from + 2].toByteArray();
            };
            return slice(words[0], words[4], joined(1), joined(5));
        }
        if (n == 2) {
            return key(words[0], words[1]);
        }
        if (n == 4) {
            return slice(words[0], words[2], words[1], words[3]);
        }
        return core::fail(QStringLiteral("expected \"z0 colour z1 colour\" or \"key colour\""));
    }

    void comment(QByteArrayView text)
    {
        if (text.size() < 4) { // "NAME", the shortest key; most comments are shorter or none
            return;
        }
        if (const auto model = commentValue(text, "COLOR_MODEL")) {
            QByteArray value = model->toByteArray().toLower();
            value.replace('+', "");
            m_table.hsv = value == "hsv";
        } else if (const auto name = commentValue(text, "NAME")) {
            m_table.name = core::decodeName(*name);
        } else if (const auto range = commentValue(text, "RANGE")) {
            const qsizetype slash = range->indexOf('/');
            const std::optional<double> a =
                finiteNumber(range->first(std::max<qsizetype>(slash, 0)));
            const std::optional<double> b =
                slash < 0 ? std::nullopt : finiteNumber(range->sliced(slash + 1));
            if (a && b && *a < *b) {
                m_table.range = std::pair(*a, *b);
            }
        } else if (text.trimmed().compare("HARD_HINGE", Qt::CaseInsensitive) == 0) {
            m_table.hinge = GmtTable::Hinge::Hard;
        } else if (text.trimmed().compare("SOFT_HINGE", Qt::CaseInsensitive) == 0) {
            m_table.hinge = GmtTable::Hinge::Soft;
        }
        // A table read as it is needs neither its hinge nor its range: they matter where a
        // part of it is cut or its hinge placed. CYCLIC matters only outside the table.
    }

    static core::Result<double> z(QByteArrayView word)
    {
        if (const std::optional<double> z = finiteNumber(word)) {
            return *z;
        }
        return core::fail(QStringLiteral("bad z value \"%1\"").arg(QString::fromUtf8(word)));
    }

    core::Status key(QByteArrayView at, QByteArrayView colour)
    {
        const core::Result<double> value = z(at);
        const core::Result<ModelColor> c = value ? color(colour) : value.failure();
        if (!c) {
            return c.failure();
        }
        if (!m_table.slices.empty()) {
            return core::fail(QStringLiteral("a categorical line among slices"));
        }
        m_table.keys.push_back({*value, *c});
        return {};
    }

    core::Status slice(QByteArrayView w0, QByteArrayView w1, QByteArrayView c0, QByteArrayView c1)
    {
        const core::Result<double> z0 = z(w0);
        const core::Result<double> z1 = z0 ? z(w1) : z0.failure();
        if (!z1) {
            return z1.failure();
        }
        if (*z1 < *z0) {
            return core::fail(QStringLiteral("z1 %1 is below z0 %2")
                                  .arg(QString::fromUtf8(w1), QString::fromUtf8(w0)));
        }
        if (!m_table.keys.empty()) {
            return core::fail(QStringLiteral("a slice among categorical lines"));
        }
        if (!m_table.slices.empty() &&
            std::abs(*z0 - m_table.slices.back().z1) > 1e-9 * std::max(1.0, std::abs(*z0))) {
            return core::fail(
                QStringLiteral("the slice starts at %1, where the one before ends at %2")
                    .arg(QString::fromUtf8(w0))
                    .arg(m_table.slices.back().z1));
        }
        const bool skipped = c0 == "-";
        if (skipped != (c1 == "-")) {
            return core::fail(QStringLiteral("a slice skipped at one end only"));
        }
        GmtSlice s{*z0, *z1, std::nullopt, std::nullopt};
        if (!skipped) {
            const core::Result<ModelColor> from = color(c0);
            const core::Result<ModelColor> to = from ? color(c1) : from.failure();
            if (!to) {
                return to.failure();
            }
            s.c0 = *from;
            s.c1 = *to;
        }
        m_table.slices.push_back(s);
        return {};
    }

    // r/g/b, c/m/y/k, h-s-v, #rrggbb, a grey level or a name; "@transparency" is ignored.
    core::Result<ModelColor> color(QByteArrayView word) const
    {
        const qsizetype at = word.indexOf('@');
        const QByteArrayView text = at < 0 ? word : word.first(at);
        const bool hsv = !text.contains('/') && text.count('-') == 2;
        const char separator = hsv ? '-' : '/';
        double n[4] = {};
        int count = 0; // pieces
        bool numbers = !text.startsWith('#');
        for (qsizetype from = 0; from <= text.size(); ++count) {
            const qsizetype end = text.indexOf(separator, from);
            const qsizetype to = end < 0 ? text.size() : end;
            const std::optional<double> v = finiteNumber(text.sliced(from, to - from));
            numbers = numbers && v.has_value();
            if (v && count < 4) {
                n[count] = *v;
            }
            from = to + 1;
        }
        const auto within = [&](std::initializer_list<double> max) {
            return std::equal(n, n + count, max.begin(),
                              [](double v, double m) { return v >= 0 && v <= m; });
        };
        const auto bad = [&](const char *why) {
            return core::fail(QStringLiteral("%1 colour \"%2\"")
                                  .arg(QLatin1String(why), QString::fromUtf8(word)));
        };
        Rgbf rgb;
        if (!numbers) {
            const std::optional<Rgb> named = gmtColor(text);
            if (!named) {
                return bad("unknown");
            }
            rgb = fromRgb(*named);
        } else if (hsv && count == 3) {
            if (!within({360, 1, 1})) {
                return bad("out-of-range");
            }
            return inModel(Hsv{n[0], n[1], n[2]});
        } else if (count == 3 && within({255, 255, 255})) {
            rgb = {n[0] / 255, n[1] / 255, n[2] / 255};
        } else if (count == 1 && within({255})) {
            rgb = {n[0] / 255, n[0] / 255, n[0] / 255};
        } else if (count == 4 && within({100, 100, 100, 100})) {
            const double k = 1 - n[3] / 100;
            rgb = {(1 - n[0] / 100) * k, (1 - n[1] / 100) * k, (1 - n[2] / 100) * k};
        } else {
            return bad(count == 1 || count == 3 || count == 4 ? "out-of-range" : "bad");
        }
        return m_table.hsv ? inModel(toHsv(rgb)) : ModelColor{rgb.r, rgb.g, rgb.b};
    }

    ModelColor inModel(const Hsv &hsv) const
    {
        if (m_table.hsv) {
            return ModelColor{hsv.h, hsv.s, hsv.v};
        }
        const Rgbf rgb = fromHsv(hsv);
        return ModelColor{rgb.r, rgb.g, rgb.b};
    }

    QString m_label;
    GmtTable m_table;
};

} // namespace

core::Result<GmtTable> readGmtTable(const QByteArray &bytes, const QString &label)
{
    return Reader(label).read(bytes);
}

} // namespace tessel
