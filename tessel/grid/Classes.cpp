#include "Classes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessel {

Classes::Classes(int first_, std::vector<double> bounds_, double lo_, double hi_)
    : first(first_), bounds(std::move(bounds_)), lo(lo_), hi(hi_)
{
    if (bounds.size() < 2 || !(bounds.back() > bounds.front())) {
        return;
    }
    // Cells enough that most hold no bound at all: the class is then the cell's.
    const std::size_t cells = std::min<std::size_t>(16 * bounds.size(), 1 << 20);
    m_from = bounds.front();
    m_scale = double(cells) / (bounds.back() - bounds.front());
    for (std::size_t c = 0; c < cells; ++c) {
        const double start = m_from + double(c) / m_scale;
        m_cells.push_back(
            {start,
             std::size_t(std::upper_bound(bounds.begin(), bounds.end(), start) - bounds.begin())});
    }
}

std::size_t Classes::classOf(double value) const
{
    if (m_cells.empty() || !(value >= bounds.front()) || value >= bounds.back()) {
        return std::size_t(std::upper_bound(bounds.begin(), bounds.end(), value) - bounds.begin());
    }
    auto cell = std::min(std::size_t((value - m_from) * m_scale), m_cells.size() - 1);
    while (cell > 0 && m_cells[cell].start > value) { // a rounding's worth too far
        --cell;
    }
    std::size_t i = m_cells[cell].below;
    while (bounds[i] <= value) { // value is below the last bound: this stops
        ++i;
    }
    return i;
}

int Classes::symbolOf(double value) const
{
    return first + int(classOf(value));
}

void Classes::classesOf(const float *values, int n, int *out) const
{
    for (int c = 0; c < n; ++c) {
        out[c] = std::isnan(values[c]) ? -1 : int(classOf(values[c]));
    }
}

double Classes::lower(int i) const
{
    return i == 0 ? lo : bounds[std::size_t(i - 1)];
}

double Classes::upper(int i) const
{
    return i + 1 == count() ? hi : bounds[std::size_t(i)];
}

Classes nearestClasses(int first, const std::vector<double> &values)
{
    std::vector<double> bounds;
    for (std::size_t i = 1; i < values.size(); ++i) {
        bounds.push_back(values[i - 1] + (values[i] - values[i - 1]) / 2);
    }
    return Classes(first, std::move(bounds), values.front(), values.back());
}

Classes equalizedClasses(int first, const std::vector<double> &bounds, double lo, double hi)
{
    return Classes{first, bounds, lo, hi};
}

std::vector<double> straightValues(int n, double lo, double hi)
{
    std::vector<double> values(std::size_t(std::max(n, 1)), lo);
    for (int k = 1; k < n; ++k) {
        values[std::size_t(k)] = lo + double(k) * (hi - lo) / double(n - 1);
    }
    return values;
}

std::vector<double> stretchedValues(const std::vector<double> &own, std::optional<double> hinge,
                                    double dmin, double dmax)
{
    const double a = own.front();
    const double b = own.back();
    const bool hinged = hinge && a < *hinge && *hinge < b && dmin < 0 && dmax > 0;
    std::vector<double> out;
    out.reserve(own.size());
    for (const double z : own) {
        out.push_back(hinged  ? (z < *hinge ? dmin * (z - *hinge) / (a - *hinge)
                                            : dmax * (z - *hinge) / (b - *hinge))
                      : b > a ? dmin + (z - a) / (b - a) * (dmax - dmin)
                              : dmin);
    }
    return out;
}

} // namespace tessel
