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
    // For a table of 3 to 32 defined symbols, read as classes: the smallest step, and the
    // first symbol of the first pair of neighbours closer than kDistinct (0: none).
    std::optional<double> distinct;
    int closePair = 0;
    std::vector<double> steps; // between symbols first + i and first + i + 1; 0 where undefined
};

constexpr double kDistinct = 5;

// The check of a table, from its first defined symbol to its last.
struct CheckReport
{
    QString name;
    int first = 0;
    int last = 0;
    int defined = 0;
    std::array<VisionFigures, kVisions> figures;
    // The symbols first to last as each vision sees them, and L* in normal vision.
    std::array<std::vector<std::optional<Rgb>>, kVisions> seen;
    std::vector<std::optional<double>> lightness;
};

// Checks the symbols from `first` on, as `colors` gives them (absent: undefined). A table
// without a defined symbol is refused.
core::Result<CheckReport> checkColors(const QString &name, int first,
                                      const std::vector<std::optional<Rgb>> &colors);
core::Result<CheckReport> checkTable(const QString &name, const ShadeTable &table);
// The check of the shadeset last drawn as a legend; refused when the drawing shows none.
core::Result<CheckReport> checkShown(const Drawing &drawing);

// The figures as one JSON object: {"name", "symbols", "first", "last", "vision": {NAME:
// {"length", "min_step", "max_step", "lightness": [first, last], "backtrack", "order": {"ok",
// "at"}, "evenness", "distinct"}}}.
QByteArray checkJson(const CheckReport &report);
// The figures as a short report, with what they mean for a reader in words.
QString checkText(const CheckReport &report);

} // namespace tessel
