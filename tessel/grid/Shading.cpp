#include "Shading.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tessel {
namespace {

// Red, green, blue and an opaque alpha, as bytes in that order in memory.
std::uint32_t bytesRgba(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    return r | g << 8 | b << 16 | 0xffu << 24;
#else
    return r << 24 | g << 16 | b << 8 | 0xffu;
#endif
}

constexpr double kMaxS = 0.1; // GMT's COLOR_HSV_MAX_S, MAX_V, MIN_S and MIN_V
constexpr double kMaxV = 1.0;
constexpr double kMinS = 1.0;
constexpr double kMinV = 0.3;

} // namespace

GradientRows::GradientRows(const GridInfo &info, int width, int height, double azimuth, Done done)
    : m_width(width), m_height(height), m_sin(std::sin(azimuth * M_PI / 180)),
      m_cos(std::cos(azimuth * M_PI / 180)), m_dx(std::size_t(height)),
      m_dy(std::abs(info.transform[5]) * double(info.height) / double(height)),
      m_done(std::move(done)), m_rows(3, std::vector<float>(std::size_t(width))),
      m_out(std::size_t(width))
{
    const double step = std::abs(info.transform[1]) * double(info.width) / double(width);
    // A geographic grid round the whole world wraps, as GMT wraps it: its columns, or all but
    // a last one that repeats the first on a lattice (0 and 360 both).
    const double span = std::abs(info.transform[1]) * double(info.width);
    const double cell = std::abs(info.transform[1]);
    if (info.geographic && std::abs(span - 360) < cell / 2) {
        m_period = width;
    } else if (info.geographic && info.gridline && width == info.width &&
               std::abs(span - cell - 360) < cell / 2) {
        m_period = width - 1;
    }
    for (int r = 0; r < height; ++r) {
        m_dx[std::size_t(r)] =
            info.geographic ? step * std::cos(info.latitude(r, height) * M_PI / 180) : step;
    }
}

void GradientRows::add(const float *values)
{
    std::copy(values, values + m_width, m_rows[std::size_t(m_next % 3)].begin());
    if (m_next >= 2) {
        deliver(m_next - 1, row(m_next - 2), row(m_next - 1), row(m_next));
    } else if (m_next == 1) {
        deliver(0, nullptr, row(0), row(1));
    }
    ++m_next;
}

void GradientRows::finish()
{
    if (m_next > 0) {
        deliver(m_next - 1, m_next > 1 ? row(m_next - 2) : nullptr, row(m_next - 1), nullptr);
    }
}

const float *GradientRows::row(int r) const
{
    return m_rows[std::size_t(r % 3)].data();
}

void GradientRows::deliver(int row, const float *above, const float *here, const float *below)
{
    const int w = m_width;
    const double sx = m_sin / (2 * m_dx[std::size_t(row)]);
    const double sy = m_cos / (2 * m_dy);
    const auto at = [](const float *line, int c) { return line ? line[c] : NAN; };
    // On the grid's edges, GMT's padding stands for the neighbours outside: 2 z0 - inside at a
    // corner, else what makes the Laplacian 0; NaN where a value it is made from is none.
    const bool cornerRow = row == 0 || row == m_height - 1;
    const auto edge = [&](int c) {
        const float z0 = here[c];
        // Round the world, the columns go on from the other side.
        const bool cornerCol = m_period == 0 && (c == 0 || c == w - 1);
        const float inRight = c + 1 < w ? here[c + 1] : m_period ? here[(c + 1) % m_period] : NAN;
        const float inLeft = c > 0 ? here[c - 1] : m_period ? here[m_period - 1] : NAN;
        const float left = c > 0 || m_period ? inLeft
                           : cornerRow       ? 2.0f * z0 - inRight
                                       : 4.0f * z0 - ((at(above, 0) + at(below, 0)) + inRight);
        const float right = c + 1 < w || m_period ? inRight
                            : cornerRow           ? 2.0f * z0 - inLeft
                                        : 4.0f * z0 - ((at(above, c) + at(below, c)) + inLeft);
        const float up = above       ? above[c]
                         : cornerCol ? 2.0f * z0 - at(below, c)
                                     : 4.0f * z0 - ((inLeft + inRight) + at(below, c));
        const float down = below       ? below[c]
                           : cornerCol ? 2.0f * z0 - at(above, c)
                                       : 4.0f * z0 - ((inLeft + inRight) + at(above, c));
        m_out[std::size_t(c)] =
            -((double(right) - double(left)) * sx + (double(up) - double(down)) * sy);
    };
    if (!above || !below || w < 3) {
        for (int c = 0; c < w; ++c) {
            edge(c);
        }
    } else {
        edge(0);
        for (int c = 1; c + 1 < w; ++c) { // the neighbours are there, or NaN for none
            m_out[std::size_t(c)] = -((double(here[c + 1]) - double(here[c - 1])) * sx +
                                      (double(above[c]) - double(below[c])) * sy);
        }
        edge(w - 1);
    }
    m_done(row, here, m_out.data());
}

