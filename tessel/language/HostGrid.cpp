// The host's maps: a grid read through the grid library, drawn in the table's colours with a
// scale of its values, and written whole for other programs.
#include "CommandLine.h"
#include "Host.h"
#include "Settings.h"
#include "core/SaveFile.h"
#include "tessel/grid/Statistics.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr int kLookRows = 64;   // how much of a grid is read to see that it holds any value
constexpr int kBlockRows = 256; // rows of an image written at once

// Where grids are read, loaded on first use where the host was given none.
core::Result<const GridLibrary *> library(const GridLibrary *given)
{
    return given ? core::Result<const GridLibrary *>(given) : loadGridLibrary();
}

bool anyValue(const Raster &raster)
{
    return std::any_of(raster.values.begin(), raster.values.end(),
                       [](float v) { return !std::isnan(v); });
}

} // namespace

Host::Outcome Host::loadGrid(const QString &rest)
{
    const QString command = QStringLiteral("grid");
    if (rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("missing file name"));
    }
    // A grid is a file, found as every file is: none of GDAL's own ways to reach one (/vsicurl/
    // and the rest, which go out to the network) is taken.
    const QString path = resolve(rest);
    if (rest.startsWith(QLatin1String("/vsi")) || path.startsWith(QLatin1String("/vsi"))) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("%1: a grid is a file; GDAL's virtual file systems (/vsi...) "
                                      "are not read")
                           .arg(rest));
    }
    if (!QFileInfo(path).isFile()) {
        return failure(StatusFileError, command,
                       QStringLiteral("cannot open %1: %2")
                           .arg(path, QFileInfo::exists(path) ? QStringLiteral("not a file")
                                                              : QStringLiteral("no such file")));
    }
    const core::Result<const GridLibrary *> grids = library(m_gridLibrary);
    if (!grids) {
        return failure(StatusFileError, command, grids.error());
    }
    const GridOptions options = gridOptions(m_variables);
    core::Result<std::unique_ptr<GridSource>> grid =
        (*grids)->open({path, options.variable, options.band});
    if (!grid) {
        return failure(StatusFileError, command, grid.error());
    }
    // Most grids show a value in a small reading; only one that shows none is read whole.
    const GridInfo &info = (*grid)->info();
    const core::Result<Raster> look =
        (*grid)->read(std::min(info.width, kLookRows), std::min(info.height, kLookRows));
    if (!look) {
        return failure(StatusFileError, command, look.error());
    }
    if (!anyValue(*look)) {
        const core::Result<Extent> extent = extentOf(rowsOf(**grid));
        if (!extent || extent->count == 0) {
            return failure(StatusFileError, command,
                           extent ? QStringLiteral("%1: the grid holds no value").arg(path)
                                  : extent.error());
        }
    }
    m_gridLibrary = *grids;
    m_grid = std::move(*grid);
    return ok();
}

core::Result<Colouring> Host::colouring(const Rows &rows, const GridInfo &info,
                                        std::optional<bool> equalized)
{
    int first = 1;
    while (first <= m_table.total() && !m_table.color(first)) {
        ++first;
    }
    if (first > m_table.total()) {
        return core::fail(QStringLiteral("the shade table is empty"));
    }
    const int n = m_table.total() - first + 1;
    GridOptions options = gridOptions(m_variables);
    options.equalized = equalized.value_or(options.equalized);
    // The table's own values where it has them; else, or where asked, the grid's range.
    const std::vector<double> own(m_values.begin() +
                                      std::min<qsizetype>(first - 1, qsizetype(m_values.size())),
                                  m_values.end());
    const bool hasOwn = own.size() == std::size_t(n);
    const bool needsRange = options.equalized || options.range == GridOptions::Range::Data ||
                            (options.range == GridOptions::Range::Own && !hasOwn);
    const core::Result<Extent> extent = needsRange ? extentOf(rows) : Extent();
    if (!extent) {
        return extent.failure();
    }
    Colouring out;
    if (options.equalized) {
        std::vector<double> shares;
        for (int j = 1; j < n; ++j) {
            shares.push_back(double(j) / double(n));
        }
        const core::Result<std::vector<double>> bounds =
            distributionValues(rows, CellWeights(info, rows.width, rows.height), shares);
        if (!bounds) {
            return bounds.failure();
        }
        out.classes = equalizedClasses(first, *bounds, extent->min, extent->max);
    } else {
        std::vector<double> values;
        if (options.range == GridOptions::Range::Given) {
            values = straightValues(n, options.lo, options.hi);
        } else if (options.range == GridOptions::Range::Data && hasOwn) {
            values = stretchedValues(own, m_hinge, extent->min, extent->max);
        } else {
            values = hasOwn ? own : straightValues(n, extent->min, extent->max);
        }
        out.classes = nearestClasses(first, values);
    }
    for (int symbol = first; symbol <= m_table.total(); ++symbol) {
        out.colours.push_back(m_table.color(symbol));
    }
    out.azimuth = options.azimuth;
    return out;
}

