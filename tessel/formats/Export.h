#pragma once

#include "Formats.h"
#include "core/Result.h"
#include "tessel/table/ShadeTable.h"

#include <QByteArray>
#include <QString>

namespace tessel {

// The defined symbols of `table` as a file of `format`, each drawn in exactly its colour at
// its own symbol number; `name` names the table in the file. Refused: an empty table, a name
// holding a control character, and a name the format cannot carry.
core::Result<QByteArray> exportTable(const Format &format, const ShadeTable &table,
                                     const QString &name);
// The table fitted to a grid's data, as `format` writes it (it has a writer for fitted tables).
core::Result<QByteArray> exportFitted(const Format &format, const std::vector<FittedClass> &classes,
                                      const QString &name);

} // namespace tessel
