#pragma once

#include "ColorSpaces.h"
#include "ShadeTable.h"

#include <QString>

#include <functional>
#include <optional>

namespace tessel {

// A palette read from another program's file.
struct Palette
{
    QString name; // the file's own name for it; empty when it has none
    // A palette keyed by Tessel's whole symbol numbers, as Tessel exports them: exactly
    // these symbols. Otherwise a colour for each z from zmin to zmax, to be sampled.
    std::optional<ShadeTable> keyed;
    double zmin = 0;
    double zmax = 0;
    std::function<std::optional<Rgb>(double z)> colorAt; // absent: no colour at z
};

// "LABEL line N: what"
QString lineError(const QString &label, int line, const QString &what);
// A whole symbol number at `value`, allowing for the rounding of a written fraction.
std::optional<int> wholeSymbol(double value);
// Where `z` lies from `lo` (0) to `hi` (1), also where hi - lo is too large for a double.
double fraction(double z, double lo, double hi);

} // namespace tessel
