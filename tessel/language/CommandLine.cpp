#include "CommandLine.h"

#include "core/Counted.h"

#include <cmath>

namespace tessel {

SplitLine splitFirstWord(const QString &line)
{
    const QString trimmed = line.trimmed();
    int end = 0;
    while (end < trimmed.size() && !trimmed.at(end).isSpace()) {
        ++end;
    }
    return {trimmed.left(end), trimmed.mid(end).trimmed()};
}

std::optional<QStringList> splitWords(const QString &text)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (const QChar c : text) {
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word.append(c);
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord) {
                words.append(word);
                word.clear();
                inWord = false;
            }
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inWord) {
        words.append(word);
    }
    return words;
}

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Length of the optional sign at the front of `text`.
int signLength(const QString &text)
{
    return !text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) ? 1 : 0;
}

} // namespace

std::optional<double> parseDecimal(const QString &text)
{
    int digits = 0;
    bool point = false;
    for (int i = signLength(text); i < text.size(); ++i) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (text[i] == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 15) {
        return std::nullopt;
    }
    QString normal = text;
    if (normal.startsWith(QLatin1Char('+'))) {
        normal.remove(0, 1);
    }
    return normal.toDouble();
}

std::optional<long long> parseInteger(const QString &text)
{
    const int start = signLength(text);
    if (text.size() == start || text.size() - start > 15) {
        return std::nullopt;
    }
    long long value = 0;
    for (int i = start; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i].unicode() - '0');
    }
    return text[0] == QLatin1Char('-') ? -value : value;
}

core::Result<std::vector<double>> readCoordinates(const QStringList &words)
{
    constexpr double kMaxInches = 10000.0;
    std::vector<double> numbers;
    for (const QString &word : words) {
        const auto value = parseDecimal(word);
        if (!value) {
            return core::fail(QStringLiteral("bad number \"%1\"").arg(word));
        }
        if (std::abs(*value) > kMaxInches) {
            return core::fail(QStringLiteral("coordinate %1 is out of range").arg(word));
        }
        numbers.push_back(*value);
    }
    return numbers;
}

QString countError(int expected, const QStringList &words)
{
    return QStringLiteral("expected %1 but got %2")
        .arg(core::counted(expected, "argument", "arguments"))
        .arg(words.size());
}

QStringList blankWords(const QString &rest)
{
    return rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

core::Result<std::vector<double>> readRectangle(const QString &rest)
{
    const QStringList words = blankWords(rest);
    if (words.size() != 4) {
        return core::fail(countError(4, words));
    }
    return readCoordinates(words);
}

} // namespace tessel
