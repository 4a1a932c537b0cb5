#include "Map.h"

#include "Shading.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

namespace tessel {
namespace {

// Rows gathered and coloured a batch at a time where the map is big enough to be worth it:
// each batch coloured while the next is gathered and the one before is handed on, in order.
class Painter
{
public:
    Painter(const Colouring &colouring, int width, const GradientSpread *spread, bool big,
            const RgbaRow &out)
        : m_colouring(colouring), m_width(std::size_t(width)), m_spread(spread),
          m_batch(big ? 64 : 1), m_out(out)
    {
        for (const std::optional<Rgb> &c : colouring.colours) {
            m_packed.push_back(c ? packRgba(*c) : 0);
            m_lightable.emplace_back(c.value_or(Rgb{}));
        }
        for (Batch *batch : {&m_filling, &m_working, &m_done}) {
            batch->values.resize(m_batch * m_width);
            batch->gradients.resize(spread ? m_batch * m_width : 0);
            batch->rgba.resize(m_batch * m_width * 4);
        }
    }

    ~Painter() { join(); }

    void take(int row, const float *values, const double *gradients)
    {
        const std::size_t at = m_filling.rows.size() * m_width;
        std::copy(values, values + m_width, m_filling.values.begin() + long(at));
        if (gradients) {
            std::copy(gradients, gradients + m_width, m_filling.gradients.begin() + long(at));
        }
        m_filling.rows.push_back(row);
        if (m_filling.rows.size() == m_batch) {
            hand();
        }
    }

    // Everything taken, coloured and handed on; the first failure to hand a row on stays.
    core::Status finish()
    {
        hand();
        share(m_working);
        join();
        handOn(m_working);
        return m_written;
    }

private:
    struct Batch
    {
        std::vector<float> values;
        std::vector<double> gradients;
        std::vector<std::uint8_t> rgba;
        std::vector<int> rows;
    };

    // The batch gathered goes to be coloured, and the one coloured before it is handed on. A
    // batch is coloured a row at a time by another thread, and by this one once it has
    // gathered the next: two threads at work, never more, on a machine of two cores.
    void hand()
    {
        share(m_working);
        join();
        std::swap(m_working, m_done);
        std::swap(m_working, m_filling);
        m_next = 0;
        if (m_working.rows.size() <= 1) {
            share(m_working);
        } else {
            m_worker = std::thread([this] { share(m_working); });
        }
        handOn(m_done);
    }

    // Rows of `batch` not yet taken, coloured until none is left.
    void share(Batch &batch)
    {
        for (std::size_t r = m_next++; r < batch.rows.size(); r = m_next++) {
            colour(batch, r, r + 1);
        }
    }

    void join()
    {
        if (m_worker.joinable()) {
            m_worker.join();
        }
    }

    void handOn(Batch &batch)
    {
        for (std::size_t r = 0; r < batch.rows.size() && m_written; ++r) {
            m_written = m_out(batch.rows[r], batch.rgba.data() + r * m_width * 4);
        }
        batch.rows.clear();
    }

