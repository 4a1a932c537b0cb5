#pragma once

#include "Grid.h"

#include <functional>
#include <limits>
#include <vector>

namespace tessel {

// A grid's values, row after row from the north, at full size or as the grid was read: `each`
// calls `visit` with every row of `width` values.
using RowVisitor = std::function<void(int row, const float *values)>;
struct Rows
{
    int width = 0;
    int height = 0;
    std::function<core::Status(const RowVisitor &visit)> each;
};

// The rows of a raster held in memory.
Rows rowsOf(const Raster &raster);
// The rows of a grid at full size, read in blocks.
Rows rowsOf(GridSource &grid);

// How much of the map a cell stands for, as GMT weighs cells: the cosine of a geographic
// grid's latitude (authalic, on the WGS 84 ellipsoid), and half for the cells on a lattice's
// edges (its columns only, where the grid is geographic).
class CellWeights
{
public:
    CellWeights(const GridInfo &info, int width, int height);
    // Every cell alike.
    CellWeights(int width, int height);
    double at(int row, int col) const;

private:
    std::vector<double> m_rows;
    int m_width;
    bool m_halfEdges;
};

struct Extent
{
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    long long count = 0; // cells with a value
};
core::Result<Extent> extentOf(const Rows &rows);

// Where the weighted cumulative distribution of the values reaches each share (ascending,
// from 0 to 1), as grd2cpt -E+c places them: between two neighbouring distinct values, on
// the straight line between their shares (Reach::Between); or the value of the cell where it
// is reached (Reach::Cell), which with weights of 1 and shares of (k + 1/2)/n is the k-th
// smallest value. Two passes over the rows, in memory of a few megabytes whatever the grid.
enum class Reach
{
    Between,
    Cell
};
core::Result<std::vector<double>> distributionValues(const Rows &rows, const CellWeights &weights,
                                                     const std::vector<double> &shares,
                                                     Reach reach = Reach::Between);

// The values at the percentiles `percents` (0 to 100) of the cells with a value, as numpy's
// percentile computes them (its linear method), `count` being those cells.
core::Result<std::vector<double>> percentiles(const Rows &rows, long long count,
                                              const std::vector<double> &percents);

} // namespace tessel
