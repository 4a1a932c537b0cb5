#include "ShdFile.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

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
        const QList<QByteArray> lines = bytes.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = QString::fromUtf8(lines[i]).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
                continue;
            }
            m_line = i + 1;
            if (!take(line)) {
                return {std::nullopt, m_error};
            }
        }
        return finish();
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

ShdReadResult readShdFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, QStringLiteral("cannot open %1: %2").arg(path, file.errorString())};
    }
    if (file.size() > kMaxShdBytes) {
        return {std::nullopt, QStringLiteral("%1: larger than 1 MiB").arg(path)};
    }
    const QByteArray bytes = file.read(kMaxShdBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    }
    return parseShd(bytes, path);
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    file.write(formatShd(name, table));
    if (!file.commit()) {
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    return QString();
}

} // namespace tessel
