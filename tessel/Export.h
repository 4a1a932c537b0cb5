#pragma once

#include "ShadeTable.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessel {

// Formats other mapping tools read a colour table in.
enum class ExportFormat
{
    Cpt,      // GMT colour palette table
    Gdal,     // gdaldem color-relief text
    Qgis,     // QGIS style XML with one gradient colour ramp
    Paraview, // ParaView colour-map preset JSON
};

std::optional<ExportFormat> parseExportFormat(const QString &name); // "cpt", "gdal", ...
QString exportExtension(ExportFormat format);                       // "cpt", "txt", ...

// The defined symbols of `table` in `format`; `name` names the ramp where the format has
// names. The table must not be empty.
QByteArray exportTable(ExportFormat format, const ShadeTable &table, const QString &name);

// Writes atomically. Returns the error, empty on success.
QString writeExport(const QString &path, ExportFormat format, const ShadeTable &table,
                    const QString &name);

} // namespace tessel
