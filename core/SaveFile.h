#pragma once

#include <QByteArray>
#include <QString>

namespace core {

// Writes `bytes` to `path` as a whole or not at all: on failure any earlier file there is
// left as it was. Returns "cannot write PATH: reason", empty on success.
QString saveFile(const QString &path, const QByteArray &bytes);

} // namespace core
