#pragma once

#include <QString>

// `name` less one trailing ".shd", matched in any case ("Relief.SHD" gives "Relief").
QString withoutShdSuffix(const QString &name);

// Whether `name` can be a shadeset file name in one folder: not empty, not "." or "..",
// and no path separator of any platform. Blanks are fine.
bool isShadesetFileName(const QString &name);
