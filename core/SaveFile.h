#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace core {

// Puts `bytes` in `path` whole or not at all. The bytes go to a new file beside it, which is
// written, synced and closed, each step checked, and only then renamed over the old one. On
// any failure the old file stays byte for byte, nothing is left behind, and the failure reads
// "cannot write PATH: reason". A symbolic link is followed: the file it names is replaced and
// the link stays, as editors do. A file whose mode lets this user (root too) not write it is
// not replaced: "cannot write PATH: Permission denied". A device or a pipe (/dev/stdout) is
// written to as it is.
Status saveFile(const QString &path, const QByteArray &bytes);

// The same for a file that another library writes by its path: `write` fills the new file,
// named `temporary`, and says whether it could.
Status saveFileBy(const QString &path,
                  const std::function<Status(const QString &temporary)> &write);

} // namespace core