Host::Outcome Host::drawGrid(const QString &rest)
{
    const QString command = QStringLiteral("shadegrid");
    const auto n = readRectangle(rest);
    if (!n) {
        return failure(StatusBadArguments, command, n.error());
    }
    if (!m_grid) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("no grid (grid FILE comes first)"));
    }
    // The rectangle in pixels, and the grid within it, its cells square, in the middle.
    const GridInfo &info = m_grid->info();
    const double wide = std::abs((*n)[2] - (*n)[0]) * kDotsPerInch;
    const double high = std::abs((*n)[3] - (*n)[1]) * kDotsPerInch;
    const double scale = std::min(wide / info.width, high / info.height);
    const int width = std::max(1, int(std::lround(info.width * scale)));
    const int height = std::max(1, int(std::lround(info.height * scale)));
    const double left = std::min((*n)[0], (*n)[2]) + std::floor((wide - width) / 2) / kDotsPerInch;
    const double foot = std::min((*n)[1], (*n)[3]) + std::floor((high - height) / 2) / kDotsPerInch;
    // Drawn larger than it is, a grid is read whole and its cells made larger, so that the
    // light falls on the grid's own slopes, not on the steps of a copy.
    const core::Result<Raster> raster =
        m_grid->read(std::min(width, info.width), std::min(height, info.height));
    if (!raster) {
        return failure(StatusFileError, command, raster.error());
    }
    const core::Result<Colouring> colours = colouring(rowsOf(*raster), info);
    if (!colours) {
        return failure(StatusBadArguments, command, colours.error());
    }
    QImage image(raster->width, raster->height, QImage::Format_RGBA8888);
    const core::Status painted =
        paintRows(rowsOf(*raster), info, *colours, [&](int row, const std::uint8_t *rgba) {
            std::copy(rgba, rgba + 4 * raster->width, image.scanLine(row));
            return core::Status();
        });
    if (!painted) {
        return failure(StatusFileError, command, painted.error());
    }
    m_drawing.items.emplace_back(
        GridImage{{left, foot, left + width / kDotsPerInch, foot + height / kDotsPerInch}, image});
    m_drawn = *colours;
    return ok();
}

Host::Outcome Host::drawScale(const QString &rest)
{
    const QString command = QStringLiteral("shadescale");
    const auto n = readRectangle(rest);
    if (!n) {
        return failure(StatusBadArguments, command, n.error());
    }
    if (!m_drawn) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("no grid drawn (shadegrid comes first)"));
    }
    Scale scale{{(*n)[0], (*n)[1], (*n)[2], (*n)[3]}, {}, m_drawn->classes.lo, m_drawn->classes.hi};
    for (int i = 0; i < m_drawn->classes.count(); ++i) {
        scale.bands.push_back({m_drawn->classes.lower(i), m_drawn->classes.upper(i),
                               m_drawn->colours[std::size_t(i)]});
    }
    m_drawing.items.emplace_back(std::move(scale));
    return ok();
}

