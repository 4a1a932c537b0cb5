#include "SymbolCount.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a number from the front of `chars`: returns the count of characters that form it
// (0 when there is none) and leaves the number's own characters in `number`.
int scanNumber(const QString &chars, QString &number)
{
    int i = 0;
    const int n = static_cast<int>(chars.size());
    if (i < n && (chars[i] == QLatin1Char('+') || chars[i] == QLatin1Char('-'))) {
        ++i;
    }
    int digits = 0;
    while (i < n && isDigit(chars[i])) {
        ++i;
        ++digits;
    }
    if (i < n && chars[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(chars[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    // An exponent counts only when digits follow it.
    if (i < n && (chars[i] == QLatin1Char('e') || chars[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (chars[j] == QLatin1Char('+') || chars[j] == QLatin1Char('-'))) {
            ++j;
        }
        if (j < n && isDigit(chars[j])) {
            while (j < n && isDigit(chars[j])) {
                ++j;
            }
            i = j;
        }
    }
    number = chars.left(i);
    return i;
}

double toDouble(const QString &number)
{
    bool ok = false;
    const double value = number.toDouble(&ok); // always the C locale: "." is the point
    return ok ? value : std::numeric_limits<double>::infinity();
}

} // namespace

double leadingNumber(const QString &text)
{
    QString chars;
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) {
            chars.append(c);
        }
    }
    QString number;
    return scanNumber(chars, number) == 0 ? 0.0 : toDouble(number);
}

std::optional<qint16> wholeNumber16(const QString &text)
{
    const QString trimmed = text.trimmed();
    QString number;
    if (trimmed.isEmpty() || scanNumber(trimmed, number) != trimmed.size()) {
        return std::nullopt;
    }
    const double value = toDouble(number);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<qint16>(rounded);
}
