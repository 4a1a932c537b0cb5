#include "ShdFile.h"

#include "core/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cstring>

namespace tessel {
namespace {

const QString kHeader = QStringLiteral("TESSEL SHADESET 1");

// A plain decimal number of digits only, at most `max`; -1 when it is not one.
int parseBounded(QStringView text, int max)
{
    if (text.isEmpty() || text.size() > 6) {
        return -1;
    }
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return -1;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= max ? value : -1;
}

// Reads the symbol lines, after the header, name and symbols lines.
class Parser
{
public:
    explicit Parser(const QString &fileLabel) : m_label(fileLabel) {}

    ShdReadResult run(const QByteArray &bytes)
    {
        const char *p = bytes.constData();
        const char *const end = p + bytes.size();
        for (int number = 1;; ++number) {
            const char *eol = static_cast<const char *>(std::memchr(p, '\n', end - p));
            const bool last = eol == nullptr;
            const char *b = p;
            const char *e = last ? end : eol;
            while (b < e && isBlank(*b)) {
                ++b;
            }
            while (e > b && isBlank(e[-1])) {
                --e;
            }
            m_line = number;
            // Symbol lines, nearly all of a file, are read from the bytes; anything unusual
            // goes the long way, which also words the error.
            const bool skip = b == e || *b == '#';
            if (!skip && !(m_expect == Expect::Entries && takeEntryFast(b, e)) &&
                !take(QString::fromUtf8(b, e - b))) {
                return {std::nullopt, m_error};
            }
            if (last) {
                return finish();
            }
            p = eol + 1;
        }
    }

private:
    enum class Expect
    {
        Header,
        Name,
        Symbols,
        Entries
    };

    bool fail(const QString &what)
    {
        m_error = QStringLiteral("%1 line %2: %3").arg(m_label).arg(m_line).arg(what);
        return false;
    }

    bool take(const QString &line)
    {
        switch (m_expect) {
        case Expect::Header:
            if (line != kHeader) {
                return fail(
                    line.startsWith(QLatin1String("TESSEL SHADESET "))
                        ? QStringLiteral("unsupported version \"%1\"").arg(line.mid(16))
                        : QStringLiteral("not a shadeset file (expected \"%1\")").arg(kHeader));
            }
            m_expect = Expect::Name;
            return true;
        case Expect::Name:
            if (line != QLatin1String("name") && !line.startsWith(QLatin1String("name "))) {
                return fail(QStringLiteral("expected the \"name\" line"));
            }
            m_result.name = line.mid(4).trimmed();
            m_expect = Expect::Symbols;
            return true;
        case Expect::Symbols:
            return takeSymbols(line);
        case Expect::Entries:
            return takeEntry(line);
        }
        return false;
    }

    bool takeSymbols(const QString &line)
    {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() != 2 || words[0] != QLatin1String("symbols")) {
            return fail(QStringLiteral("expected the \"symbols\" line"));
        }
        m_total = parseBounded(words[1], ShadeTable::kMaxSymbol);
        if (m_total < 0) {
            return fail(QStringLiteral("bad symbol total \"%1\"").arg(words[1]));
        }
        m_expect = Expect::Entries;
        return true;
    }

    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

    // Four plain numbers within their ranges, in order: taken; anything else is left to
    // takeEntry.
    bool takeEntryFast(const char *b, const char *e)
    {
        int fields[4];
        for (int &field : fields) {
            while (b < e && isBlank(*b)) {
                ++b;
            }
            const char *start = b;
            int value = 0;
            while (b < e && *b >= '0' && *b <= '9' && b - start < 6) {
                value = value * 10 + (*b++ - '0');
            }
            if (b == start || (b < e && !isBlank(*b))) {
                return false;
            }
            field = value;
        }
        if (b != e || fields[0] <= m_previous || fields[0] > m_total || fields[1] > 255 ||
            fields[2] > 255 || fields[3] > 255) {
            return false;
        }
        m_result.table.set(fields[0], Rgb{static_cast<std::uint8_t>(fields[1]),
                                          static_cast<std::uint8_t>(fields[2]),
                                          static_cast<std::uint8_t>(fields[3])});
        m_previous = fields[0];
        return true;
    }

