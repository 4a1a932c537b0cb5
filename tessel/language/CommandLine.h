#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tessel {

// The first word of a command line and the rest, both without surrounding blanks.
struct SplitLine
{
    QString word;
    QString rest;
};

SplitLine splitFirstWord(const QString &line);

// Blank-separated words; a double-quoted part is one word without its quotes.
// Absent when a quote is left open.
std::optional<QStringList> splitWords(const QString &text);

// A decimal number: optional sign, digits with an optional fraction (".35" is fine).
std::optional<double> parseDecimal(const QString &text);

// A whole number: optional sign and digits.
std::optional<long long> parseInteger(const QString &text);

// `words` as coordinates in inches, each within ten thousand of the origin.
core::Result<std::vector<double>> readCoordinates(const QStringList &words);
// "expected 4 arguments but got 3"
QString countError(int expected, const QStringList &words);
// The words of `rest` between blanks.
QStringList blankWords(const QString &rest);
// A rectangle's corners X1 Y1 X2 Y2 in inches, the whole of `rest`.
core::Result<std::vector<double>> readRectangle(const QString &rest);

} // namespace tessel
