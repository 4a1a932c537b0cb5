#pragma once

// What each format's files give the table of formats (Formats.cpp), and what their readers
// and writers share. Only the formats' own files include this; it knows nothing of the table.
#include "Palette.h"
#include "core/Result.h"
#include "tessel/colour/ColorSpaces.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tessel {

LineScore scoreGmtLine(QByteArrayView line);
core::Result<Palette> readGmt(const QByteArray &bytes, const QString &label,
                              const ReadOptions &options);
core::Result<QByteArray> writeGmt(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeGmtFitted(const std::vector<FittedClass> &classes,
                                        const QString &name);

LineScore scoreGdalLine(QByteArrayView line);
core::Result<Palette> readGdal(const QByteArray &bytes, const QString &label,
                               const ReadOptions &options);
core::Result<QByteArray> writeGdal(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeGdalFitted(const std::vector<FittedClass> &classes,
                                         const QString &name);

int scoreQgis(QByteArrayView bytes, QByteArrayView first);
core::Result<Palette> readQgis(const QByteArray &bytes, const QString &label,
                               const ReadOptions &options);
core::Result<QByteArray> writeQgis(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeQgisFitted(const std::vector<FittedClass> &classes,
                                         const QString &name);

int scoreParaview(QByteArrayView bytes, QByteArrayView first);
core::Result<Palette> readParaview(const QByteArray &bytes, const QString &label,
                                   const ReadOptions &options);
core::Result<QByteArray> writeParaview(const std::vector<Entry> &entries, const QString &name);

LineScore scoreGrassLine(QByteArrayView line);
core::Result<Palette> readGrass(const QByteArray &bytes, const QString &label,
                                const ReadOptions &options);
core::Result<QByteArray> writeGrass(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeGrassFitted(const std::vector<FittedClass> &classes,
                                          const QString &name);

LineScore scoreNclLine(QByteArrayView line);
core::Result<Palette> readNcl(const QByteArray &bytes, const QString &label,
                              const ReadOptions &options);
core::Result<QByteArray> writeNcl(const std::vector<Entry> &entries, const QString &name);

int scoreSvg(QByteArrayView bytes, QByteArrayView first);
core::Result<Palette> readSvg(const QByteArray &bytes, const QString &label,
                              const ReadOptions &options);
core::Result<QByteArray> writeSvg(const std::vector<Entry> &entries, const QString &name);

LineScore scoreGimpLine(QByteArrayView line);
core::Result<Palette> readGimp(const QByteArray &bytes, const QString &label,
                               const ReadOptions &options);
core::Result<QByteArray> writeGimp(const std::vector<Entry> &entries, const QString &name);

LineScore scoreGnuplotLine(QByteArrayView line);
core::Result<Palette> readGnuplot(const QByteArray &bytes, const QString &label,
                                  const ReadOptions &options);
core::Result<QByteArray> writeGnuplot(const std::vector<Entry> &entries, const QString &name);

LineScore scoreQgisColorMapLine(QByteArrayView line);
core::Result<Palette> readQgisColorMap(const QByteArray &bytes, const QString &label,
                                       const ReadOptions &options);
core::Result<QByteArray> writeQgisColorMap(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeQgisColorMapFitted(const std::vector<FittedClass> &classes,
                                                 const QString &name);

int scoreQml(QByteArrayView bytes, QByteArrayView first);
core::Result<Palette> readQml(const QByteArray &bytes, const QString &label,
                              const ReadOptions &options);
core::Result<QByteArray> writeQml(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeQmlFitted(const std::vector<FittedClass> &classes,
                                        const QString &name);

int scoreMaplibre(QByteArrayView bytes, QByteArrayView first);
core::Result<Palette> readMaplibre(const QByteArray &bytes, const QString &label,
                                   const ReadOptions &options);
core::Result<QByteArray> writeMaplibre(const std::vector<Entry> &entries, const QString &name);
core::Result<QByteArray> writeMaplibreFitted(const std::vector<FittedClass> &classes,
                                             const QString &name);

// Whether a first line opens XML or JSON, which no text format of lines can be.
bool opensStructured(QByteArrayView first);
// Whether a "#" line is one of GMT's own: # COLOR_MODEL, # HARD_HINGE or # SOFT_HINGE.
bool isGmtComment(QByteArrayView line);

// Whether a rule file's line is a "#" comment; one that reads "# NAME = ..." gives `name`.
bool takeComment(QByteArrayView line, QString &name);

// A number as C writes one (".5", "-1e3", "+2"), or none.
std::optional<double> number(QByteArrayView word);
// The same, finite.
std::optional<double> finiteNumber(QByteArrayView word);
std::optional<double> finiteNumber(const QString &text);

// A colour name (any case) looked up in a program's own list of names.
struct NamedColor
{
    const char *name;
    Rgb rgb;
};
std::optional<Rgb> namedColor(QByteArrayView name, const NamedColor *names, std::size_t count);

// The words of `line` split at any of `separators`, at most `max`; returns how many.
int splitAt(QByteArrayView line, QByteArrayView *out, int max, QByteArrayView separators);

// Whether a rule file's line begins outside the table: the colour for no data ("nv"), or
// GRASS's for everything else ("default").
bool isOutsideRule(QByteArrayView word);

// Whether gdaldem and GRASS know `word` as a colour name: the same sixteen, each in colours
// of its own.
bool isRuleColorName(QByteArrayView word);

// A line of a colour-rule file, gdaldem's or GRASS's: a value, or a percentage of the data's
// range, and its colour.
struct Rule
{
    double value = 0;
    bool percent = false;
    int line = 0; // of the file, from 1
    Rgbf rgb;
    double alpha = 1;
};

// The value of a rule: "-12.5" or "40%"; none when the word is neither.
std::optional<Rule> ruleValue(QByteArrayView word, int line);
// As Tessel exports rules: whole symbols one after another, where a run of undefined ones
// is bounded by entries of no opacity (gdaldem, QGIS, MapLibre); none for any other file.
std::optional<ShadeTable> keyedRules(const std::vector<Rule> &rules);
// The same where a run of undefined ones ends at a rule half a symbol before the next
// defined one, in the colour of the one below (GRASS, gnuplot: no "no colour").
std::optional<ShadeTable> keyedHalfSteps(const std::vector<Rule> &rules);

// Puts percentages at their share of the data's range. Without a range, a file of
// percentages only keeps them as they stand, from 0 to 100, and one that mixes them with
// values is refused, naming the first line that mixes.
core::Status placePercentages(std::vector<Rule> &rules, const std::optional<DataRange> &data,
                              const QString &label);

// Whether XML 1.0 can hold the name: not a half of a UTF-16 pair on its own, nor U+FFFE or
// U+FFFF. (No format takes a control character: exportTable refuses them first.)
core::Status carriedInXml(const QString &name);

// A value written whole: as many digits as a double holds.
QByteArray exact(double value);
// The largest value a grid of floats may hold below `bound`: where a class that ends at the
// bound has its last value, so that no value of the grid lies between it and the next class.
double floatBelow(double bound);

// The classes that hold a value a grid of floats may have: without those of no width, or too
// narrow for a float, whose neighbours then meet.
std::vector<FittedClass> heldClasses(const std::vector<FittedClass> &classes);
// Each class's colour, or where it has none the colour of the nearest class below that has one
// (the first there is, at the foot): for the formats that have no "no colour".
std::vector<Rgb> coloursOrBelow(const std::vector<FittedClass> &classes);

// Where `symbol` lies from the first entry (0) to the last (1), to full precision.
double place(int symbol, const std::vector<Entry> &entries);

// A stop of a gradient: its place from 0 to 1, its colour and its opacity from 0 to 255.
struct GradientStop
{
    double offset = 0;
    Rgbf rgb;
    double alpha = 255;
};

// A symbol's value in a file that blends between values: opaque for each entry, clear
// (alpha 0) for a stop that bounds a run of undefined symbols.
struct SymbolStop
{
    int symbol = 0;
    Rgb rgb;
    int alpha = 255;
};

// The stops a blending format needs to draw each entry in its colour at its value: one per
// entry, and a run of undefined symbols bounded by stops of no opacity in the colour below,
// so that it draws as nothing rather than as a blend that belongs to no symbol.
std::vector<SymbolStop> symbolStops(const std::vector<Entry> &entries);

// The same stops of a gradient, at their places from 0 to 1.
std::vector<GradientStop> entryStops(const std::vector<Entry> &entries);

// A gradient as QGIS colours one at t from 0 to 1: stops in ascending order, the first at 0
// and the last at 1; a straight line between two stops, or with `discrete` the lower
// stop's colour; no colour where the opacity comes to nothing.
std::function<std::optional<Rgb>(double)> gradientColors(std::vector<GradientStop> stops,
                                                         bool discrete);

// As Tessel exports a gradient: its first and last symbols named, and every stop on a whole
// symbol between them; the opaque ones are the symbols.
std::optional<ShadeTable> keyedStops(const QString &first, const QString &last,
                                     const std::vector<GradientStop> &stops);

} // namespace tessel
