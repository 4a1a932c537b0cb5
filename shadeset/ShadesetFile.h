#pragma once

#include "core/Result.h"

#include <QString>

// The path of shadeset `name` in `folder`, with the platform's separator.
QString shadesetPath(const QString &folder, const QString &name);

// Whether the shadeset file can be opened for reading: a missing file or folder, a folder
// of that name, or an unreadable file all count as absent.
bool shadesetFileExists(const QString &folder, const QString &name);

// Deletes exactly the one shadeset file; a name that is no good shadeset name deletes
// nothing. A failure gives the reason alone ("no such file").
core::Status deleteShadesetFile(const QString &folder, const QString &name);
