#pragma once

#include <QString>

// The 1-based position of the first occurrence of `sought` in `text`, comparing characters
// exactly (case counts); 0 when it does not occur or `text` is empty.
qint16 FindPos(const QString &text, const QString &sought);

// Whether `text` ends with `suffix`, exactly: FindPos over the last characters gives 1.
bool EndsWith(const QString &text, const QString &suffix);
