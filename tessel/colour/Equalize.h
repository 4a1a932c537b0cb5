#pragma once

#include "core/Result.h"
#include "tessel/table/ShadeTable.h"

#include <QString>

namespace tessel {

enum class Equalize
{
    Perceptual, // neighbours equally far apart in CIEDE2000, along the table's own path
    Lightness,  // L* in a straight line from the first symbol to the last
};

// The mode a word names ("perceptual", "lightness", any case), or none.
std::optional<Equalize> equalizeMode(const QString &word);

// The table resampled from its first defined symbol to its last, after Kovesi's
// equalisecolourmap: its colours in CIELAB, the distance between neighbours (floored at
// 0.001) summed along them, the symbols placed at equal steps of that sum and their colours
// taken straight in CIELAB between the two symbols around, three times over, then back to
// sRGB, clipped and rounded. For even steps, a fourth time with the steps between the colours
// as 8 bits a channel will hold them, and each rounded to the 8-bit colour nearest in CIELAB.
// The first and last colours, the symbol count and the name stay. Refused: a table with an
// undefined symbol inside it, and for a straight lightness one whose L* turns back by more
// than 1, which only a change of its colours' order could mend.
core::Result<ShadeTable> equalizeTable(const ShadeTable &table, Equalize mode);

} // namespace tessel
