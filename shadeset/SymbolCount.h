#pragma once

#include <QString>

#include <optional>

// The leading-number reading of a typed count: blanks, tabs and line feeds are skipped
// wherever they stand; then a sign, digits, a "." fraction and an E exponent are read up to
// the first character that cannot continue the number. No number reads as 0.
double leadingNumber(const QString &text);

// The whole text as a 16-bit integer: surrounding blanks allowed, nothing else; rounded to
// the nearest whole number, halves to the even neighbour. Absent when the text is not a
// number or does not fit.
std::optional<qint16> wholeNumber16(const QString &text);
