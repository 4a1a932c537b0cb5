#pragma once

#include "Classes.h"
#include "Statistics.h"
#include "tessel/table/Rgb.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tessel {

// How a grid is coloured: its classes, the colour of each of their symbols (none: not drawn),
// and, when shaded, the azimuth of the light.
struct Colouring
{
    Classes classes;
    std::vector<std::optional<Rgb>> colours; // of symbols classes.first on
    std::optional<double> azimuth;
};

// The grid's rows as RGBA rows of width * 4 bytes: a cell with no value, or whose symbol has
// no colour, has no opacity. Shaded, the rows are read twice: first for the spread of the
// gradients (GMT's -Nt1 over the whole grid), then to draw. `info` is the grid's, read at the
// rows' size.
using RgbaRow = std::function<core::Status(int row, const std::uint8_t *rgba)>;
core::Status paintRows(const Rows &rows, const GridInfo &info, const Colouring &colouring,
                       const RgbaRow &out);

} // namespace tessel
