#pragma once

#include "Grid.h"
#include "tessel/table/Rgb.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tessel {

// GMT's shaded relief, as grdimage -I+a<azimuth>+nt1 draws it (grdgradient -A<azimuth>
// -Nt1+a0 over the whole grid): the gradient g = -(dz/dx sin a + dz/dy cos a) by central
// differences, +y north, over a grid padded by one row and column as GMT pads it (in float:
// 2 z0 - z_inside at the four corners, 4 z0 - ((z_left + z_right) + z_inside) at every other
// edge node, so that the Laplacian there is 0); no gradient where a neighbour has no value.

// Gradients row by row: rows go in from the north, and each row's gradients come out, with
// its values, once the row below it is in. A geographic grid's x spacing is its longitude
// step times the cosine of each row's latitude (the metres per degree cancel).
class GradientRows
{
public:
    using Done = std::function<void(int row, const float *values, const double *gradients)>;

    // The grid of `info` as it is read, at `width` by `height` cells.
    GradientRows(const GridInfo &info, int width, int height, double azimuth, Done done);

    void add(const float *values);
    void finish();

private:
    void deliver(int row, const float *above, const float *here, const float *below);
    const float *row(int r) const; // of the last three in

    int m_width;
    int m_height;
    double m_sin;
    double m_cos;
    std::vector<double> m_dx; // a row's x step
    double m_dy;
    int m_period = 0; // columns after which a world-wide grid repeats; 0: it does not
    Done m_done;
    std::vector<std::vector<float>> m_rows; // the last three rows in, row r at r % 3
    std::vector<double> m_out;
    int m_next = 0; // the row that comes in next
};

// -Nt1: the mean and the sample standard deviation of every gradient there is.
class GradientSpread
{
public:
    void add(double g);
    // Once every gradient is in.
    void finish();
    // GMT's intensity from -1 to 1: (2/pi) atan((g - mean) / sigma); none where g is none.
    double intensity(double g) const;
    // The same for n gradients at once.
    void intensities(const double *g, std::size_t n, double *out) const;

    double mean = 0;
    double sigma = 0;
    long long count = 0;

private:
    double m_sum = 0; // of the differences from the first, for a sum that keeps its digits
    double m_squares = 0;
    double m_first = 0;
    double m_inverse = 0; // 1 / sigma
};

// A colour as GMT lights it, in HSV: its saturation and value, and where each channel lies
// between the smallest and the largest (what the hue keeps).
struct LightableColour
{
    explicit LightableColour(Rgb colour);
    Rgb colour;
    double s = 0;
    double v = 0;
    double place[3] = {1, 1, 1};
};

// A colour lit (intensity above 0) or shaded (below) as GMT does it, in HSV: towards
// saturation 0.1 and value 1, or towards saturation 1 and value 0.3, the saturation only where
// the colour has any, so that greys stay grey; back in 8 bits with rint.
Rgb illuminate(const LightableColour &colour, double intensity);
// The same as red, green, blue and 255 in this order of bytes, for an RGBA image.
std::uint32_t illuminateRgba(const LightableColour &colour, double intensity);
std::uint32_t packRgba(Rgb colour);

} // namespace tessel
