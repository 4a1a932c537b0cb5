#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

namespace core {

// The whole of the file at `path`, when it is a file of at most `limit` bytes. A folder, a
// pipe or a device is refused unopened: opening a pipe would wait for a writer.
Result<QByteArray> readFileBytes(const QString &path, qint64 limit);

} // namespace core
