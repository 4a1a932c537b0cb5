#include "Map.h"

#include "Shading.h"

#include <cmath>
#include <cstring>
#include <thread>

namespace tessel {
namespace {

// Rows gathered and coloured together, half of them on a second thread where the map is big
// enough to be worth it; handed on in order.
class Painter
{
public:
    Painter(const Colouring &colouring, int width, const GradientSpread *spread, bool big,
            const RgbaRow &out)
        : m_colouring(colouring), m_width(std::size_t(width)), m_spread(spread),
          m_batch(big ? 64 : 1), m_out(out), m_values(m_batch * m_width),
          m_gradients(spread ? m_batch * m_width : 0), m_rgba(m_batch * m_width * 4)
    {
        for (const std::optional<Rgb> &c : colouring.colours) {
            m_packed.push_back(c ? packRgba(*c) : 0);
            m_lightable.emplace_back(c.value_or(Rgb{}));
        }
    }

    void take(int row, const float *values, const double *gradients)
    {
        const std::size_t at = m_rows.size() * m_width;
        std::copy(values, values + m_width, m_values.begin() + long(at));
        if (gradients) {
            std::copy(gradients, gradients + m_width, m_gradients.begin() + long(at));
        }
        m_rows.push_back(row);
        if (m_rows.size() == m_batch) {
            flush();
        }
    }

    // Colours and hands on what is gathered; the first failure to hand a row on stays.
    void flush()
    {
        const std::size_t n = m_rows.size();
        if (n > 1) {
            std::thread other([&] { colour(0, n / 2); });
            colour(n / 2, n);
            other.join();
        } else {
            colour(0, n);
        }
        for (std::size_t r = 0; r < n && written; ++r) {
            written = m_out(m_rows[r], m_rgba.data() + r * m_width * 4);
        }
        m_rows.clear();
    }

    core::Status written;

private:
    void colour(std::size_t from, std::size_t to)
    {
        std::vector<int> classes(m_width);
        for (std::size_t r = from; r < to; ++r) {
            const float *values = m_values.data() + r * m_width;
            const double *gradients = m_spread ? m_gradients.data() + r * m_width : nullptr;
            std::uint8_t *rgba = m_rgba.data() + r * m_width * 4;
            m_colouring.classes.classesOf(values, int(m_width), classes.data());
            for (std::size_t c = 0; c < m_width; ++c) {
                const int k = classes[c];
                std::uint32_t pixel = k < 0 ? 0 : m_packed[std::size_t(k)];
                if (m_spread && pixel != 0) {
                    pixel = illuminateRgba(m_lightable[std::size_t(k)],
                                           m_spread->intensity(gradients[c]));
                }
                std::memcpy(rgba + 4 * c, &pixel, 4);
            }
        }
    }

    const Colouring &m_colouring;
    std::size_t m_width;
    const GradientSpread *m_spread;
    std::size_t m_batch;
    const RgbaRow &m_out;
    std::vector<std::uint32_t> m_packed; // each class's colour, 0 for none
    std::vector<LightableColour> m_lightable;
    std::vector<float> m_values;
    std::vector<double> m_gradients;
    std::vector<std::uint8_t> m_rgba;
    std::vector<int> m_rows; // gathered, in order
};

} // namespace

core::Status paintRows(const Rows &rows, const GridInfo &info, const Colouring &colouring,
                       const RgbaRow &out)
{
    const bool big = double(rows.width) * double(rows.height) >= 1 << 20;
    if (!colouring.azimuth) {
        Painter painter(colouring, rows.width, nullptr, big, out);
        const core::Status read =
            rows.each([&](int row, const float *values) { painter.take(row, values, nullptr); });
        painter.flush();
        return read ? painter.written : read;
    }
    // Shaded, the gradients' spread over the whole grid first (-Nt1), then the drawing.
    GradientSpread spread;
    GradientRows measure(info, rows.width, rows.height, *colouring.azimuth,
                         [&](int, const float *, const double *g) {
                             for (int c = 0; c < rows.width; ++c) {
                                 spread.add(g[c]);
                             }
                         });
    core::Status read = rows.each([&](int, const float *values) { measure.add(values); });
    measure.finish();
    spread.finish();
    if (!read) {
        return read;
    }
    Painter painter(colouring, rows.width, &spread, big, out);
    GradientRows draw(
        info, rows.width, rows.height, *colouring.azimuth,
        [&](int row, const float *values, const double *g) { painter.take(row, values, g); });
    read = rows.each([&](int, const float *values) { draw.add(values); });
    draw.finish();
    painter.flush();
    return read ? painter.written : read;
}

} // namespace tessel
