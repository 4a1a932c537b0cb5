#include "Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tessel {
namespace {

constexpr int kBlockRows = 256; // rows read at once: a few megabytes of a wide grid

// WGS 84's authalic latitude: the latitude on the sphere of equal area.
double authalic(double latitude)
{
    constexpr double e2 = 0.00669437999014;
    const double e = std::sqrt(e2);
    const auto q = [&](double phi) {
        const double s = std::sin(phi);
        return (1 - e2) * (s / (1 - e2 * s * s) - std::log((1 - e * s) / (1 + e * s)) / (2 * e));
    };
    const double phi = latitude * M_PI / 180;
    return std::asin(std::clamp(q(phi) / q(M_PI / 2), -1.0, 1.0));
}

// A float's bits in an order that sorts as the numbers do (0 and -0 as one).
std::uint32_t sortKey(float value)
{
    std::uint32_t bits = 0;
    value = value == 0 ? 0.0f : value;
    std::memcpy(&bits, &value, sizeof bits);
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

float fromKey(std::uint32_t key)
{
    const std::uint32_t bits = key & 0x80000000u ? key & 0x7fffffffu : ~key;
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Keys in buckets of their high bits, then slots of their low ones.
constexpr int kSlotBits = 12;
constexpr std::uint32_t kSlots = 1u << kSlotBits;
constexpr std::uint32_t kBuckets = 1u << (32 - kSlotBits);

std::uint32_t lastFilled(const std::vector<double> &slots)
{
    std::uint32_t last = kSlots - 1;
    while (last > 0 && slots[last] == 0) {
        --last;
    }
    return last;
}

} // namespace

Rows rowsOf(const Raster &raster)
{
    return {raster.width, raster.height, [&raster](const RowVisitor &visit) {
                for (int r = 0; r < raster.height; ++r) {
                    visit(r, raster.row(r));
                }
                return core::Status();
            }};
}

Rows rowsOf(GridSource &grid)
{
    const GridInfo &info = grid.info();
    return {info.width, info.height, [&grid](const RowVisitor &visit) {
                const int height = grid.info().height;
                Raster block;
                for (int first = 0; first < height; first += kBlockRows) {
                    const core::Status read =
                        grid.readRows(first, std::min(kBlockRows, height - first), block);
                    if (!read) {
                        return read;
                    }
                    for (int r = 0; r < block.height; ++r) {
                        visit(first + r, block.row(r));
                    }
                }
                return core::Status();
            }};
}

CellWeights::CellWeights(const GridInfo &info, int width, int height)
    : m_rows(std::size_t(height), 1.0), m_width(width), m_halfEdges(info.gridline)
{
    for (int r = 0; r < height; ++r) {
        double w = info.geographic ? std::cos(authalic(info.latitude(r, height))) : 1.0;
        if (info.gridline && !info.geographic && (r == 0 || r == height - 1)) {
            w /= 2;
        }
        m_rows[std::size_t(r)] = w;
    }
}

CellWeights::CellWeights(int width, int height)
    : m_rows(std::size_t(height), 1.0), m_width(width), m_halfEdges(false)
{}

double CellWeights::at(int row, int col) const
{
    const double w = m_rows[std::size_t(row)];
    return m_halfEdges && (col == 0 || col == m_width - 1) ? w / 2 : w;
}

core::Result<Extent> extentOf(const Rows &rows)
{
    Extent extent;
    const core::Status read = rows.each([&](int, const float *values) {
        for (int col = 0; col < rows.width; ++col) {
            if (!std::isnan(values[col])) {
                extent.min = std::min(extent.min, double(values[col]));
                extent.max = std::max(extent.max, double(values[col]));
                ++extent.count;
            }
        }
    });
    return read ? core::Result<Extent>(extent) : read.failure();
}

namespace {

// Cells of one value: its weight and how many they are.
struct Group
{
    double value = 0;
    double weight = 0;
    std::uint32_t cells = 0;
};

// Where the cumulative weight reaches `wanted` in group `at`, the weight below it being
// `below`: grd2cpt lists every cell, and draws its line between the last cell of the value
// before and the first of this one, so only within that cell's weight is the share between
// the two values (a cell's weight being their mean where cells differ).
double bound(double wanted, double below, const Group &at, const std::optional<double> &before,
             Reach reach)
{
    const double first = at.weight / double(at.cells);
    return reach == Reach::Between && before && wanted < below + first
               ? *before + (wanted - below) / first * (at.value - *before)
               : at.value;
}

// Exact, from every cell sorted by a radix sort of their keys: for a grid as it is drawn, a
// few hundred thousand cells.
core::Result<std::vector<double>> sortedBounds(const Rows &rows, const CellWeights &weights,
                                               const std::vector<double> &shares, Reach reach)
{
    std::vector<std::uint32_t> keys;
    std::vector<double> cellWeights;
    const core::Status read = rows.each([&](int row, const float *values) {
        for (int col = 0; col < rows.width; ++col) {
            if (!std::isnan(values[col])) {
                keys.push_back(sortKey(values[col]));
                cellWeights.push_back(weights.at(row, col));
            }
        }
    });
    if (!read) {
        return read.failure();
    }
    std::vector<std::uint32_t> keysTo(keys.size());
    std::vector<double> weightsTo(keys.size());
    for (int shift = 0; shift < 32; shift += 8) { // least significant byte first: stable
        std::size_t start[257] = {};
        for (const std::uint32_t k : keys) {
            ++start[((k >> shift) & 0xff) + 1];
        }
        for (int b = 0; b < 256; ++b) {
            start[b + 1] += start[b];
        }
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const std::size_t at = start[(keys[i] >> shift) & 0xff]++;
            keysTo[at] = keys[i];
            weightsTo[at] = cellWeights[i];
        }
        keys.swap(keysTo);
        cellWeights.swap(weightsTo);
    }
    double total = 0;
    for (const double w : cellWeights) {
        total += w;
    }
    std::vector<double> out;
    std::size_t i = 0;
    double below = 0;
    std::optional<double> before;
    Group group;
    for (const double share : shares) {
        const double wanted = share * total;
        while (group.cells == 0 || (below + group.weight < wanted && i < keys.size())) {
            if (group.cells > 0) {
                below += group.weight;
                before = group.value;
            }
            group = {fromKey(keys[i]), 0, 0};
            for (const std::uint32_t key = keys[i]; i < keys.size() && keys[i] == key; ++i) {
                group.weight += cellWeights[i];
                ++group.cells;
            }
        }
        out.push_back(bound(wanted, below, group, before, reach));
    }
    return out;
}

// Exact, in two passes over a grid of any size in a few megabytes: the weight of each bucket
// of keys first; then, in the buckets where a share is reached and the ones with weight just
// below them, the weight of each key. Buckets enough for every share take further passes.
core::Result<std::vector<double>> bucketBounds(const Rows &rows, const CellWeights &weights,
                                               const std::vector<double> &shares, Reach reach)
{
    constexpr std::size_t kBucketsAPass = 256; // of 48 KiB each
    std::vector<double> buckets(kBuckets, 0.0);
    double total = 0;
    const auto pass = [&](const auto &take) {
        return rows.each([&](int row, const float *values) {
            for (int col = 0; col < rows.width; ++col) {
                if (!std::isnan(values[col])) {
                    take(sortKey(values[col]), weights.at(row, col));
                }
            }
        });
    };
    core::Status read = pass([&](std::uint32_t key, double w) {
        buckets[key >> kSlotBits] += w;
        total += w;
    });
    if (!read) {
        return read.failure();
    }
    struct Target
    {
        double weight;              // the share of the total
        std::uint32_t bucket;       // where it is reached
        double before;              // the weight of the buckets below it
        std::int64_t previous = -1; // the last bucket with weight below it
    };
    std::vector<Target> targets;
    std::uint32_t b = 0;
    double cumulative = 0;
    std::int64_t filled = -1;
    for (const double share : shares) {
        const double wanted = share * total;
        while (b + 1 < kBuckets && (buckets[b] == 0 || cumulative + buckets[b] < wanted)) {
            filled = buckets[b] > 0 ? b : filled;
            cumulative += buckets[b];
            ++b;
        }
        targets.push_back({wanted, b, cumulative, filled});
    }
    buckets = {};
    std::vector<double> out;
    std::vector<std::int32_t> slotOf(kBuckets, -1);
    for (std::size_t from = 0; from < targets.size();) {
        // The buckets of as many targets as fit this pass.
        std::fill(slotOf.begin(), slotOf.end(), -1);
        std::vector<std::vector<double>> keys;         // the weight of each key in a bucket
        std::vector<std::vector<std::uint32_t>> cells; // and how many cells hold it
        std::size_t to = from;
        for (; to < targets.size() && keys.size() + 2 <= kBucketsAPass; ++to) {
            for (const std::int64_t bucket :
                 {std::int64_t(targets[to].bucket), targets[to].previous}) {
                if (bucket >= 0 && slotOf[std::size_t(bucket)] < 0) {
                    slotOf[std::size_t(bucket)] = std::int32_t(keys.size());
                    keys.emplace_back(kSlots, 0.0);
                    cells.emplace_back(kSlots, 0);
                }
            }
        }
        read = pass([&](std::uint32_t key, double w) {
            if (const std::int32_t slot = slotOf[key >> kSlotBits]; slot >= 0) {
                keys[std::size_t(slot)][key & (kSlots - 1)] += w;
                ++cells[std::size_t(slot)][key & (kSlots - 1)];
            }
        });
        if (!read) {
            return read.failure();
        }
        const auto keyIn = [](std::uint32_t bucket, std::uint32_t slot) {
            return double(fromKey((bucket << kSlotBits) | slot));
        };
        for (; from < to; ++from) {
            const Target &t = targets[from];
            const std::size_t slot = std::size_t(slotOf[t.bucket]);
            const std::vector<double> &own = keys[slot];
            // The first key whose weight reaches the share (the last with any, at worst), and
            // the distinct value before it.
            double below = t.before;
            std::optional<double> before;
            if (t.previous >= 0) {
                before = keyIn(std::uint32_t(t.previous),
                               lastFilled(keys[std::size_t(slotOf[std::size_t(t.previous)])]));
            }
            const std::uint32_t last = lastFilled(own);
            std::uint32_t at = 0;
            for (std::uint32_t s = 0; s <= last; ++s) {
                if (own[s] == 0) {
                    continue;
                }
                at = s;
                if (below + own[s] >= t.weight || s == last) {
                    break;
                }
                before = keyIn(t.bucket, s);
                below += own[s];
            }
            out.push_back(bound(t.weight, below, {keyIn(t.bucket, at), own[at], cells[slot][at]},
                                before, reach));
        }
    }
    return out;
}

} // namespace

core::Result<std::vector<double>> distributionValues(const Rows &rows, const CellWeights &weights,
                                                     const std::vector<double> &shares, Reach reach)
{
    constexpr double kSortable = 1 << 21; // cells: sixteen megabytes of keys and weights
    return double(rows.width) * double(rows.height) <= kSortable
               ? sortedBounds(rows, weights, shares, reach)
               : bucketBounds(rows, weights, shares, reach);
}

core::Result<std::vector<double>> percentiles(const Rows &rows, long long count,
                                              const std::vector<double> &percents)
{
    // numpy's linear method: the value at the virtual index q (n - 1), computed as numpy
    // computes it, between the cells below and above it.
    const double n = double(count);
    std::vector<double> index;
    std::vector<double> shares; // of the cells at floor(index) and the one after
    for (const double p : percents) {
        const double q = p / 100;
        index.push_back(std::clamp(n * q + (1 + q * (1 - 1 - 1)) - 1, 0.0, n - 1));
        const double below = std::floor(index.back());
        shares.push_back((below + 0.5) / n);
        shares.push_back((std::min(below + 1, n - 1) + 0.5) / n);
    }
    const core::Result<std::vector<double>> cells =
        distributionValues(rows, CellWeights(rows.width, rows.height), shares, Reach::Cell);
    if (!cells) {
        return cells;
    }
    std::vector<double> out;
    for (std::size_t i = 0; i < index.size(); ++i) {
        const double a = (*cells)[2 * i];
        const double b = (*cells)[2 * i + 1];
        const double t = index[i] - std::floor(index[i]);
        const double step = b - a;
        out.push_back(t >= 0.5 ? b - step * (1 - t) : a + step * t);
    }
    return out;
}

} // namespace tessel
