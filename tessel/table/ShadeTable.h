#pragma once

#include "Rgb.h"

#include <optional>
#include <vector>

namespace tessel {

// The current shade table: colours of the symbols 1 to kMaxSymbol, any of them undefined.
class ShadeTable
{
public:
    static constexpr int kMaxSymbol = 32767;

    static bool isSymbol(long long number) { return number >= 1 && number <= kMaxSymbol; }

    // The highest symbol number defined, 0 for an empty table.
    int total() const;
    bool isEmpty() const { return total() == 0; }
    std::optional<Rgb> color(int symbol) const;

    void set(int symbol, Rgb rgb); // symbol must satisfy isSymbol()
    void clear();

    friend bool operator==(const ShadeTable &a, const ShadeTable &b)
    {
        return a.m_colors == b.m_colors;
    }

private:
    // m_colors[i] is symbol i + 1; the last element, when there is one, is defined.
    std::vector<std::optional<Rgb>> m_colors;
};

// The table turned round between its first and last defined symbol: the colour of symbol
// first + i goes to last - i, undefined symbols too.
ShadeTable reversed(const ShadeTable &table);

// A ramp's colour at step `step` of `steps`, from `from` (step 0) to `to` (step `steps`).
using RampMix = Rgb (*)(Rgb from, Rgb to, int step, int steps);

// Sets symbols start .. start + count - 1 to a ramp from `from` to `to`, both ends included
// exactly, blended by `mix`. The caller has checked the range.
void fillRamp(ShadeTable &table, int start, int count, Rgb from, Rgb to, RampMix mix);

} // namespace tessel
