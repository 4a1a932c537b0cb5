#include "ShdFile.h"

#include "TextLines.h"
#include "core/ReadFile.h"
#include "core/SaveFile.h"
#include "core/Text.h"

namespace tessel {
namespace {

constexpr char kHeader[] = "TESSEL SHADESET 1";

// A plain decimal number of digits only, at most `max`; -1 when it is not one.
int parseBounded(QByteArrayView text, int max)
{
    if (text.isEmpty() || text.size() > 6) {
        return -1;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value <= max ? value : -1;
}

QString quoted(QByteArrayView word)
{
    return QLatin1Char('"') + QString::fromUtf8(word) + QLatin1Char('"');
}

// Reads the lines of one file: the header, name and symbols lines, then the symbols.
class Parser
{
public:
    explicit Parser(const QString &fileLabel) : m_label(fileLabel) {}

    core::Result<Shadeset> run(const QByteArray &bytes)
    {
        TextLines lines(bytes);
        while (lines.next()) {
            const QByteArrayView line = lines.line();
            if (line.isEmpty() || line.startsWith('#')) {
                continue;
            }
            if (const core::Status taken = take(line); !taken) {
                return core::fail(QStringLiteral("%1 line %2: %3")
                                      .arg(m_label)
                                      .arg(lines.number())
                                      .arg(taken.error()));
            }
        }
        if (m_expect != Expect::Entries) {
            return core::fail(QStringLiteral("%1: incomplete shadeset file").arg(m_label));
        }
        if (m_result.table.total() != m_total) {
            return core::fail(
                QStringLiteral("%1: the total says %2 symbols but the highest symbol is %3")
                    .arg(m_label)
                    .arg(m_total)
                    .arg(m_result.table.total()));
        }
        return std::move(m_result);
    }

private:
    enum class Expect
    {
        Header,
        Name,
        Symbols,
        Entries
    };

    core::Status take(QByteArrayView line)
    {
        QByteArrayView words[5];
        switch (m_expect) {
        case Expect::Header:
            if (line != kHeader) {
                return core::fail(
                    line.startsWith("TESSEL SHADESET ")
                        ? QStringLiteral("unsupported version %1").arg(quoted(line.sliced(16)))
                        : QStringLiteral("not a shadeset file (expected \"%1\")").arg(kHeader));
            }
            m_expect = Expect::Name;
            return {};
        case Expect::Name:
            if (line != "name" && !line.startsWith("name ")) {
                return core::fail(QStringLiteral("expected the \"name\" line"));
            }
            m_result.name = core::decodeName(line.sliced(4)).trimmed();
            // Such a name would break the lines of every file it goes into.
            if (const qsizetype at = core::firstControl(m_result.name); at >= 0) {
                return core::fail(QStringLiteral("the name holds the control character %1")
                                      .arg(core::codePoint(m_result.name[at].unicode())));
            }
            m_expect = Expect::Symbols;
            return {};
        case Expect::Symbols:
            if (byteWords(line, words, 3) != 2 || words[0] != "symbols") {
                return core::fail(QStringLiteral("expected the \"symbols\" line"));
            }
            m_total = parseBounded(words[1], ShadeTable::kMaxSymbol);
            if (m_total < 0) {
                return core::fail(QStringLiteral("bad symbol total %1").arg(quoted(words[1])));
            }
            m_expect = Expect::Entries;
            return {};
        case Expect::Entries:
            return takeEntry(line);
        }
        return {};
    }

    // "number red green blue"
    core::Status takeEntry(QByteArrayView line)
    {
        QByteArrayView words[5];
        if (byteWords(line, words, 5) != 4) {
            return core::fail(QStringLiteral("expected \"number red green blue\""));
        }
        const int symbol = parseBounded(words[0], ShadeTable::kMaxSymbol);
        if (symbol < 1) {
            return core::fail(QStringLiteral("bad symbol number %1").arg(quoted(words[0])));
        }
        if (symbol <= m_previous) {
            return core::fail(QStringLiteral("symbol %1 is out of order or repeated").arg(symbol));
        }
        if (symbol > m_total) {
            return core::fail(
                QStringLiteral("symbol %1 is above the total %2").arg(symbol).arg(m_total));
        }
        int channels[3];
        for (int c = 0; c < 3; ++c) {
            channels[c] = parseBounded(words[c + 1], 255);
            if (channels[c] < 0) {
                return core::fail(
                    QStringLiteral("bad colour channel %1").arg(quoted(words[c + 1])));
            }
        }
        m_result.table.set(symbol, Rgb{static_cast<std::uint8_t>(channels[0]),
                                       static_cast<std::uint8_t>(channels[1]),
                                       static_cast<std::uint8_t>(channels[2])});
        m_previous = symbol;
        return {};
    }

    QString m_label;
    Expect m_expect = Expect::Header;
    Shadeset m_result;
    int m_total = 0;
    int m_previous = 0;
};

} // namespace

core::Result<Shadeset> parseShd(const QByteArray &bytes, const QString &fileLabel)
{
    if (bytes.size() > kMaxShdBytes) {
        return core::fail(QStringLiteral("%1: larger than 1 MiB").arg(fileLabel));
    }
    return Parser(fileLabel).run(core::utf8Text(bytes));
}

core::Result<Shadeset> readShdFile(const QString &path)
{
    const core::Result<QByteArray> bytes = core::readFileBytes(path, kMaxShdBytes);
    return bytes ? parseShd(*bytes, path) : bytes.failure();
}

QByteArray formatShd(const QString &name, const ShadeTable &table)
{
    QByteArray out;
    out.reserve(32 + table.total() * 16);
    out += QByteArray(kHeader) + "\nname " + name.toUtf8() + "\nsymbols " +
           QByteArray::number(table.total()) + '\n';
    for (int symbol = 1; symbol <= table.total(); ++symbol) {
        if (const auto rgb = table.color(symbol)) {
            out += QByteArray::number(symbol) + ' ' + QByteArray::number(rgb->red) + ' ' +
                   QByteArray::number(rgb->green) + ' ' + QByteArray::number(rgb->blue) + '\n';
        }
    }
    return out;
}

core::Status writeShdFile(const QString &path, const QString &name, const ShadeTable &table)
{
    return core::saveFile(path, formatShd(name, table));
}

} // namespace tessel
