// The grid library: grids read through GDAL, and RGBA GeoTIFFs written through it. Nothing
// else in Tessel calls GDAL, and the window loads this library only when a grid is first used.
#include "tessel/grid/Grid.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace tessel {
namespace {

// GDAL's own word on what went wrong last, or `fallback`; without the name of the function of
// a library below it ("_tiffWriteProc:No space left on device").
QString gdalReason(const char *fallback)
{
    static const QRegularExpression kCaller(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*:(?=\\S)"));
    const char *said = CPLGetLastErrorMsg();
    return QString::fromUtf8(said && *said ? said : fallback).simplified().remove(kCaller);
}

// Why writing `path` failed: the system's word where it gave one ("No space left on device"),
// else GDAL's, without the name of the hidden file being written, which means nothing to a
// user. `error` is errno, cleared before the call that failed.
QString writeReason(const QString &path, const char *fallback, int error)
{
    if (error != 0) {
        return QString::fromLocal8Bit(std::strerror(error));
    }
    return gdalReason(fallback).remove(path + QLatin1Char(':')).remove(path).trimmed();
}

// GDAL set up once: quiet (its errors are read back as messages), never writing a file of its
// own beside a grid (.aux.xml), and with a block cache small enough that no grid's size
// moves the memory a run takes.
void setUp()
{
    static const bool done = [] {
        CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
        CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", "none");
        GDALSetCacheMax64(32 * 1024 * 1024);
        CPLSetErrorHandler(CPLQuietErrorHandler);
        GDALAllRegister();
        return true;
    }();
    (void)done;
    CPLErrorReset();
}

struct Dataset
{
    GDALDatasetH handle = nullptr;
    explicit Dataset(GDALDatasetH h = nullptr) : handle(h) {}
    Dataset(const Dataset &) = delete;
    Dataset &operator=(const Dataset &) = delete;
    Dataset(Dataset &&other) noexcept : handle(other.handle) { other.handle = nullptr; }
    Dataset &operator=(Dataset &&other) noexcept
    {
        std::swap(handle, other.handle);
        return *this;
    }
    ~Dataset()
    {
        if (handle) {
            GDALClose(handle);
        }
    }
};

// `direct`: whole rows of a plain GeoTIFF read straight into the values, past the block
// cache, which is quicker for them and slower for a reading at a smaller size. GDAL takes the
// choice when it opens the file.
Dataset openRaster(const QByteArray &name, bool direct = false)
{
    CPLSetThreadLocalConfigOption("GTIFF_DIRECT_IO", direct ? "YES" : nullptr);
    Dataset dataset(GDALOpenEx(name.constData(),
                               GDAL_OF_RASTER | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR, nullptr,
                               nullptr, nullptr));
    CPLSetThreadLocalConfigOption("GTIFF_DIRECT_IO", nullptr);
    return dataset;
}

// The variables of a file that holds several (GDAL's subdatasets): {name, what GDAL opens}.
QList<std::pair<QString, QByteArray>> variables(GDALDatasetH dataset)
{
    QList<std::pair<QString, QByteArray>> out;
    char **list = GDALGetMetadata(dataset, "SUBDATASETS");
    for (int i = 0; list && list[i]; ++i) {
        const QByteArray item(list[i]);
        if (!item.contains("_NAME=")) {
            continue;
        }
        const QByteArray open = item.mid(item.indexOf('=') + 1);
        // NETCDF:"file":var, HDF5:"file"://group/var: the name after the last colon.
        QString name = QString::fromUtf8(open.mid(open.lastIndexOf(':') + 1));
        while (name.startsWith(QLatin1Char('/'))) {
            name.remove(0, 1);
        }
        out.append({name, open});
    }
    return out;
}

class GdalGrid : public GridSource
{
public:
    GdalGrid(Dataset dataset, QByteArray name, int band, GridInfo info)
        : m_dataset(std::move(dataset)), m_name(std::move(name)), m_bandNumber(band),
          m_band(GDALGetRasterBand(m_dataset.handle, band)), m_info(std::move(info))
    {
        int has = 0;
        m_nodata = GDALGetRasterNoDataValue(m_band, &has);
        m_hasNodata = has != 0;
        m_scale = GDALGetRasterScale(m_band, nullptr);
        m_offset = GDALGetRasterOffset(m_band, nullptr);
    }

    const GridInfo &info() const override { return m_info; }

    core::Result<Raster> read(int width, int height) override
    {
        Raster raster;
        const core::Status read =
            window(m_band, 0, 0, m_info.height, m_info.width, width, height, raster);
        return read ? core::Result<Raster>(std::move(raster)) : read.failure();
    }

    core::Status readRows(int first, int count, Raster &rows) override
    {
        setUp();
        if (!m_rows.handle) {
            m_rows = openRaster(m_name, true);
        }
        GDALRasterBandH band =
            m_rows.handle ? GDALGetRasterBand(m_rows.handle, m_bandNumber) : nullptr;
        if (!band) {
            return core::fail(
                QStringLiteral("%1: %2").arg(m_info.file, gdalReason("cannot read the grid")));
        }
        return window(band, first, 0, count, m_info.width, m_info.width, count, rows);
    }

private:
    // Cells from (row, col), rows by cols of them, read into width by height values.
    core::Status window(GDALRasterBandH band, int row, int col, int rows, int cols, int width,
                        int height, Raster &into)
    {
        into.width = width;
        into.height = height;
        into.values.resize(std::size_t(width) * std::size_t(height));
        setUp();
        GDALRasterIOExtraArg extra;
        INIT_RASTERIO_EXTRA_ARG(extra);
        extra.eResampleAlg = GRIORA_NearestNeighbour;
        if (GDALRasterIOEx(band, GF_Read, col, row, cols, rows, into.values.data(), width, height,
                           GDT_Float32, 0, 0, &extra) != CE_None) {
            return core::fail(
                QStringLiteral("%1: %2").arg(m_info.file, gdalReason("cannot read the grid")));
        }
        // No value where the file says none, or where a value is not finite; the file's scale
        // and offset applied. One plain loop each, which the compiler does several at once.
        float *v = into.values.data();
        const std::size_t n = into.values.size();
        if (m_hasNodata) {
            const float nodata = float(m_nodata);
            const bool nan = std::isnan(nodata);
            for (std::size_t i = 0; i < n; ++i) {
                v[i] = v[i] == nodata || (nan && v[i] != v[i]) ? NAN : v[i];
            }
        }
        if (m_scale != 1 || m_offset != 0) {
            for (std::size_t i = 0; i < n; ++i) {
                v[i] = float(v[i] * m_scale + m_offset);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            v[i] = std::abs(v[i]) <= std::numeric_limits<float>::max() ? v[i] : NAN;
        }
        return {};
    }

    Dataset m_dataset;
    QByteArray m_name; // what GDAL opens
    int m_bandNumber;
    GDALRasterBandH m_band;
    Dataset m_rows; // the same, opened for whole rows
    GridInfo m_info;
    double m_nodata = 0;
    bool m_hasNodata = false;
    double m_scale = 1;
    double m_offset = 0;
};

bool isDegreesEast(GDALDatasetH dataset)
{
    static const QRegularExpression kEast(QStringLiteral("^degrees?_?e(ast)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    char **items = GDALGetMetadata(dataset, nullptr);
    for (int i = 0; items && items[i]; ++i) {
        const QString item = QString::fromUtf8(items[i]);
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (item.left(equals).endsWith(QLatin1String("#units")) &&
            kEast.match(item.mid(equals + 1).trimmed()).hasMatch()) {
            return true;
        }
    }
    return false;
}

GridInfo describe(GDALDatasetH dataset, const QString &file)
{
    GridInfo info;
    info.file = file;
    info.width = GDALGetRasterXSize(dataset);
    info.height = GDALGetRasterYSize(dataset);
    if (GDALGetGeoTransform(dataset, info.transform.data()) != CE_None) {
        info.transform = {0, 1, 0, double(info.height), 0, -1};
    }
    // Geographic by its reference system, or, where a netCDF names none, as GMT takes it: by
    // a coordinate in degrees east (CF's units).
    info.geographic = isDegreesEast(dataset);
    if (OGRSpatialReferenceH srs = GDALGetSpatialRef(dataset)) {
        info.geographic = OSRIsGeographic(srs) != 0;
        char *wkt = nullptr;
        if (OSRExportToWkt(srs, &wkt) == OGRERR_NONE && wkt) {
            info.projection = wkt;
        }
        CPLFree(wkt);
    }
    // GMT's netCDF grids give their values at a lattice's nodes unless they say otherwise.
    const char *driver = GDALGetDriverShortName(GDALGetDatasetDriver(dataset));
    const char *offset = GDALGetMetadataItem(dataset, "NC_GLOBAL#node_offset", nullptr);
    const char *area = GDALGetMetadataItem(dataset, "AREA_OR_POINT", nullptr);
    info.gridline =
        qstrcmp(driver, "netCDF") == 0 ? qstrcmp(offset, "1") != 0 : qstrcmp(area, "Point") == 0;
    return info;
}

core::Result<std::unique_ptr<GridSource>> open(const GridRequest &request)
{
    setUp();
    const QString &file = request.path;
    const auto refuse = [&](const QString &why) {
        return core::fail(QStringLiteral("%1: %2").arg(file, why));
    };
    QByteArray name = QFile::encodeName(file);
    Dataset dataset = openRaster(name);
    if (!dataset.handle) {
        return refuse(gdalReason("not a raster GDAL can read"));
    }
    const QList<std::pair<QString, QByteArray>> held = variables(dataset.handle);
    QStringList names;
    for (const auto &[name, open] : held) {
        names << name;
    }
    if (!request.variable.isEmpty() || GDALGetRasterCount(dataset.handle) == 0) {
        if (held.isEmpty() && request.variable.isEmpty()) {
            return refuse(QStringLiteral("it holds no grid"));
        }
        if (held.size() > 1 && request.variable.isEmpty()) {
            return refuse(QStringLiteral("it holds several variables (%1): name one with "
                                         "&s .gridvariable = NAME")
                              .arg(names.join(QStringLiteral(", "))));
        }
        const QString wanted = request.variable.isEmpty() ? names.first() : request.variable;
        const qsizetype at = names.indexOf(wanted);
        const char *own = at < 0 && GDALGetRasterCount(dataset.handle) > 0
                              ? GDALGetMetadataItem(GDALGetRasterBand(dataset.handle, 1),
                                                    "NETCDF_VARNAME", nullptr)
                              : nullptr;
        if (at < 0 && wanted != QString::fromUtf8(own)) {
            return refuse(names.isEmpty() ? QStringLiteral("it holds no variable %1").arg(wanted)
                                          : QStringLiteral("it holds no variable %1, only %2")
                                                .arg(wanted, names.join(QStringLiteral(", "))));
        }
        if (at >= 0) {
            name = held[at].second;
            dataset = openRaster(name);
            if (!dataset.handle) {
                return refuse(gdalReason("cannot open the variable"));
            }
        }
    }
    const int bands = GDALGetRasterCount(dataset.handle);
    if (request.band < 1 || request.band > bands) {
        return refuse(QStringLiteral("it has no band %1, only %2 (&s .gridband)")
                          .arg(request.band)
                          .arg(bands));
    }
    GridInfo info = describe(dataset.handle, file);
    return std::unique_ptr<GridSource>(std::make_unique<GdalGrid>(
        std::move(dataset), std::move(name), request.band, std::move(info)));
}

class GeoTiffWriter : public ImageWriter
{
public:
    GeoTiffWriter(Dataset dataset, QString path, int width)
        : m_dataset(std::move(dataset)), m_path(std::move(path)), m_width(width)
    {
#ifdef Q_OS_LINUX
        m_file = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
#endif
    }

    ~GeoTiffWriter() override
    {
#ifdef Q_OS_LINUX
        if (m_file >= 0) {
            ::close(m_file);
        }
#endif
    }

    core::Status write(const std::uint8_t *rgba, int rows) override
    {
        setUp();
        int bands[] = {1, 2, 3, 4};
        errno = 0;
        if (GDALDatasetRasterIO(m_dataset.handle, GF_Write, 0, m_row, m_width, rows,
                                const_cast<std::uint8_t *>(rgba), m_width, rows, GDT_Byte, 4, bands,
                                4, 4 * m_width, 1) != CE_None) {
            return core::fail(writeReason(m_path, "GDAL cannot write the image", errno));
        }
        m_row += rows;
#ifdef Q_OS_LINUX
        // What is written goes on to the disk as the rest is made, so that the sync at the
        // end, which the save waits for, has little left to do.
        if ((m_written += std::int64_t(rows) * m_width * 4) >= kWriteBack && m_file >= 0) {
            GDALFlushCache(m_dataset.handle);
            ::sync_file_range(m_file, 0, 0, SYNC_FILE_RANGE_WRITE);
            m_written = 0;
        }
#endif
        return {};
    }

    core::Status finish() override
    {
        setUp();
        errno = 0;
        GDALFlushCache(m_dataset.handle);
        const bool failed = CPLGetLastErrorType() >= CE_Failure;
        const int error = failed ? errno : 0;
        if (!failed) {
            errno = 0;
        }
        GDALClose(m_dataset.handle);
        m_dataset.handle = nullptr;
        if (failed || CPLGetLastErrorType() >= CE_Failure) {
            return core::fail(
                writeReason(m_path, "GDAL cannot write the image", failed ? error : errno));
        }
        return {};
    }

private:
    static constexpr std::int64_t kWriteBack = 32 * 1024 * 1024;

    Dataset m_dataset;
    QString m_path;
    int m_width;
    int m_row = 0;
    int m_file = -1;            // the file, to hand what is written on to the disk
    std::int64_t m_written = 0; // since it was last handed on
};

core::Result<std::unique_ptr<ImageWriter>> createImage(const QString &path, const GridInfo &info)
{
    setUp();
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    const char *options[] = {"INTERLEAVE=PIXEL", "PHOTOMETRIC=RGB", "ALPHA=UNASSOCIATED",
                             "BIGTIFF=IF_SAFER", nullptr};
    errno = 0;
    Dataset dataset(GDALCreate(driver, QFile::encodeName(path).constData(), info.width, info.height,
                               4, GDT_Byte, const_cast<char **>(options)));
    if (!dataset.handle) {
        return core::fail(writeReason(path, "GDAL cannot create the image", errno));
    }
    GDALSetRasterColorInterpretation(GDALGetRasterBand(dataset.handle, 4), GCI_AlphaBand);
    GDALSetGeoTransform(dataset.handle, const_cast<double *>(info.transform.data()));
    if (!info.projection.isEmpty()) {
        GDALSetProjection(dataset.handle, info.projection.constData());
    }
    return std::unique_ptr<ImageWriter>(
        std::make_unique<GeoTiffWriter>(std::move(dataset), path, info.width));
}

} // namespace
} // namespace tessel

extern "C" Q_DECL_EXPORT const tessel::GridLibrary *tesselGridLibrary()
{
    static const tessel::GridLibrary library{tessel::open, tessel::createImage};
    return &library;
}
