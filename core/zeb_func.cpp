#include "zeb_func.h"

#include <algorithm>

qint16 FindPos(const QString &text, const QString &sought)
{
    if (text.isEmpty()) {
        return 0;
    }
    const auto index = text.indexOf(sought, 0, Qt::CaseSensitive);
    // Callers search short texts; a position past 32767 cannot be told and reads as absent.
    return index < 0 || index >= 32767 ? qint16(0) : static_cast<qint16>(index + 1);
}

bool EndsWith(const QString &text, const QString &suffix)
{
    return text.size() >= suffix.size() && FindPos(text.right(suffix.size()), suffix) == 1;
}
