#include "ShadeTable.h"

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

ShadeTable reversed(const ShadeTable &table)
{
    int first = 1;
    while (first < table.total() && !table.color(first)) {
        ++first;
    }
    ShadeTable out;
    for (int symbol = first; symbol <= table.total(); ++symbol) {
        if (const std::optional<Rgb> c = table.color(symbol)) {
            out.set(first + table.total() - symbol, *c);
        }
    }
    return out;
}

void fillRamp(ShadeTable &table, int start, int count, Rgb from, Rgb to, RampMix mix)
{
    const int steps = count - 1;
    for (int i = 0; i < count; ++i) {
        table.set(start + i, i == 0 ? from : i == steps ? to : mix(from, to, i, steps));
    }
}

} // namespace tessel
