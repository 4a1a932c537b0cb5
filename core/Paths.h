#pragma once

#include <QString>

namespace core {

// Whether `path` names a place on its own: "/..." here, also "C:\..." or "\\server\..." on
// Windows. A leading ":" is an ordinary character, never a resource path.
bool isAbsolutePath(const QString &path);

// `path` inside `folder` (which is absolute): the folder, one "/" and the path, cleaned of
// "." and doubled separators; an absolute `path` stands for itself. Plain string work, so a
// name is only ever a name in the folder meant.
QString joinPath(const QString &folder, const QString &path);

// Whether `a` and `b` name one existing file: the same file whatever the path, through
// links, "./" or another name for a folder.
bool isSameFile(const QString &a, const QString &b);

} // namespace core