    bool takeEntry(const QString &line)
    {
        const QStringList words = line.simplified().split(QLatin1Char(' '));
        if (words.size() != 4) {
            return fail(QStringLiteral("expected \"number red green blue\""));
        }
        const int symbol = parseBounded(words[0], ShadeTable::kMaxSymbol);
        if (symbol < 1) {
            return fail(QStringLiteral("bad symbol number \"%1\"").arg(words[0]));
        }
        if (symbol <= m_previous) {
            return fail(QStringLiteral("symbol %1 is out of order or repeated").arg(symbol));
        }
        if (symbol > m_total) {
            return fail(QStringLiteral("symbol %1 is above the total %2").arg(symbol).arg(m_total));
        }
        int channels[3];
        for (int c = 0; c < 3; ++c) {
            channels[c] = parseBounded(words[c + 1], 255);
            if (channels[c] < 0) {
                return fail(QStringLiteral("bad colour channel \"%1\"").arg(words[c + 1]));
            }
        }
        m_result.table.set(symbol, Rgb{static_cast<std::uint8_t>(channels[0]),
                                       static_cast<std::uint8_t>(channels[1]),
                                       static_cast<std::uint8_t>(channels[2])});
        m_previous = symbol;
        return true;
    }

    ShdReadResult finish()
    {
        if (m_expect != Expect::Entries) {
            return {std::nullopt, QStringLiteral("%1: incomplete shadeset file").arg(m_label)};
        }
        if (m_result.table.total() != m_total) {
            return {std::nullopt, QStringLiteral("%1: the total says %2 symbols but the highest "
                                                 "symbol is %3")
                                      .arg(m_label)
                                      .arg(m_total)
                                      .arg(m_result.table.total())};
        }
        return {std::move(m_result), QString()};
    }

    QString m_label;
    Expect m_expect = Expect::Header;
    Shadeset m_result;
    QString m_error;
    int m_line = 0;
    int m_total = 0;
    int m_previous = 0;
};

} // namespace

ShdReadResult parseShd(const QByteArray &bytes, const QString &fileLabel)
{
    if (bytes.size() > kMaxShdBytes) {
        return {std::nullopt, QStringLiteral("%1: larger than 1 MiB").arg(fileLabel)};
    }
    return Parser(fileLabel).run(bytes);
}

FileBytes readFileBytes(const QString &path, qint64 limit)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return {std::nullopt, QStringLiteral("cannot open %1: not a file").arg(path)};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, QStringLiteral("cannot open %1: %2").arg(path, file.errorString())};
    }
    if (file.size() > limit) {
        return {std::nullopt,
                QStringLiteral("%1: larger than %2 MiB").arg(path).arg(limit / (1024 * 1024))};
    }
    QByteArray bytes = file.readAll(); // a regular file no larger than the limit
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    }
    return {std::move(bytes), QString()};
}

ShdReadResult readShdFile(const QString &path)
{
    const FileBytes file = readFileBytes(path, kMaxShdBytes);
    return file.bytes ? parseShd(*file.bytes, path) : ShdReadResult{std::nullopt, file.error};
}

QByteArray formatShd(const QString &name, const ShadeTable &table)
{
    QByteArray out;
    out.reserve(32 + table.total() * 16);
    out += kHeader.toUtf8() + "\nname " + name.toUtf8() + "\nsymbols " +
           QByteArray::number(table.total()) + '\n';
    for (int symbol = 1; symbol <= table.total(); ++symbol) {
        if (const auto rgb = table.color(symbol)) {
            out += QByteArray::number(symbol) + ' ' + QByteArray::number(rgb->red) + ' ' +
                   QByteArray::number(rgb->green) + ' ' + QByteArray::number(rgb->blue) + '\n';
        }
    }
    return out;
}

QString writeShdFile(const QString &path, const QString &name, const ShadeTable &table)
{
    return core::saveFile(path, formatShd(name, table));
}

} // namespace tessel
