#pragma once

#include "Drawing.h"
#include "Rgb.h"
#include "ShadeTable.h"
#include "core/Result.h"

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
    int repeats = 0;      // neighbours that look the same: steps of 0
};

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
// {"length", "min_step", "max_step", "lightness": [first, last], "backtrack"}}}.
QByteArray checkJson(const CheckReport &report);
// The figures as a short report, with what they mean for a reader in words.
QString checkText(const CheckReport &report);

} // namespace tessel
