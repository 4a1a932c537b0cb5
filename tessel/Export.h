#pragma once

#include "ShadeTable.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessel {

// Formats other mapping programs read a colour table in.
enum class ExportFormat
{
    Cpt,      // GMT colour palette table
    Gdal,     // gdaldem color-relief text
    Qgis,     // QGIS style XML with one gradient colour ramp
    Paraview, // ParaView colour-map preset JSON
};

std::optional<ExportFormat> parseExportFormat(const QString &name); // "cpt", "gdal", ...
QString exportExtension(ExportFormat format);                       // "cpt", "txt", ...

// The defined symbols of `table` in `format`, each drawn in exactly its colour at its own
// symbol number; `name` names the table in the file. Refused: an empty table, and a name
// the format cannot carry.
core::Result<QByteArray> exportTable(ExportFormat format, const ShadeTable &table,
                                     const QString &name);

} // namespace tessel