    void colour(Batch &batch, std::size_t from, std::size_t to) const
    {
        thread_local std::vector<int> classes; // a row's, kept from row to row
        thread_local std::vector<double> light;
        classes.resize(m_width);
        light.resize(m_spread ? m_width : 0);
        for (std::size_t r = from; r < to; ++r) {
            const float *values = batch.values.data() + r * m_width;
            std::uint8_t *rgba = batch.rgba.data() + r * m_width * 4;
            m_colouring.classes.classesOf(values, int(m_width), classes.data());
            if (m_spread) {
                m_spread->intensities(batch.gradients.data() + r * m_width, m_width, light.data());
            }
            for (std::size_t c = 0; c < m_width; ++c) {
                const int k = classes[c];
                std::uint32_t pixel = k < 0 ? 0 : m_packed[std::size_t(k)];
                if (m_spread && pixel != 0) {
                    pixel = illuminateRgba(m_lightable[std::size_t(k)], light[c]);
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
    Batch m_filling;                    // rows being gathered
    Batch m_working;                    // rows being coloured
    Batch m_done;                       // rows coloured, to hand on
    std::atomic<std::size_t> m_next{0}; // the row of m_working to colour next
    std::thread m_worker;
    core::Status m_written;
};

// Rows visited in order on another thread, a batch at a time, while the next batch is read.
class Relay
{
public:
    using Visit = std::function<void(int row, const float *values)>;

    Relay(int width, Visit visit) : m_width(std::size_t(width)), m_visit(std::move(visit))
    {
        m_filling.values.resize(kBatch * m_width);
        m_working.values.resize(kBatch * m_width);
    }

    ~Relay() { finish(); }

    void take(int row, const float *values)
    {
        std::copy(values, values + m_width,
                  m_filling.values.begin() + long(m_filling.rows.size() * m_width));
        m_filling.rows.push_back(row);
        if (m_filling.rows.size() == kBatch) {
            hand();
        }
    }

    void finish()
    {
        hand();
        if (m_worker.joinable()) {
            m_worker.join();
        }
    }

private:
    static constexpr std::size_t kBatch = 64;
    struct Batch
    {
        std::vector<float> values;
        std::vector<int> rows;
    };

    void hand()
    {
        if (m_worker.joinable()) {
            m_worker.join();
        }
        std::swap(m_filling, m_working);
        m_filling.rows.clear();
        m_worker = std::thread([this] {
            for (std::size_t r = 0; r < m_working.rows.size(); ++r) {
                m_visit(m_working.rows[r], m_working.values.data() + r * m_width);
            }
        });
    }

    std::size_t m_width;
    Visit m_visit;
    Batch m_filling;
    Batch m_working;
    std::thread m_worker;
};

} // namespace

core::Status paintRows(const Rows &rows, const GridInfo &info, const Colouring &colouring,
                       const RgbaRow &out)
{
    const bool big = double(rows.width) * double(rows.height) >= 1 << 16;
    if (!colouring.azimuth) {
        Painter painter(colouring, rows.width, nullptr, big, out);
        const core::Status read =
            rows.each([&](int row, const float *values) { painter.take(row, values, nullptr); });
        const core::Status written = painter.finish();
        return read ? written : read;
    }
    // Shaded, the gradients' spread over the whole grid first (-Nt1), then the drawing. A grid
    // as it is drawn keeps its gradients from one pass to the next; a full-size one makes
    // them again.
    const std::size_t width = std::size_t(rows.width);
    const bool keep = double(rows.width) * double(rows.height) <= 1 << 21;
    std::vector<double> kept(keep ? width * std::size_t(rows.height) : 0);
    GradientSpread spread;
    GradientRows measure(info, rows.width, rows.height, *colouring.azimuth,
                         [&](int row, const float *, const double *g) {
                             for (std::size_t c = 0; c < width; ++c) {
                                 spread.add(g[c]);
                             }
                             if (keep) {
                                 std::copy(g, g + width, kept.begin() + long(row * width));
                             }
                         });
    core::Status read;
    if (big) { // measured on another thread as the grid is read
        Relay relay(rows.width, [&](int, const float *values) { measure.add(values); });
        read = rows.each([&](int row, const float *values) { relay.take(row, values); });
    } else {
        read = rows.each([&](int, const float *values) { measure.add(values); });
    }
    measure.finish();
    spread.finish();
    if (!read) {
        return read;
    }
    Painter painter(colouring, rows.width, &spread, big, out);
    GradientRows draw(
        info, rows.width, rows.height, *colouring.azimuth,
        [&](int row, const float *values, const double *g) { painter.take(row, values, g); });
    read = rows.each([&](int row, const float *values) {
        keep ? painter.take(row, values, kept.data() + std::size_t(row) * width) : draw.add(values);
    });
    draw.finish();
    const core::Status written = painter.finish();
    return read ? written : read;
}

} // namespace tessel
