#pragma once

#include <optional>
#include <vector>

namespace tessel {

// How a grid's values take the symbols of a table: symbol first + i colours the values from
// bounds[i - 1] (included) up to bounds[i], the first symbol everything below bounds[0] and
// the last everything from the last bound on. One definition serves the drawing, full-size
// reliefs and the exports, so they cannot disagree.
struct Classes
{
    Classes() = default;
    Classes(int first, std::vector<double> bounds, double lo, double hi);

    int first = 1;
    std::vector<double> bounds; // one fewer than the symbols, ascending
    double lo = 0;              // the values the classes span, for a scale and the exports
    double hi = 0;

    int count() const { return int(bounds.size()) + 1; }
    int symbolOf(double value) const;
    // The class (symbol - first) of each of n values; -1 for no value (NaN).
    void classesOf(const float *values, int n, int *out) const;
    // The values symbol first + i stands for: from its lower bound (lo for the first) to its
    // upper one (hi for the last).
    double lower(int i) const;
    double upper(int i) const;

private:
    // The bounds' span cut into even cells, each with the number of bounds at or below its
    // start: a value finds its class in a step or two, not by a search (a grid has millions).
    struct Cell
    {
        double start;
        std::size_t below; // bounds at or below start
    };
    double m_from = 0;
    double m_scale = 0;
    std::vector<Cell> m_cells;
    std::size_t classOf(double value) const;
};

// Each symbol stands for one value, `values` ascending from symbol `first` on, and a value
// takes the symbol whose own is nearest (half-way: the upper).
Classes nearestClasses(int first, const std::vector<double> &values);

// Symbols of equal shares of the data: the bounds where its cumulative distribution reaches
// 1/n, 2/n, ... (n the symbols), from `lo` to `hi`.
Classes equalizedClasses(int first, const std::vector<double> &bounds, double lo, double hi);

// The values of n symbols from lo to hi, evenly.
std::vector<double> straightValues(int n, double lo, double hi);

// The values a table's symbols stand for in its palette's own units (`own`, with the hinge
// where its two sides meet), carried over the data from dmin to dmax as GMT stretches a
// master table over a grid: each side of a hinge on its own where the data spans it.
std::vector<double> stretchedValues(const std::vector<double> &own, std::optional<double> hinge,
                                    double dmin, double dmax);

} // namespace tessel