core::Result<DataSpread> Host::dataSpread(const CheckReport &report)
{
    if (!m_grid) {
        return core::fail(QStringLiteral("no grid (grid FILE comes first)"));
    }
    const GridInfo &info = m_grid->info();
    const Rows rows = rowsOf(*m_grid);
    const core::Result<Extent> extent = extentOf(rows);
    if (!extent) {
        return extent.failure();
    }
    const std::vector<double> percents(kPercentiles.begin(), kPercentiles.end());
    const core::Result<std::vector<double>> values = percentiles(rows, extent->count, percents);
    if (!values) {
        return values.failure();
    }
    DataSpread d;
    d.grid = QFileInfo(info.file).fileName();
    d.cells = extent->count;
    d.min = extent->min;
    d.max = extent->max;
    d.equalized = gridOptions(m_variables).equalized;
    std::copy(values->begin(), values->end(), d.percentiles.begin());
    // The share between the symbols of the 5th and the 95th percentile, under classes.
    const auto spread = [&](bool equalized, std::array<int, 5> *symbols) {
        const core::Result<Colouring> c = colouring(rows, info, equalized);
        if (!c) {
            return core::Result<std::optional<double>>(c.failure());
        }
        std::array<int, 5> at{};
        for (std::size_t i = 0; i < at.size(); ++i) {
            at[i] = c->classes.symbolOf(d.percentiles[i]);
        }
        if (symbols) {
            *symbols = at;
        }
        return core::Result<std::optional<double>>(lengthShare(report, at.front(), at.back()));
    };
    const core::Result<std::optional<double>> share = spread(d.equalized, &d.symbols);
    const core::Result<std::optional<double>> even = spread(true, nullptr);
    if (!share || !even) {
        return share ? even.failure() : share.failure();
    }
    d.share = *share;
    d.shareEqualized = *even;
    return d;
}

core::Status Host::takeShown(const Host &shown)
{
    const Legend *legend = nullptr;
    for (auto it = shown.m_drawing.items.rbegin(); it != shown.m_drawing.items.rend() && !legend;
         ++it) {
        legend = std::get_if<Legend>(&*it);
    }
    if (!legend) {
        return core::fail(QStringLiteral("no shadeset is on display"));
    }
    ShadeTable table;
    for (std::size_t i = 0; i < legend->bands.size(); ++i) {
        if (legend->bands[i]) {
            table.set(legend->first + int(i), *legend->bands[i]);
        }
    }
    // Where it is `shown`'s current table, the values it stands for come with it.
    const bool same = shown.m_table == table && shown.m_tableName == legend->name;
    m_table = table;
    m_tableName = legend->name;
    m_values = same ? shown.m_values : std::vector<double>();
    m_hinge = same ? shown.m_hinge : std::nullopt;
    return {};
}

core::Status Host::writeRelief(const QString &path)
{
    if (!m_grid) {
        return core::fail(QStringLiteral("no grid to draw"));
    }
    const GridInfo &info = m_grid->info();
    const core::Result<Colouring> colours = colouring(rowsOf(*m_grid), info);
    if (!colours) {
        return colours.failure();
    }
    return core::saveFileBy(path, [&](const QString &temporary) {
        core::Result<std::unique_ptr<ImageWriter>> image =
            m_gridLibrary->createImage(temporary, info);
        if (!image) {
            return core::Status(image.failure());
        }
        // Written a block of rows at a time, so that memory does not grow with the grid.
        std::vector<std::uint8_t> block;
        const auto flush = [&] {
            const int rows = int(block.size() / (4 * std::size_t(info.width)));
            const core::Status written =
                rows > 0 ? (*image)->write(block.data(), rows) : core::Status();
            block.clear();
            return written;
        };
        const core::Status painted =
            paintRows(rowsOf(*m_grid), info, *colours, [&](int, const std::uint8_t *rgba) {
                block.insert(block.end(), rgba, rgba + 4 * info.width);
                return block.size() >= 4 * std::size_t(info.width) * kBlockRows ? flush()
                                                                                : core::Status();
            });
        const core::Status rest = painted ? flush() : painted;
        return rest ? (*image)->finish() : rest;
    });
}

} // namespace tessel
