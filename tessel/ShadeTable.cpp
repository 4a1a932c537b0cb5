#include "ShadeTable.h"

#include <cmath>

namespace tessel {

int ShadeTable::total() const
{
    return static_cast<int>(m_colors.size());
}

std::optional<Rgb> ShadeTable::color(int symbol) const
{
    if (symbol < 1 || symbol > total()) {
        return std::nullopt;
    }
    return m_colors[static_cast<std::size_t>(symbol - 1)];
}

void ShadeTable::set(int symbol, Rgb rgb)
{
    const auto index = static_cast<std::size_t>(symbol - 1);
    if (index >= m_colors.size()) {
        m_colors.resize(index + 1);
    }
    m_colors[index] = rgb;
}

void ShadeTable::clear()
{
    m_colors.clear();
}

namespace {

std::uint8_t mix(std::uint8_t from, std::uint8_t to, int step, int steps)
{
    const double value = from + (to - from) * static_cast<double>(step) / steps;
    return static_cast<std::uint8_t>(std::lround(value));
}

} // namespace

void fillRamp(ShadeTable &table, int start, int count, Rgb from, Rgb to)
{
    if (count == 1) {
        table.set(start, from);
        return;
    }
    const int steps = count - 1;
    for (int i = 0; i < count; ++i) {
        table.set(start + i,
                  Rgb{mix(from.red, to.red, i, steps), mix(from.green, to.green, i, steps),
                      mix(from.blue, to.blue, i, steps)});
    }
}

} // namespace tessel
