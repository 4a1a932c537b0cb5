#pragma once

#include "core/Result.h"
#include "tessel/table/Drawing.h"
#include "tessel/table/Rgb.h"
#include "tessel/table/ShadeTable.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace tessel {

// The ways a table is seen: as most people see it, with each colour-vision deficiency at
// full severity, and in grey (the colour's CIELAB L*, with a* = b* = 0).
constexpr int kVisions = 5;
constexpr std::array<const char *, kVisions> kVisionNames = {"normal", "protanopia", "deuteranopia",
                                                             "tritanopia", "greyscale"};

// How far a run of L* turns back against its way from its first value to its last (0 for
// one that only rises, or only falls), and the first place where it has turned back by more
// than 1 (-1: nowhere).
struct Backtrack
{
    double depth = 0;
    int at = -1;
};
Backtrack lightnessBacktrack(const std::vector<double> &lightness);

// How evenly a table's steps are spread: its steps (step i lies between symbols i and i + 1)
// cut into 16 spans of equal symbol count, a step across a cut shared by its parts, and the
// longest span's length over the shortest's. Absent without a step, or with a span of
// nothing.
constexpr int kEvennessSpans = 16;
constexpr double kEven = 1.25;
std::array<double, kEvennessSpans> evennessSpans(const std::vector<double> &steps);
std::optional<double> evenness(const std::vector<double> &steps);

// How a table reads in one vision: CIEDE2000 differences between neighbouring symbols where
// both are defined, and CIELAB lightness.
struct VisionFigures
{
    double length = 0;             // the sum of the differences
    std::optional<double> minStep; // absent without two defined neighbours
    std::optional<double> maxStep;
    double lightFirst = 0; // L* of the first defined symbol and of the last
    double lightLast = 0;
    double backtrack = 0; // how far L* turns back against its way from first to last
    int turnsBackAt = 0;  // the symbol where it first turns back by more than 1; 0: nowhere
    int repeats = 0;      // neighbours that look the same: steps of 0
    std::optional<double> evenness;
    QString evennessWhy; // where it is absent: "one symbol", "a span of one colour", ...
    // For a table read as classes: the smallest step, and the first symbol of the first pair
    // of neighbours closer than kDistinct (0: none).
    std::optional<double> distinct;
    int closePair = 0;
    std::vector<double> steps; // between symbols first + i and first + i + 1; 0 where undefined
};

constexpr double kDistinct = 5;
// A table is read as classes, not as a scale, when it has 3 to 32 defined symbols, or when
// most of its neighbours differ by more than kClassStep in normal vision: then it is asked
// for distinct neighbours, not for a lightness that runs one way.
constexpr int kMostClasses = 32;
constexpr double kClassStep = 10;

// How a grid's cells spread over a table: the data's range, its 5th, 25th, 50th, 75th and
// 95th percentiles (as numpy's linear ones) and the symbol each takes under the classes in
// force, and the share of the table's length (normal vision) between the 5th's symbol and the
// 95th's, under those classes and under equalized ones; absent for a table of one colour.
constexpr std::array<int, 5> kPercentiles = {5, 25, 50, 75, 95};
constexpr double kWellUsed = 0.6;
struct DataSpread
{
    QString grid;
    long long cells = 0;
    double min = 0;
    double max = 0;
    std::array<double, 5> percentiles{};
    std::array<int, 5> symbols{};
    bool equalized = false; // the classes in force
    std::optional<double> share;
    std::optional<double> shareEqualized;
};

// The check of a table, from its first defined symbol to its last.
struct CheckReport
{
    QString name;
    int first = 0;
    int last = 0;
    int defined = 0;
    bool classes = false;
    std::array<VisionFigures, kVisions> figures;
    // The symbols first to last as each vision sees them, and L* in normal vision.
    std::array<std::vector<std::optional<Rgb>>, kVisions> seen;
    std::vector<std::optional<double>> lightness;
};

// The share of the table's length in normal vision from symbol `from` to symbol `to`; absent
// where it has none.
std::optional<double> lengthShare(const CheckReport &report, int from, int to);

// Checks the symbols from `first` on, as `colors` gives them (absent: undefined). A table
// without a defined symbol is refused.
core::Result<CheckReport> checkColors(const QString &name, int first,
                                      const std::vector<std::optional<Rgb>> &colors);
core::Result<CheckReport> checkTable(const QString &name, const ShadeTable &table);
// The check of the shadeset last drawn as a legend; refused when the drawing shows none.
core::Result<CheckReport> checkShown(const Drawing &drawing);

// The figures as one JSON object: {"name", "symbols", "first", "last", "read_as": "scale" or
// "classes", "vision": {NAME: {"length", "min_step", "max_step", "lightness": [first, last],
// "backtrack", "order": {"ok", "at"}, "evenness", "distinct"}}, and "data" with a grid}; a
// figure that is null has its reason beside it ("order": {..., "why"}, "evenness_why",
// "distinct_why").
QByteArray checkJson(const CheckReport &report, const DataSpread *data = nullptr);
// The figures as a short report, with what they mean for a reader in words; with a grid, how
// its cells spread over the table.
QString checkText(const CheckReport &report, const DataSpread *data = nullptr);
// How the cells spread, in words: the part of checkText that a grid adds.
QString dataText(const DataSpread &data);

} // namespace tessel
