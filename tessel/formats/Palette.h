#pragma once

#include "tessel/colour/ColorSpaces.h"
#include "tessel/table/ShadeTable.h"

#include <QString>

#include <functional>
#include <optional>

namespace tessel {

// The range of the data a palette is meant for (`.importdata`): what its percentages are
// shares of.
struct DataRange
{
    double zmin = 0;
    double zmax = 0;
};

// What a format's reader is told besides the bytes.
struct ReadOptions
{
    QString choice; // the QGIS ramp, ParaView preset or SVG gradient; empty: the first
    std::optional<DataRange> data;
};

// A palette's z in the units it stands for, where they are not the file's own (GMT's master
// tables, normalised, say in # RANGE what they stand for): a cut is given in them.
struct OwnZ
{
    double zmin = 0;
    double zmax = 0;
    std::function<double(double own)> toFile;
    std::function<double(double file)> fromFile;
};

// A defined symbol of a shade table, as the writers take them, in ascending order.
struct Entry
{
    int symbol;
    Rgb rgb;
};

// A symbol of a table fitted to a grid's data: it colours the values from lo up to hi (the
// first all below, the last all above), or none where it is undefined. In ascending order,
// one after another.
struct FittedClass
{
    double lo = 0;
    double hi = 0;
    std::optional<Rgb> rgb;
};

// What one line of a text format says of the file: it fits the format, it is evidence of
// it, or it rules it out.
struct LineScore
{
    bool fits = false;
    bool evidence = false;
    bool rulesOut = false;
};

// A palette read from another program's file.
struct Palette
{
    QString name; // the file's own name for it; empty when it has none
    // A palette keyed by Tessel's whole symbol numbers, as Tessel exports them: exactly
    // these symbols. Otherwise a colour for each z from zmin to zmax, to be sampled.
    std::optional<ShadeTable> keyed;
    // A list of colours, keyed as it stands, that is spread over `.importsymbols` symbols
    // when that is set, as its program spreads it over a plot's levels.
    bool spreadWhenAsked = false;
    double zmin = 0;
    double zmax = 0;
    std::function<std::optional<Rgb>(double z)> colorAt; // absent: no colour at z
    std::optional<double> hinge; // the z where the palette's two sides meet, when it says
    std::optional<OwnZ> own;
    // Whether its z are values of the data it colours (GMT's, gdaldem's and GRASS's tables),
    // not places along a ramp.
    bool valued = false;
    // Whether a cut is given in shares of the z range, 0 to 1, rather than in z: for formats
    // whose z is a place along a ramp (QGIS's and SVG's run from 0 to 1 anyway).
    bool cutAsShare = false;
};

// "LABEL line N: what"
QString lineError(const QString &label, int line, const QString &what);
// A whole symbol number at `value`, allowing for the rounding of a written fraction.
std::optional<int> wholeSymbol(double value);
// Where `z` lies from `lo` (0) to `hi` (1), also where hi - lo is too large for a double.
double fraction(double z, double lo, double hi);

} // namespace tessel
