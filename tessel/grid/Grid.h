#pragma once

#include "core/Result.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace tessel {

// What Tessel knows of a grid file: its size in cells and where they lie.
struct GridInfo
{
    QString file;
    int width = 0;
    int height = 0;
    // GDAL's geotransform: x = t[0] + col t[1] + row t[2], y = t[3] + col t[4] + row t[5], at
    // a cell's corner; row 0 is the north.
    std::array<double, 6> transform{0, 1, 0, 0, 0, 1};
    QByteArray projection; // WKT; empty where the file says none
    bool geographic = false;
    // Values at the cells' corners of a lattice (GMT's gridline registration, a netCDF
    // without node_offset = 1) rather than for the cells' areas.
    bool gridline = false;

    // The latitude of row `row` of `rows` when the grid is read at that many rows.
    double latitude(double row, int rows) const;
};

// Values of a grid, row after row from the north; NaN where there is no value.
struct Raster
{
    int width = 0;
    int height = 0;
    std::vector<float> values;

    const float *row(int r) const { return values.data() + std::size_t(r) * std::size_t(width); }
};

// A grid to read: a band of a raster that the grid library opens, never read whole.
class GridSource
{
public:
    virtual ~GridSource() = default;

    virtual const GridInfo &info() const = 0;
    // The whole grid at `width` by `height` cells, each the value nearest its place.
    virtual core::Result<Raster> read(int width, int height) = 0;
    // Rows `first` to `first + count - 1` at full size, into `rows` (whose memory is used
    // again from one block to the next).
    virtual core::Status readRows(int first, int count, Raster &rows) = 0;
};

// Which grid of a file to open: `variable` names one of several (a netCDF's subdatasets);
// `band` counts from 1.
struct GridRequest
{
    QString path;
    QString variable;
    int band = 1;
};

// An RGBA image of a grid's size written row by row, with the grid's place.
class ImageWriter
{
public:
    virtual ~ImageWriter() = default;

    // `rows` rows of width * 4 bytes each, red, green, blue and alpha.
    virtual core::Status write(const std::uint8_t *rgba, int rows) = 0;
    virtual core::Status finish() = 0;
};

// The grid library: the one place that calls GDAL. The window loads it when a grid is first
// used; tesselcmd links it.
struct GridLibrary
{
    core::Result<std::unique_ptr<GridSource>> (*open)(const GridRequest &request);
    // A GeoTIFF at `path` of `info`'s size and place.
    core::Result<std::unique_ptr<ImageWriter>> (*createImage)(const QString &path,
                                                              const GridInfo &info);
};

// The grid library beside the program, loaded the first time it is asked for; none, with
// why, where it cannot be loaded.
core::Result<const GridLibrary *> loadGridLibrary();

} // namespace tessel

// What the grid library exports.
extern "C" const tessel::GridLibrary *tesselGridLibrary();