void GradientSpread::add(double g)
{
    if (std::isnan(g)) {
        return;
    }
    if (count == 0) {
        m_first = g;
    }
    ++count;
    m_sum += g - m_first;
    m_squares += (g - m_first) * (g - m_first);
}

void GradientSpread::finish()
{
    const auto n = double(count);
    mean = count > 0 ? m_first + m_sum / n : 0;
    sigma = count > 1 ? std::sqrt(std::max(0.0, (m_squares - m_sum * m_sum / n) / (n - 1))) : 0;
    m_inverse = sigma > 0 ? 1 / sigma : 0;
}

namespace {

// atan to about 1e-7 (Cephes's single-precision polynomial after reducing to below tan(pi/8)),
// several times cheaper than the library's: a shaded map takes one for every cell, and its
// colours do not see the difference.
// Each of the three ranges' reduction is picked by multiplying by 1 or 0, not by a branch,
// which a map's slopes would mispredict half the time, so that a row of them goes straight
// through; the arithmetic of each range, and its result, are those of the branches.
inline double fastAtan(double x)
{
    const double a = std::abs(x);
    const double far = a > 2.414213562373095 ? 1 : 0;
    const double mid = a > 0.4142135623730950 ? 1 - far : 0;
    const double near = 1 - far - mid;
    const double r = (mid * (a - 1) + near * a - far) / (far * a + mid * (a + 1) + near);
    const double z = r * r;
    const double y = far * (M_PI / 2) + mid * (M_PI / 4) +
                     (((8.05374449538e-2 * z - 1.38776856032e-1) * z + 1.99777106478e-1) * z -
                      3.33329491539e-1) *
                         z * r +
                     r;
    return std::copysign(y, x);
}

} // namespace

double GradientSpread::intensity(double g) const
{
    return std::isnan(g) || sigma == 0 ? NAN : 2 / M_PI * fastAtan((g - mean) * m_inverse);
}

void GradientSpread::intensities(const double *g, std::size_t n, double *out) const
{
    if (sigma == 0) {
        std::fill(out, out + n, NAN);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) { // no value stays none: NaN goes through as NaN
        out[i] = 2 / M_PI * fastAtan((g[i] - mean) * m_inverse);
    }
}

LightableColour::LightableColour(Rgb c) : colour(c)
{
    const double rgb[3] = {c.red / 255.0, c.green / 255.0, c.blue / 255.0};
    const double high = std::max({rgb[0], rgb[1], rgb[2]});
    const double low = std::min({rgb[0], rgb[1], rgb[2]});
    v = high;
    s = high == 0 ? 0 : (high - low) / high;
    for (int k = 0; k < 3 && high > low; ++k) {
        place[k] = (rgb[k] - low) / (high - low);
    }
}

std::uint32_t packRgba(Rgb c)
{
    return bytesRgba(c.red, c.green, c.blue);
}

std::uint32_t illuminateRgba(const LightableColour &c, double intensity)
{
    if (std::isnan(intensity) || intensity == 0) {
        return packRgba(c.colour);
    }
    intensity = std::clamp(intensity, -1.0, 1.0);
    const double keep = 1 - std::abs(intensity);
    double s = c.s;
    double v = c.v;
    if (intensity > 0) {
        s = s != 0 ? keep * s + intensity * kMaxS : 0;
        v = keep * v + intensity * kMaxV;
    } else {
        s = s != 0 ? keep * s - intensity * kMinS : 0;
        v = keep * v - intensity * kMinV;
    }
    s = std::clamp(s, 0.0, 1.0);
    v = std::clamp(v, 0.0, 1.0);
    // Back from HSV with the hue kept: each channel where it lay between the smallest (v(1-s))
    // and the largest (v).
    const auto byte = [&](double place) {
        // rint, half to even as the rounding mode has it, without a call: adding 1.5 * 2^52
        // leaves no bits below the units.
        constexpr double kRound = 6755399441055744.0;
        return std::uint32_t((255 * (v * (1 - s * (1 - place))) + kRound) - kRound);
    };
    return bytesRgba(byte(c.place[0]), byte(c.place[1]), byte(c.place[2]));
}

Rgb illuminate(const LightableColour &c, double intensity)
{
    const std::uint32_t rgba = illuminateRgba(c, intensity);
    std::uint8_t bytes[4];
    std::memcpy(bytes, &rgba, 4);
    return {bytes[0], bytes[1], bytes[2]};
}

} // namespace tessel
